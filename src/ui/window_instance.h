// The live side of a form: one window instance per loaded form, one control instance per
// control record, and the list of loaded windows that the quit rule watches. Internal to the
// layer; all of it belongs to the GUI thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "services/text.h"
#include "ui/form.h"
#include "ui/handles.h"
#include "ui/web_view.h"

namespace tamrivo {

struct ControlInstance {
  const ControlRecord* record = nullptr;
  HWND hwnd = nullptr;  // null for timers, which have no window of their own
  // The record's visible and disabled flags as property writes have changed them.
  bool visible = false;
  bool disabled = false;
  // Timers keep their form place: it has no effect, but reads give it back.
  int32_t left = 0, top = 0, width = 0, height = 0;
  OwnedText tag;
  int32_t period = 0;           // timers: the stored period in ms; the timer runs while > 0
  bool suppressChange = false;  // edit boxes: a property write is replacing the content
  bool focusChanging = false;   // radio buttons: gaining or losing the focus just now
  UniqueFont font;              // its own font, when the form gives one
  UniqueBrush background;       // its own background brush, unless it is button face
  std::unique_ptr<WebView> webView;  // web views: the browser it hosts, or an empty host

  ControlKind kind() const { return record->kind; }
};

// A window that a modal window disabled, and whether it was enabled before.
struct DisabledWindow {
  HWND window;
  bool wasEnabled;
};

struct WindowInstance {
  const Form* form = nullptr;
  uint64_t serial = 0;  // tells this loading apart from a later loading of the same form
  HWND hwnd = nullptr;
  std::vector<ControlInstance> controls;  // in form order; never resized after loading
  UniqueIcon bigIcon;
  UniqueIcon smallIcon;
  UniqueMenu menuBar;
  bool loading = true;  // moved and resized are raised only once loading has raised them
  POINT reportedPlace{};  // the place the last moved event told of
  SIZE reportedSize{};    // the size the last resized event told of
  bool firstShowPending = false;
  bool destroying = false;
  std::vector<DisabledWindow> disabledWindows;
  HWND focusOnDeactivation = nullptr;  // the control that had the focus when it went inactive

  // The control whose window is `window` or contains it; -1 when none.
  int32_t ControlIndexOf(HWND window) const;
};

// Registers a new instance for the form; the window is created afterwards.
WindowInstance& AddInstance(const Form& form);
// Frees the instance once its native window is gone, then applies the quit rule: when no
// program window is left and the message loop runs, the loop is told to quit.
void RemoveInstance(const WindowInstance& instance);

WindowInstance* FindInstance(const Form& form);
// By the native top-level window, or any window inside it.
WindowInstance* FindInstance(HWND window);
// The instance of that loading, or null once it has been destroyed: code that raised an event
// asks this before it touches the instance again.
WindowInstance* FindInstanceBySerial(uint64_t serial);
bool AnyWindowLoaded();
// Every loaded window's native window.
std::vector<HWND> LoadedWindows();

// Gives the windows a modal window disabled their former enabled state back (once).
void RestoreDisabledWindows(WindowInstance& window);

void SetMessageLoopRunning(bool running);
bool MessageLoopRunning();

// Messages of ReportFatalError.
inline constexpr char kWindowNotLoadedError[] = "未载入欲访问窗口组件所在的窗口";
inline constexpr char kNativeControlMissingError[] = "指定窗口尚未载入";
inline constexpr char kNoSuchWindowOrControlError[] = "指定窗口或窗口组件不存在或尚未载入";

// The hidden tool window that owns modal windows and windows without a taskbar button;
// created on first use.
HWND ServiceWindowHandle();

}  // namespace tamrivo
