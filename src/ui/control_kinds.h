// What each kind of control is to the window layer, in one table: its native class and styles,
// what it does once created, which property holds its text, which native notification raises
// its event, what its access key and the keyboard do with it, whether it holds other controls
// and passes their notifications up, and how it is coloured. Adding a kind is adding a row,
// with a file of its own when its behaviour needs one. Internal to the layer.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/form.h"
#include "ui/window_instance.h"

namespace tamrivo {

// The numbered property that holds the kind's text.
enum class TextProperty : uint8_t { None, Content, ButtonCaption, Caption };

// The native notification that raises the control's event (its event number 0).
enum class EventSource : uint8_t {
  None,
  ContentChange,  // EN_CHANGE: text changed
  Click,          // BN_CLICKED: clicked, after the kind's click action
  SpinnerStep,    // UDN_DELTAPOS: pressed, with +1 for the upper arrow and -1 for the lower
  TimerTick,      // WM_TIMER of the window: tick
};

// What Alt with the letter marked in the control's caption does.
enum class AccessKeyAction : uint8_t {
  None,
  Click,        // the kind's click action, then its clicked event
  FocusNext,    // the focus goes to the next control in Tab order (labels)
  FocusInside,  // the focus goes to the first control it holds (group boxes)
};

enum class Colouring : uint8_t {
  System,       // the system's own colours
  Own,          // the form's text colour on the form's background
  Transparent,  // the form's text colour over whatever lies behind
};

struct NativeStyle {
  DWORD style = 0;
  DWORD exStyle = 0;
};

struct ControlKindTraits {
  ControlKind kind;             // the row's kind; the table is checked to be in enum order
  const wchar_t* nativeClass;   // null: no window of its own (a timer ticks on its window)
  DWORD style;
  DWORD exStyle;
  // Styles that the record's kind settings add (alignment, border, wrapping); may be null.
  NativeStyle (*settingsStyle)(const ControlSettings& settings);
  // The native window's height for the record; null for the record's own.
  int32_t (*creationHeight)(const ControlRecord& record);
  // Runs once the native control exists and has its font; may be null.
  void (*setUp)(ControlInstance& control);

  TextProperty text;
  bool checkable;   // has the checked property
  bool selection;   // has the selected-item property
  bool period;      // has the timer period property

  EventSource event;
  // What a click (or the access key) does to the control's state before the clicked event;
  // may be null. Check boxes and radio buttons change state in our hands, not the control's,
  // so that a click and an access key behave alike.
  void (*clickAction)(WindowInstance& window, int32_t index);

  AccessKeyAction accessKey;
  bool selectAllOnFocus;  // reached by Tab, its whole content is selected
  bool arrowsMoveChoice;  // the arrow keys move the choice among its siblings of the same kind
  // Whether the focused control takes Esc or Enter itself (an open list, a multi-line box);
  // may be null for never.
  bool (*wantsKey)(HWND control, UINT key);

  // Holds other controls: created before them, passes their notifications up to the window,
  // and fills its own inside.
  bool container;
  // The layer's own handling of the control's messages, stacked on the native procedure; null
  // for none. Returns true when it has answered the message in `result`.
  bool (*message)(WindowInstance& window, int32_t index, UINT message, WPARAM wParam,
                  LPARAM lParam, LRESULT& result);

  Colouring colours;
};

const ControlKindTraits& KindTraits(ControlKind kind);

}  // namespace tamrivo
