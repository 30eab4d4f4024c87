// Loading, closing and destroying windows: the close request and its answer, the log-off
// question, RequestDestroy, the created/moved/resized order, the quit rule and modal loading.
#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "ui/message_loop.h"
#include "ui/window.h"
#include "ui/window_instance.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

using test::EventLog;

bool g_closeAnswer = false;
bool AnswerClose() {
  EventLog().push_back("close");
  return g_closeAnswer;
}
void CloseWithoutAnswer() { EventLog().push_back("close"); }
void Destroyed() { EventLog().push_back("destroyed"); }

constexpr std::array<ControlRecord, 1> kButtonOnly{{
    {.name = "Button", .formName = "按钮1", .kind = ControlKind::PushButton, .parent = kNoParent, .left = 10,
     .top = 10, .width = 80, .height = 26, .tabStop = true, .text = "按钮"},
}};

constexpr Form Window(const char* name, WindowEvents events, bool escCloses = true) {
  return {.name = name, .title = "窗口", .left = 140, .top = 140, .width = 240, .height = 140,
          .placement = Placement::Stored, .visible = true, .inTaskbar = true, .escCloses = escCloses,
          .events = events, .controls = kButtonOnly};
}

constexpr Form kAsking = Window("Asking", {.closeRequest = AnswerClose, .destroyed = Destroyed});
constexpr Form kNotAnswering = Window("NotAnswering", {.closeRequest = CloseWithoutAnswer});
constexpr Form kUnbound = Window("Unbound", {});
constexpr Form kEscIgnored = Window("EscIgnored", {.closeRequest = AnswerClose}, false);

class Lifecycle : public testing::Test {
 protected:
  void SetUp() override {
    EventLog().clear();
    g_closeAnswer = false;
  }
  void TearDown() override;  // at the end, where every form of this file is known
};

enum class Ask { CloseBox, AltF4, Escape };

void AskToClose(const Form& form, Ask ask) {
  test::Activate(form);
  switch (ask) {
    case Ask::CloseBox:  // what the close box and the system menu's Close send
      SendMessageW(test::NativeWindow(form), WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case Ask::AltF4:  // returns once the keys have been taken, and the close they post with them
      test::PressKeys({VK_MENU, VK_F4});
      break;
    case Ask::Escape:
      test::PressKeys({VK_ESCAPE});
      break;
  }
}

TEST_F(Lifecycle, TheCloseRequestHandlerDecides) {
  struct Case {
    const Form* form;
    bool answer;
    bool closes;
  };
  const Case cases[] = {
      {&kAsking, false, false},   // refused: the window stays as it was
      {&kAsking, true, true},
      {&kNotAnswering, false, true},  // a handler without a result does not refuse
      {&kUnbound, false, true},
  };
  for (Ask ask : {Ask::CloseBox, Ask::AltF4, Ask::Escape}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.form->name << " answer " << c.answer << " ask " << static_cast<int>(ask));
      ASSERT_TRUE(LoadWindow(*c.form));
      EventLog().clear();
      g_closeAnswer = c.answer;
      AskToClose(*c.form, ask);
      const bool asked = c.form != &kUnbound;
      // What each case waits for has happened by now; the wait only covers a slow machine.
      test::PumpUntil([&] {
        return (!asked || !EventLog().empty()) && (!c.closes || !IsWindowLoaded(*c.form));
      }, 20000);
      EXPECT_EQ(IsWindowLoaded(*c.form), !c.closes);
      EXPECT_EQ(EventLog().size() > 0 && EventLog()[0] == "close", asked);
      test::Unload(*c.form);
    }
  }
}

TEST_F(Lifecycle, EscClosesOnlyWhereTheFormSaysSo) {
  ASSERT_TRUE(LoadWindow(kEscIgnored));
  g_closeAnswer = true;
  AskToClose(kEscIgnored, Ask::Escape);
  EXPECT_TRUE(IsWindowLoaded(kEscIgnored));
  EXPECT_TRUE(EventLog().empty());
}

TEST_F(Lifecycle, TheLogOffQuestionAsksTheCloseRequestButNeverDestroys) {
  ASSERT_TRUE(LoadWindow(kAsking));
  for (bool answer : {false, true}) {
    g_closeAnswer = answer;
    EventLog().clear();
    const LRESULT mayEnd = SendMessageW(test::NativeWindow(kAsking), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_EQ(mayEnd != FALSE, answer);
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"close"}));
    test::PumpFor(50);
    EXPECT_TRUE(IsWindowLoaded(kAsking));
  }
}

TEST_F(Lifecycle, RequestDestroyDestroysLaterWithoutAsking) {
  ASSERT_TRUE(LoadWindow(kAsking));  // its close request would refuse
  RequestDestroy(kAsking);
  EXPECT_TRUE(IsWindowLoaded(kAsking));  // not yet: after the current handler
  SendMessageW(test::NativeWindow(kAsking), WM_CLOSE, 0, 0);  // meanwhile nobody is asked
  EXPECT_TRUE(test::PumpUntil([] { return !IsWindowLoaded(kAsking); }));
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"destroyed"}));
  // The form can be loaded again.
  EXPECT_TRUE(LoadWindow(kAsking));
}

