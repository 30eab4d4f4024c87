// The window layer: what the handlers may do with windows and controls. A window is named by
// its form (a form has at most one live window) and a control by its index in the form, or
// kWindowItself for the window. Everything runs on the GUI thread; events are raised
// synchronously. No Win32 types here.
#pragma once

#include <cstdint>
#include <optional>
#include <variant>

#include "services/text.h"
#include "ui/form.h"

namespace tamrivo {

inline constexpr int32_t kWindowItself = -1;

// Numbered properties. 0..6 are shared by every kind with a place; the others by kind.
enum : int32_t {
  kLeft = 0, kTop = 1, kWidth = 2, kHeight = 3, kTag = 4, kVisible = 5, kDisabled = 6,
  kText = 8,           // edit box text, window title
  kPeriod = 8,         // timer, milliseconds
  kButtonCaption = 10, // push button
  kCaption = 11,       // radio button, check box
  kChecked = 18,       // radio button, check box
  kSelection = 19,     // combo box: selected index, -1 for none
};
// A web view's own properties, in their index order.
enum : int32_t {
  kFontSize = 8,       // 0 to 4; applied clamped
  kOffline = 9,        // bool
  kSilent = 10,        // bool
  kUrl = 11,           // text: writing navigates
  kStatusText = 12,    // text, read only
  kPageCaption = 13,   // text, read only: the title of the current page
};

// Integers and bools (0 or 1) as int32_t, texts as OwnedText.
using PropertyValue = std::variant<int32_t, OwnedText>;

PropertyValue GetControlProperty(const Form& window, int32_t control, int32_t property);
void SetControlProperty(const Form& window, int32_t control, int32_t property, int32_t value);
void SetControlProperty(const Form& window, int32_t control, int32_t property, const char* text);

// The two shapes the handlers read, for brevity: a text (new OwnedText) and an integer. An
// integer property read as text gives its decimal text; a text property read as an integer 0.
// Likewise a number written to a text property is written as its decimal text.
OwnedText GetTextProperty(const Form& window, int32_t control, int32_t property);
int32_t GetIntProperty(const Form& window, int32_t control, int32_t property);

// Creates the window from its form (or brings an existing one to the front). A modal load
// returns when the window has been destroyed. owner: a loaded form, or null.
bool LoadWindow(const Form& form, const Form* owner = nullptr, bool modal = false);

// Destroys the window after the current handler, without a close request.
void RequestDestroy(const Form& window);

// The item value of a combo box item; -1 for an index outside the items.
int32_t ComboItemValue(const Form& window, int32_t control, int32_t index);

// A message box: default title "信息：", task-modal unless 4096 is given. Returns OK 0,
// Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5, No 6.
int32_t ShowMessage(const char* text, int32_t flags = 0, const char* title = nullptr);

struct EventResult {
  bool handlerRan = false;
  std::optional<bool> result;  // only a bool handler gives one
};
// Calls the handler bound to the event now. control: an index, or kWindowItself for the
// window's events; menu items by kMenuItemBase + index.
inline constexpr int32_t kMenuItemBase = 0x10000;
EventResult RaiseEvent(const Form& window, int32_t control, int32_t event,
                       std::optional<int32_t> argument = std::nullopt);

// Whether the form has a live window.
bool IsWindowLoaded(const Form& form);

}  // namespace tamrivo
