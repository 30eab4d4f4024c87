// One window that the themed look has taken over: what kind of control it is and the state
// its painting depends on, tracked from the messages that pass. Internal to the layer.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace tamrivo {

enum class ThemedControlKind : uint8_t {
  None,  // left alone
  PushButton,
  CheckBox,
  RadioButton,
  GroupBox,
  EditBox,
  DropDownCombo,
  ComboList,  // the list a combo box drops; taken over for its state, drawn by itself
  SpinButton,
};

struct ThemedControl {
  HWND hwnd = nullptr;
  ThemedControlKind kind = ThemedControlKind::None;
  bool disabled = false;
  bool focused = false;
  bool hover = false;
  bool pushed = false;
  bool isDefault = false;
  bool checked = false;
  bool indeterminate = false;
  bool readOnly = false;
  bool bordered = false;  // edit box with a border of its own, which the look redraws
  // Edit boxes and spin buttons painted as one field: the partner lies on that side.
  bool joinedLeft = false;
  bool joinedRight = false;
  bool horizontal = false;    // spin button with arrows left and right
  bool firstHalfHot = false;  // the mouse is over the upper (left) half of a spin button
  HFONT font = nullptr;  // as the last WM_SETFONT gave it, or as the window had when taken over
  // The parent's answer to WM_CTLCOLORBTN. The brush belongs to the parent.
  bool coloursKnown = false;
  HBRUSH background = nullptr;
  COLORREF textColour = 0;
  uint64_t paints = 0;  // how often it has been painted, for the tests of repainting
};

// Decided from the class name and style; None for every window the look leaves alone.
ThemedControlKind ThemedKindOf(HWND window);

// A record with the state the window has now.
ThemedControl InitialState(HWND window, ThemedControlKind kind);

// The records of the windows that are taken over now.
std::size_t ThemedWindowCount();
const ThemedControl* FindThemedControl(HWND window);

}  // namespace tamrivo
