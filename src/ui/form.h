// Forms: a window described as plain data. One window record, the control records in form
// order (the first lies on top; reversed, they give the Tab order) and the menu items.
// The layer (window.h) turns a form into a live window. No Win32 types here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tamrivo {

// The handler bound to an event: no argument, one integer argument (a spinner's direction, a
// tray event's type), or a bool result (the close request; false refuses).
struct Handler {
  void (*plain)() = nullptr;
  void (*withArgument)(int32_t) = nullptr;
  bool (*withResult)() = nullptr;

  constexpr Handler() = default;
  constexpr Handler(void (*f)()) : plain(f) {}
  constexpr Handler(void (*f)(int32_t)) : withArgument(f) {}
  constexpr Handler(bool (*f)()) : withResult(f) {}
  constexpr bool bound() const { return plain || withArgument || withResult; }
};

enum class ControlKind : uint8_t {
  EditBox, ComboBox, PushButton, CheckBox, RadioButton, Label, GroupBox, Spinner, Timer,
  PictureBox, TransparentLabel, WebView,
};

// 0x00BBGGRR; kButtonFace stands for the system button-face colour.
using Colour = uint32_t;
inline constexpr Colour kButtonFace = 0xFF000000;
inline constexpr Colour kBlack = 0x00000000;
inline constexpr Colour kWhite = 0x00FFFFFF;
inline constexpr Colour kRed = 0x000000FF;

// A font of its own; controls without one use the system's default GUI font.
struct FontSpec {
  const char* face;     // GBK
  int32_t height;       // negative: character height in pixels
  int32_t weight;       // 400 normal, 700 bold
  int32_t charset;      // 134 GB2312
};

enum class EditBorder : uint8_t { None, Single, Sunken };
enum class Alignment : uint8_t { Left, Centre, Right };

struct ComboItem {
  const char* text;  // GBK
  int32_t value;     // the item value
};

// The events of a web view, in the order of their numbers.
enum class WebViewEvent : int32_t {
  AboutToNavigate,       // "即将跳转", with the address; false cancels
  NavigateComplete,      // "跳转完毕", with the address
  DownloadBegin,         // "载入开始"
  ProgressChange,        // "载入进度改变", with the percentage
  DownloadComplete,      // "载入完毕"
  DocumentReady,         // "已就绪", with the address
  StatusTextChange,      // "状态文本被改变", with the text
  TitleChange,           // "标题被改变", with the title
  CommandStateChange,    // "命令状态被改变", with 0 forward or 1 back, and whether it is enabled
  AboutToOpenNewWindow,  // "即将打开新窗口"; false cancels
};
inline constexpr std::size_t kWebViewEventCount = 10;

struct WebViewEventArgs {
  const char* text = nullptr;  // GBK: the address, status text or title; null for none
  int32_t number = 0;          // the percentage, or the command
  bool enabled = false;        // the command's state
};

// A handler of a web view's events; its result counts only where false cancels.
using WebViewHandler = bool (*)(WebViewEvent event, const WebViewEventArgs& args);
struct WebViewHandlers {
  WebViewHandler bound[kWebViewEventCount] = {};  // by event number; null for none
};

// Kind settings. Only the fields of the control's kind are read.
struct ControlSettings {
  // edit box
  EditBorder border = EditBorder::None;
  Alignment alignment = Alignment::Left;
  int32_t lengthLimit = 0;  // bytes the user may type; 0 for no limit
  // edit box, labels, buttons
  Colour textColour = kBlack;
  Colour background = kButtonFace;
  const FontSpec* font = nullptr;
  // combo box
  std::span<const ComboItem> items = {};
  int32_t selected = -1;        // initially selected item
  int32_t droppedHeight = 0;    // height of the opened list from the control's top
  // labels: wrap at word boundaries from the top, rather than one line centred vertically
  bool wrap = false;
  // radio button, check box
  bool checked = false;
  // timer: milliseconds, 0 stopped
  int32_t period = 0;
  // web view: its stored settings (services/web_view_settings.h) and the handlers of its events
  std::span<const uint8_t> webView = {};
  const WebViewHandlers* webViewHandlers = nullptr;
};

// Event numbers of controls (all 0 within their kind) and of windows.
enum : int32_t {
  kTextChanged = 0, kClicked = 0, kPressed = 0, kTick = 0,
};
enum : int32_t {
  kCreated = 0, kCloseRequest = 1, kDestroyEvent = 2, kMoved = 3, kResized = 4,
  kActivated = 5, kDeactivated = 6, kFirstActivation = 8, kTrayEvent = 9, kShown = 10, kHidden = 11,
};

inline constexpr int32_t kNoParent = -1;  // the control's parent is the window itself

struct ControlRecord {
  const char* name;      // the system's name, e.g. "CountEdit"
  const char* formName;  // the form's name, e.g. "编辑框2" (GBK)
  ControlKind kind;
  int32_t parent;        // index of a group box or picture box of the same form, or kNoParent
  int32_t left, top, width, height;
  bool visible = true;
  bool disabled = false;
  bool tabStop = false;
  int32_t tabOrder = 0;
  const char* text = nullptr;  // GBK; the caption, content or item-less text
  ControlSettings settings = {};
  Handler event = {};    // the control's event number 0 (text changed, clicked, press, tick)
};

struct MenuItemRecord {
  const char* caption;   // GBK; "-" is a separator
  const char* name;
  int32_t level;         // 0 top level, 1 an item of the preceding top-level item
  bool hidden = false;
  bool disabled = false;
  bool checked = false;
  Handler selected = {};
};

enum class Placement : uint8_t { Stored, Centred };

struct WindowEvents {
  Handler created;
  Handler closeRequest;
  Handler trayEvent;
  Handler destroyed;
  Handler moved;
  Handler resized;
};

struct Form {
  const char* name;       // e.g. "MainWindow"
  const char* title;      // GBK
  int32_t left, top;      // stored place (unused when centred)
  int32_t width, height;  // outer size
  Placement placement;
  bool minimizeBox, maximizeBox;
  bool visible;           // shown at creation
  bool inTaskbar;
  bool escCloses;
  bool enterMovesFocus;
  // The bytes of the window's .ico file, which the program carries as a resource; null for the
  // program file's own icon.
  std::span<const uint8_t> (*icon)() = nullptr;
  WindowEvents events;
  std::span<const ControlRecord> controls;
  std::span<const MenuItemRecord> menu;
};

// For a compile-time check that each row of a form lies at the place its enumerator gives it:
// true when the rows' names are the enumerators' names, in order.
template <typename Row, std::size_t N>
constexpr bool RowsInPlace(std::span<const Row> rows, const std::array<std::string_view, N>& names) {
  if (rows.size() != N) return false;
  for (std::size_t i = 0; i < N; ++i) {
    if (std::string_view(rows[i].name) != names[i]) return false;
  }
  return true;
}

}  // namespace tamrivo