TEST_F(Lifecycle, ASecondLoadBringsTheWindowForwardInsteadOfMakingAnother) {
  ASSERT_TRUE(LoadWindow(kUnbound));
  HWND first = test::NativeWindow(kUnbound);
  ASSERT_TRUE(LoadWindow(kAsking));
  test::Activate(kAsking);
  EXPECT_TRUE(LoadWindow(kUnbound));
  EXPECT_EQ(test::NativeWindow(kUnbound), first);
  EXPECT_TRUE(test::PumpUntil([&] { return GetForegroundWindow() == first; }));
}

TEST_F(Lifecycle, ANonModalLoadWithAnOwnerThatIsGoneFails) {
  EXPECT_FALSE(LoadWindow(kUnbound, &kAsking));
  EXPECT_FALSE(IsWindowLoaded(kUnbound));
  ASSERT_TRUE(LoadWindow(kAsking));
  ASSERT_TRUE(LoadWindow(kUnbound, &kAsking));
  EXPECT_EQ(GetWindow(test::NativeWindow(kUnbound), GW_OWNER), test::NativeWindow(kAsking));
}

// Created comes once every control exists and before the window shows; then moved, resized.
void Created();
void Moved() { EventLog().push_back("moved"); }
void Resized() { EventLog().push_back("resized"); }
constexpr Form kAnnouncing = Window("Announcing", {.created = Created, .destroyed = Destroyed, .moved = Moved,
                                                   .resized = Resized});
void Created() {
  const bool controlExists = IsWindow(test::ControlWindow(kAnnouncing, 0));
  const bool shown = GetIntProperty(kAnnouncing, kWindowItself, kVisible) != 0;
  EventLog().push_back(std::string("created") + (controlExists ? " with controls" : "") + (shown ? " shown" : ""));
}

// A created handler that has its window destroyed in a nested loop.
void DestroyAtOnce();
constexpr Form kDestroyedEarly = Window("DestroyedEarly", {.created = DestroyAtOnce, .destroyed = Destroyed,
                                                            .moved = Moved});
void DestroyAtOnce() {
  EventLog().push_back("created");
  RequestDestroy(kDestroyedEarly);
  test::PumpUntil([] { return !IsWindowLoaded(kDestroyedEarly); });
}

TEST_F(Lifecycle, CreatedComesBeforeTheFirstShowThenMovedAndResized) {
  ASSERT_TRUE(LoadWindow(kAnnouncing));
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"created with controls", "moved", "resized"}));
  EXPECT_EQ(GetIntProperty(kAnnouncing, kWindowItself, kVisible), 1);
  EventLog().clear();
  SetControlProperty(kAnnouncing, kWindowItself, kLeft, 200);
  SetControlProperty(kAnnouncing, kWindowItself, kWidth, 300);
  SetControlProperty(kAnnouncing, kWindowItself, kVisible, 0);
  SetControlProperty(kAnnouncing, kWindowItself, kVisible, 1);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"moved", "resized"}));
  test::Unload(kAnnouncing);
}

TEST_F(Lifecycle, LoadingStopsWhenAHandlerDestroyedTheWindow) {
  EXPECT_TRUE(LoadWindow(kDestroyedEarly));
  EXPECT_FALSE(IsWindowLoaded(kDestroyedEarly));
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"created", "destroyed"}));
}

// The quit rule: the loop ends when the last program window is gone, not before.
constexpr Form kFirst = Window("First", {});
constexpr Form kSecond = Window("Second", {});
UINT_PTR g_stepTimer = 0;
UINT_PTR g_watchdogTimer = 0;

void CALLBACK QuitStep(HWND, UINT, UINT_PTR, DWORD) {
  if (IsWindowLoaded(kFirst)) {
    RequestDestroy(kFirst);
    return;
  }
  // The first is gone and the loop still runs, since this tick arrived.
  EventLog().push_back(std::string("first gone, second ") + (IsWindowLoaded(kSecond) ? "open" : "gone"));
  KillTimer(nullptr, g_stepTimer);
  RequestDestroy(kSecond);
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  EventLog().push_back("watchdog");
  KillTimer(nullptr, g_watchdogTimer);
  for (const Form* form : {&kFirst, &kSecond}) {
    if (IsWindowLoaded(*form)) RequestDestroy(*form);
  }
  PostQuitMessage(0);
}

TEST_F(Lifecycle, TheLoopEndsWhenTheLastWindowIsGone) {
  ASSERT_TRUE(LoadWindow(kFirst));
  ASSERT_TRUE(LoadWindow(kSecond));
  g_stepTimer = SetTimer(nullptr, 0, 50, QuitStep);
  g_watchdogTimer = SetTimer(nullptr, 0, 5000, Watchdog);
  RunMessageLoop();
  KillTimer(nullptr, g_watchdogTimer);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"first gone, second open"}));
  EXPECT_FALSE(IsWindowLoaded(kSecond));
  // Once the loop is over, destroying windows posts no further quit.
  const int quits = test::QuitMessagesSeen();
  ASSERT_TRUE(LoadWindow(kFirst));
  test::Unload(kFirst);
  test::PumpFor(50);
  EXPECT_EQ(test::QuitMessagesSeen(), quits);
}

