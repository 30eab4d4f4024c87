// The program's message loop. Each message first passes the windows' own keyboard handling,
// then is translated and dispatched.
#pragma once

struct tagMSG;

namespace tamrivo {

// Marks the loop as started and, when a program window exists, runs it until WM_QUIT; returns
// at once otherwise. While it runs, destroying the last program window ends it.
void RunMessageLoop();

// One message of a loop: keyboard handling, then translation and dispatch. The modal loops
// use it too, so keys behave alike everywhere.
void DispatchLoopMessage(const tagMSG& message);

}  // namespace tamrivo
