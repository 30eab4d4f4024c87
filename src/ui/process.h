// The life of the process around the event handlers: what is prepared before the first window,
// the start-up window, and the one exit sequence that ends it all. No Win32 types here.
#pragma once

#include <cstdint>

#include "ui/form.h"

namespace tamrivo {

// Makes the executable's directory the current directory, initialises OLE (once), creates the
// layer's hidden service window and routes fatal errors to a stop box and the exit below.
void InitializeRuntime();

// The routine the exit sequence calls once at a normal end; replaces the previous one.
void SetProcessEndHook(void (*hook)());

// Loads the form as the start-up window, not modal. When it cannot be loaded the program ends
// through ReportFatalError with "载入启动窗口失败".
void LoadStartWindow(const Form& form);

// The exit sequence, then the end of the process with the code. Every step is done at most
// once, however often the sequence is reached. Returns only when the exit below returns (tests).
int32_t EndProcess(int32_t exitCode);

// The final end of the process. The program uses ExitProcess; tests install a recorder.
struct ProcessExit {
  void (*exitProcess)(uint32_t exitCode);
};
ProcessExit SetProcessExit(const ProcessExit& exit);  // returns the one it replaces

}  // namespace tamrivo