// Modal loading: the other windows are disabled until the modal window is gone, then get
// their former state back; the loop inside keeps their timers going.
int g_ownerTicks = 0;
void OwnerTick() { ++g_ownerTicks; }
constexpr std::array<ControlRecord, 1> kTimerOnly{{
    {.name = "Timer", .formName = "时钟1", .kind = ControlKind::Timer, .parent = kNoParent, .left = 0, .top = 0,
     .width = 26, .height = 26, .settings = {.period = 20}, .event = OwnerTick},
}};
constexpr Form kOwner{.name = "Owner", .title = "主窗口", .left = 100, .top = 100, .width = 300, .height = 200,
                      .placement = Placement::Stored, .visible = true, .inTaskbar = true, .controls = kTimerOnly};
constexpr Form kModal = Window("Modal", {});

struct ModalObservation {
  bool ownerEnabled = true;
  HWND modalOwner = nullptr;
  int ticksInside = 0;
} g_inside;
UINT_PTR g_modalTimer = 0;

void CALLBACK LookAtModal(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(nullptr, g_modalTimer);
  g_inside.ownerEnabled = IsWindowEnabled(test::NativeWindow(kOwner)) != FALSE;
  g_inside.modalOwner = GetWindow(test::NativeWindow(kModal), GW_OWNER);
  const int before = g_ownerTicks;
  test::PumpUntil([before] { return g_ownerTicks >= before + 3; }, 20000);
  g_inside.ticksInside = g_ownerTicks - before;
  RequestDestroy(kModal);
}

TEST_F(Lifecycle, AModalWindowHoldsTheOthersDisabledUntilItIsGone) {
  for (bool enabledBefore : {true, false}) {
    SCOPED_TRACE(enabledBefore);
    ASSERT_TRUE(LoadWindow(kOwner));
    SetControlProperty(kOwner, kWindowItself, kDisabled, enabledBefore ? 0 : 1);
    g_inside = {};
    g_modalTimer = SetTimer(nullptr, 0, 100, LookAtModal);
    EXPECT_TRUE(LoadWindow(kModal, &kOwner, true));  // returns once the window is gone
    EXPECT_FALSE(IsWindowLoaded(kModal));
    EXPECT_FALSE(g_inside.ownerEnabled);
    // Owned by the hidden service window, not by the owner given: no taskbar button.
    ASSERT_NE(g_inside.modalOwner, nullptr);
    EXPECT_NE(g_inside.modalOwner, test::NativeWindow(kOwner));
    EXPECT_FALSE(IsWindowVisible(g_inside.modalOwner));
    EXPECT_GT(g_inside.ticksInside, 2);
    EXPECT_EQ(IsWindowEnabled(test::NativeWindow(kOwner)) != FALSE, enabledBefore);
    test::Unload(kOwner);
  }
}

// A modal window destroyed inside a message sent from another thread: its loop must end then,
// not at the next message that happens to be posted. The other thread posts one after a long
// wait only to free a loop that missed it.
constexpr Form kClosedFromOutside = Window("ClosedFromOutside", {});

TEST_F(Lifecycle, AModalLoopEndsWhenItsWindowGoesInsideASentMessage) {
  const DWORD guiThread = GetCurrentThreadId();
  HANDLE returned = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool hadToWakeTheLoop = false;
  std::thread outside([&] {
    HWND modal = nullptr;
    for (int i = 0; i < 2000 && !modal; ++i) {
      Sleep(10);
      modal = FindWindowW(nullptr, L"窗口");
      if (modal && !IsWindowVisible(modal)) modal = nullptr;
    }
    if (modal) SendMessageW(modal, WM_CLOSE, 0, 0);  // unbound close request: destroyed
    if (WaitForSingleObject(returned, 20000) == WAIT_TIMEOUT) {
      hadToWakeTheLoop = true;
      PostThreadMessageW(guiThread, WM_NULL, 0, 0);
    }
  });
  EXPECT_TRUE(LoadWindow(kClosedFromOutside, nullptr, true));
  SetEvent(returned);
  outside.join();
  CloseHandle(returned);
  EXPECT_FALSE(IsWindowLoaded(kClosedFromOutside));
  EXPECT_FALSE(hadToWakeTheLoop) << "the loop waited for a posted message";
}

void Lifecycle::TearDown() {
  for (const Form* form : {&kAsking, &kNotAnswering, &kUnbound, &kEscIgnored, &kAnnouncing, &kDestroyedEarly, &kFirst,
                           &kSecond, &kOwner, &kModal, &kClosedFromOutside}) {
    test::Unload(*form);
  }
}

}  // namespace
}  // namespace tamrivo
