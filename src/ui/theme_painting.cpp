#include "ui/theme_painting.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "ui/button_text.h"
#include "ui/handles.h"

namespace tamrivo {
namespace {

constexpr COLORREF kTickColour = RGB(33, 162, 33);
constexpr COLORREF kDisabledMark = RGB(206, 203, 189);  // tick and square of a disabled box
constexpr COLORREF kWhiteRef = RGB(255, 255, 255);
constexpr int kBoxSize = 13;       // check box
constexpr int kRadioCell = 16;     // radio button
constexpr int kRadioDiameter = 13;
constexpr int kTextGap = 18;       // from the box's edge to its text

// The system's button face with n taken from each of red, green and blue.
COLORREF FaceLess(int n) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return RGB(std::max(GetRValue(face) - n, 0), std::max(GetGValue(face) - n, 0), std::max(GetBValue(face) - n, 0));
}

RECT Inset(RECT rect, int by) {
  InflateRect(&rect, -by, -by);
  return rect;
}

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

TRIVERTEX Vertex(LONG x, LONG y, Colour colour) {
  return {x, y, static_cast<COLOR16>(GetRValue(colour) << 8), static_cast<COLOR16>(GetGValue(colour) << 8),
          static_cast<COLOR16>(GetBValue(colour) << 8), 0};
}

// The first and last rows take the top and bottom colours exactly.
void Fill(HDC dc, const RECT& rect, const Gradient& gradient) {
  if (IsEmpty(rect)) return;
  if (gradient.topLeft == gradient.topRight && gradient.bottomLeft == gradient.bottomRight) {
    const LONG lastRow = rect.bottom - 1;
    if (lastRow > rect.top) {
      std::array<TRIVERTEX, 2> corners{Vertex(rect.left, rect.top, gradient.topLeft),
                                       Vertex(rect.right, lastRow, gradient.bottomLeft)};
      GRADIENT_RECT mesh{0, 1};
      GdiGradientFill(dc, corners.data(), 2, &mesh, 1, GRADIENT_FILL_RECT_V);
    }
    Fill(dc, RECT{rect.left, lastRow, rect.right, rect.bottom}, gradient.bottomLeft);
    return;
  }
  // Split along the diagonal from top right to bottom left, so a diagonal gradient with equal
  // top-right and bottom-left colours runs evenly from corner to corner.
  std::array<TRIVERTEX, 4> corners{
      Vertex(rect.left, rect.top, gradient.topLeft), Vertex(rect.right, rect.top, gradient.topRight),
      Vertex(rect.left, rect.bottom, gradient.bottomLeft), Vertex(rect.right, rect.bottom, gradient.bottomRight)};
  std::array<GRADIENT_TRIANGLE, 2> mesh{{{0, 1, 2}, {1, 3, 2}}};
  GdiGradientFill(dc, corners.data(), 4, mesh.data(), 2, GRADIENT_FILL_TRIANGLE);
}

// A diagonal gradient: top-left colour, the colour of the other two corners, bottom-right.
constexpr Gradient Diagonal(COLORREF from, COLORREF middle, COLORREF to) { return {from, middle, middle, to}; }

void Circle(HDC dc, const RECT& bounds, COLORREF outline, COLORREF inside) {
  SetDCPenColor(dc, outline);
  SetDCBrushColor(dc, inside);
  SelectedObject pen(dc, GetStockObject(DC_PEN));
  SelectedObject brush(dc, GetStockObject(DC_BRUSH));
  Ellipse(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
}

// A gradient seen only inside the circle that `bounds` holds.
void FillCircle(HDC dc, const RECT& bounds, const Gradient& gradient) {
  UniqueRegion circle(CreateEllipticRgn(bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1));
  if (!circle) return;
  SelectClipRgn(dc, circle.get());
  Fill(dc, bounds, gradient);
  SelectClipRgn(dc, nullptr);
}

// What every text-bearing painter needs of the window. The font is the one the record saw
// pass, and the text is read without a message: each message sent during a paint also goes
// through the thread's creation hook, which costs more than the rest of the paint.
struct Face {
  HFONT font = nullptr;
  std::wstring text;
  LONG_PTR style = 0;
};

Face FaceOf(const ThemedControl& control) {
  Face face{};
  // Any program can send WM_SETFONT: only a font is selected as one.
  face.font = GetObjectType(control.font) == OBJ_FONT ? control.font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  // At most 255 characters, as a button shows.
  std::array<wchar_t, 256> buffer{};
  const int length = InternalGetWindowText(control.hwnd, buffer.data(), static_cast<int>(buffer.size()));
  face.text.assign(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
  face.style = GetWindowLongPtrW(control.hwnd, GWL_STYLE);
  return face;
}

void FillBackground(HDC dc, const RECT& rect, const ThemedControl& control) {
  HBRUSH brush = control.background ? control.background : GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &rect, brush);
}

// Push button ----------------------------------------------------------------------------

PushEntry BandOf(const ThemedControl& c) {
  if (c.pushed) return kBandPushed;
  if (c.hover) return kBandHover;
  if (c.checked || c.indeterminate) return kBandChecked;
  if (c.focused || c.isDefault) return kBandFocused;
  return kBandNormal;
}

// Each corner loses its outermost border pixel; the pixels beside it soften the curve.
void RoundPushButtonCorners(HDC dc, const RECT& all, bool disabled, COLORREF border) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF beside = disabled ? FaceLess(21) : border;
  const COLORREF inner = disabled ? FaceLess(17) : border;
  const std::array<POINT, 4> corners{{{all.left, all.top}, {all.right - 1, all.top},
                                      {all.left, all.bottom - 1}, {all.right - 1, all.bottom - 1}}};
  for (const POINT corner : corners) {
    const int dx = corner.x == all.left ? 1 : -1;
    const int dy = corner.y == all.top ? 1 : -1;
    SetPixelV(dc, corner.x + dx, corner.y + dy, face);
    SetPixelV(dc, corner.x + 2 * dx, corner.y + dy, beside);
    SetPixelV(dc, corner.x + dx, corner.y + 2 * dy, beside);
    SetPixelV(dc, corner.x + 2 * dx, corner.y + 2 * dy, inner);
  }
}

void PaintPushButton(HDC dc, const RECT& all, const ThemedControl& c, const ColourSet& set, const Face& face) {
  FillBackground(dc, all, c);
  Frame(dc, all, GetSysColor(COLOR_BTNFACE));
  const RECT border = Inset(all, 1);
  const COLORREF borderColour = c.disabled ? FaceLess(32) : set.pushButtonBorder;
  Frame(dc, border, borderColour);
  const RECT band = Inset(border, 1);
  if (c.disabled) {
    Fill(dc, band, RGB(245, 244, 234));
  } else {
    Fill(dc, band, set.pushButton[BandOf(c)]);
  }
  const RECT inner = Inset(band, 2);
  if (c.pushed || c.checked || c.indeterminate) {
    Fill(dc, inner, set.pushButton[kFacePushed]);
  } else if (!c.disabled) {
    Fill(dc, inner, set.pushButton[kFaceNormal]);
  }
  RoundPushButtonCorners(dc, all, c.disabled, borderColour);
  if (c.focused) {
    const RECT focus = Inset(all, 3);
    DrawFocusRect(dc, &focus);
  }
  RECT text = inner;
  if (c.pushed) OffsetRect(&text, 1, 1);
  SetTextColor(dc, c.disabled || c.indeterminate ? RGB(165, 162, 148) : RGB(0, 0, 0));
  DrawButtonText(dc, face.text, text, face.style);
}

// Check box and radio button -------------------------------------------------------------

// Where the box (or the radio button's cell) of `size` sits, and where the text goes.
struct BoxLayout {
  RECT box;
  RECT text;
};

BoxLayout LayOutBox(const RECT& all, LONG_PTR style, int size) {
  const bool right = (style & BS_RIGHTBUTTON) != 0;
  const LONG_PTR vertical = style & BS_VCENTER;
  const int top = vertical == BS_VCENTER ? (all.bottom - size) / 2 : vertical == BS_BOTTOM ? all.bottom - size : 0;
  const int left = right ? all.right - size : 0;
  BoxLayout layout{{left, top, left + size, top + size}, all};
  if (right) {
    layout.text.right = all.right - kTextGap;
  } else {
    layout.text.left = kTextGap;
  }
  return layout;
}

// The inside of a check box or radio button when it is neither disabled nor hovered.
Gradient BoxGradient(const ThemedControl& c) {
  if (c.pushed) return Diagonal(RGB(181, 178, 165), RGB(214, 215, 206), RGB(247, 239, 222));
  if (c.hover) return Diagonal(RGB(255, 243, 206), RGB(255, 203, 99), RGB(255, 178, 49));
  return Diagonal(RGB(222, 223, 214), RGB(247, 243, 239), kWhiteRef);
}

void DrawBoxText(HDC dc, const BoxLayout& layout, const ThemedControl& c, const Face& face) {
  SetTextColor(dc, c.disabled ? GetSysColor(COLOR_GRAYTEXT) : c.textColour);
  RECT drawn = DrawButtonText(dc, face.text, layout.text, face.style);
  if (c.focused && !IsEmpty(drawn)) {
    InflateRect(&drawn, 1, 1);
    DrawFocusRect(dc, &drawn);
  }
}

COLORREF SquareColour(const ThemedControl& c) {
  if (!c.indeterminate) return c.checked ? RGB(247, 247, 247) : RGB(231, 231, 231);
  if (c.disabled) return kDisabledMark;
  if (c.pushed) return RGB(24, 138, 24);
  if (c.hover) return kTickColour;
  return RGB(115, 195, 115);
}

void DrawTick(HDC dc, POINT origin, COLORREF colour) {
  // The first row of each column of the 7 x 7 area; every column is three pixels tall.
  constexpr std::array<int, 7> kFirstRow{2, 3, 4, 3, 2, 1, 0};
  for (int column = 0; column < 7; ++column) {
    const RECT stroke{origin.x + column, origin.y + kFirstRow[column], origin.x + column + 1,
                      origin.y + kFirstRow[column] + 3};
    Fill(dc, stroke, colour);
  }
}

void PaintCheckBox(HDC dc, const RECT& all, const ThemedControl& c, const Face& face) {
  FillBackground(dc, all, c);
  const BoxLayout layout = LayOutBox(all, face.style, kBoxSize);
  Frame(dc, layout.box, c.disabled ? FaceLess(32) : RGB(24, 81, 132));
  const RECT inside = Inset(layout.box, 1);
  if (c.disabled) {
    Fill(dc, inside, kWhiteRef);
  } else {
    Fill(dc, inside, BoxGradient(c));
  }
  const RECT mark = Inset(layout.box, 3);
  if (c.indeterminate || (c.hover && !c.pushed)) Fill(dc, mark, SquareColour(c));
  if (c.checked) DrawTick(dc, {mark.left, mark.top}, c.disabled ? kDisabledMark : kTickColour);
  DrawBoxText(dc, layout, c, face);
}

void PaintRadioButton(HDC dc, const RECT& all, const ThemedControl& c, const Face& face) {
  FillBackground(dc, all, c);
  const BoxLayout layout = LayOutBox(all, face.style, kRadioCell);
  const int offset = (kRadioCell - kRadioDiameter) / 2;
  const RECT circle{layout.box.left + offset, layout.box.top + offset, layout.box.left + offset + kRadioDiameter,
                    layout.box.top + offset + kRadioDiameter};
  // The disc of the Windows NT family; the program runs on nothing older.
  Circle(dc, circle, c.disabled ? FaceLess(32) : RGB(33, 85, 132), c.disabled ? FaceLess(16) : RGB(181, 195, 206));
  const RECT inside = Inset(circle, 2);
  if (c.disabled) {
    FillCircle(dc, inside, Flat(kWhiteRef));
  } else if (c.hover && !c.pushed) {
    FillCircle(dc, inside, {RGB(255, 223, 156), RGB(255, 195, 82), RGB(255, 203, 99), RGB(255, 186, 57)});
    const COLORREF disc = RGB(247, 239, 222);
    Circle(dc, Inset(inside, 2), disc, disc);
  } else {
    FillCircle(dc, inside, BoxGradient(c));
  }
  if (c.checked) {
    const COLORREF ring = c.disabled ? RGB(214, 211, 206) : RGB(156, 203, 148);
    const RECT dot = Inset(inside, 1);
    Circle(dc, dot, ring, ring);
    FillCircle(dc, Inset(dot, 1),
               c.disabled ? Diagonal(RGB(214, 215, 206), RGB(198, 195, 189), RGB(198, 190, 181))
                          : Diagonal(RGB(173, 223, 165), RGB(41, 170, 33), RGB(16, 146, 16)));
  }
  DrawBoxText(dc, layout, c, face);
}

// Group box ------------------------------------------------------------------------------

constexpr COLORREF kGroupFrame = RGB(191, 184, 191);

void PaintGroupBox(HDC dc, const RECT& all, const ThemedControl& c, const Face& face) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const RECT frame{all.left, all.top + metrics.tmHeight / 2, all.right, all.bottom};
  // The control's own drawing puts a double line and its text here; the look has one line.
  FillBackground(dc, RECT{all.left, all.top, all.right, frame.top + 2}, c);
  const RECT second = Inset(frame, 1);
  for (const RECT& side : {RECT{second.left, second.top, second.left + 1, second.bottom},
                           RECT{second.right - 1, second.top, second.right, second.bottom},
                           RECT{second.left, second.bottom - 1, second.right, second.bottom}}) {
    FillBackground(dc, side, c);
  }
  Frame(dc, frame, kGroupFrame);
  // Rounded: each corner pixel and its neighbours along both edges show the background, the
  // pixel diagonally inside carries the line.
  LOGBRUSH background{};
  GetObjectW(c.background ? c.background : GetSysColorBrush(COLOR_BTNFACE), sizeof(background), &background);
  const std::array<POINT, 4> corners{{{frame.left, frame.top}, {frame.right - 1, frame.top},
                                      {frame.left, frame.bottom - 1}, {frame.right - 1, frame.bottom - 1}}};
  for (const POINT corner : corners) {
    const int dx = corner.x == frame.left ? 1 : -1;
    const int dy = corner.y == frame.top ? 1 : -1;
    SetPixelV(dc, corner.x, corner.y, background.lbColor);
    SetPixelV(dc, corner.x + dx, corner.y, background.lbColor);
    SetPixelV(dc, corner.x, corner.y + dy, background.lbColor);
    SetPixelV(dc, corner.x + dx, corner.y + dy, kGroupFrame);
  }
  if (face.text.empty()) return;
  RECT strip{};
  DrawTextW(dc, face.text.c_str(), static_cast<int>(face.text.size()), &strip, DT_SINGLELINE | DT_CALCRECT);
  const int width = strip.right - strip.left;
  const LONG_PTR horizontal = face.style & BS_CENTER;
  const int left = horizontal == BS_CENTER  ? (all.right - width) / 2
                   : horizontal == BS_RIGHT ? all.right - 10 - width
                                            : 9;
  strip = {left, all.top, left + width, all.top + metrics.tmHeight};
  FillBackground(dc, strip, c);
  SetTextColor(dc, c.textColour);
  DrawTextW(dc, face.text.c_str(), static_cast<int>(face.text.size()), &strip, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

// Fields: edit box, combo box, spin button -------------------------------------------------

// The outer line of a field and the ring inside it.
void FrameField(HDC dc, const RECT& all, const ThemedControl& c, const ColourSet& set) {
  Frame(dc, all, c.disabled ? FaceLess(32) : set.fieldBorder);
  Frame(dc, Inset(all, 1), GetSysColor(c.disabled || c.readOnly ? COLOR_BTNFACE : COLOR_WINDOW));
}

void PaintEditBox(HDC dc, const RECT& all, const ThemedControl& c, const ColourSet& set) {
  FrameField(dc, all, c, set);
  // The joined side opens into the spin button.
  if (c.joinedLeft) Fill(dc, RECT{all.left, all.top + 1, all.left + 1, all.bottom - 1}, kWhiteRef);
  if (c.joinedRight) Fill(dc, RECT{all.right - 1, all.top + 1, all.right, all.bottom - 1}, kWhiteRef);
}

enum class Glyph : uint8_t { Chevron, Up, Down, Left, Right };

void DrawGlyph(HDC dc, const RECT& rect, Glyph glyph, COLORREF colour) {
  const int cx = (rect.left + rect.right - 1) / 2;
  const int cy = (rect.top + rect.bottom - 1) / 2;
  switch (glyph) {
    case Glyph::Chevron:
      // A "v" seven pixels wide, two pixels thick.
      for (int step = 0; step < 4; ++step) {
        for (int thickness = 0; thickness < 2; ++thickness) {
          SetPixelV(dc, cx - 3 + step, cy - 2 + step + thickness, colour);
          SetPixelV(dc, cx + 3 - step, cy - 2 + step + thickness, colour);
        }
      }
      break;
    case Glyph::Up:
    case Glyph::Down:
      for (int row = 0; row < 3; ++row) {
        const int y = glyph == Glyph::Up ? cy - 1 + row : cy + 1 - row;
        Fill(dc, RECT{cx - row, y, cx + row + 1, y + 1}, colour);
      }
      break;
    case Glyph::Left:
    case Glyph::Right:
      for (int column = 0; column < 3; ++column) {
        const int x = glyph == Glyph::Left ? cx - 1 + column : cx + 1 - column;
        Fill(dc, RECT{x, cy - column, x + 1, cy + column + 1}, colour);
      }
      break;
  }
}

ArrowState ArrowStateOf(bool disabled, bool pushed, bool hover) {
  if (disabled) return kArrowDisabled;
  if (pushed) return kArrowPushed;
  if (hover) return kArrowHover;
  return kArrowNormal;
}

void PaintArrowButton(HDC dc, const RECT& rect, ArrowState state, Glyph glyph, const ColourSet& set) {
  if (IsEmpty(rect)) return;
  Fill(dc, rect, set.arrow[kArrowBand + state]);
  const Gradient& corners = set.arrow[kArrowCorners + state];
  SetPixelV(dc, rect.left, rect.top, corners.topLeft);
  SetPixelV(dc, rect.right - 1, rect.top, corners.topRight);
  SetPixelV(dc, rect.left, rect.bottom - 1, corners.bottomLeft);
  SetPixelV(dc, rect.right - 1, rect.bottom - 1, corners.bottomRight);
  Fill(dc, Inset(rect, 1), set.arrow[kArrowFace + state]);
  DrawGlyph(dc, rect, glyph, state == kArrowDisabled ? RGB(206, 203, 198) : set.arrowGlyph);
}

void PaintCombo(HDC dc, const RECT& all, const ThemedControl& c, const ColourSet& set) {
  FrameField(dc, all, c, set);
  const RECT inside = Inset(all, 2);
  const RECT button{std::max(inside.left, inside.right - GetSystemMetrics(SM_CYVTHUMB)), inside.top, inside.right,
                    inside.bottom};
  PaintArrowButton(dc, button, ArrowStateOf(c.disabled, c.pushed, c.hover), Glyph::Chevron, set);
}

void PaintSpinButton(HDC dc, const RECT& all, const ThemedControl& c, const ColourSet& set) {
  Fill(dc, all, set.fieldBorder);
  if (c.joinedLeft || c.joinedRight) {
    // The frame of a joined pair is the blue set's field border in every set.
    Frame(dc, all, c.disabled ? FaceLess(32) : RGB(123, 158, 189));
    const COLORREF open = GetSysColor(c.disabled ? COLOR_BTNFACE : COLOR_WINDOW);
    const int x = c.joinedLeft ? all.left : all.right - 1;
    Fill(dc, RECT{x, all.top + 1, x + 1, all.bottom - 1}, open);
  }
  const RECT inside = Inset(all, 1);
  RECT first = inside, second = inside;
  if (c.horizontal) {
    first.right = second.left = (inside.left + inside.right) / 2;
  } else {
    first.bottom = second.top = (inside.top + inside.bottom) / 2;
  }
  // Only the half under the mouse lights up.
  PaintArrowButton(dc, first, ArrowStateOf(c.disabled, c.pushed && c.firstHalfHot, c.hover && c.firstHalfHot),
                   c.horizontal ? Glyph::Left : Glyph::Up, set);
  PaintArrowButton(dc, second, ArrowStateOf(c.disabled, c.pushed && !c.firstHalfHot, c.hover && !c.firstHalfHot),
                   c.horizontal ? Glyph::Right : Glyph::Down, set);
}

bool IsField(ThemedControlKind kind) {
  return kind == ThemedControlKind::EditBox || kind == ThemedControlKind::DropDownCombo ||
         kind == ThemedControlKind::SpinButton;
}

// Whether the painter draws only on top of what is on the screen.
bool AddsToScreen(ThemedControlKind kind) {
  return kind == ThemedControlKind::EditBox || kind == ThemedControlKind::DropDownCombo ||
         kind == ThemedControlKind::GroupBox;
}

}  // namespace

ParentColours AskParentColours(HWND control, HDC dc) {
  HWND parent = GetParent(control);
  if (!parent || !dc) return {nullptr, GetSysColor(COLOR_BTNTEXT)};
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  // The answer comes from another window's procedure: only a brush is used as one.
  return {GetObjectType(brush) == OBJ_BRUSH ? brush : nullptr, GetTextColor(dc)};
}

HDC PaintBuffer::Prepare(HDC compatible, SIZE size) {
  if (!memory_) memory_.reset(CreateCompatibleDC(compatible));
  if (!memory_) return nullptr;
  if (!bitmap_ || size.cx > size_.cx || size.cy > size_.cy) {
    selected_.reset();
    size_ = {std::max(size.cx, size_.cx), std::max(size.cy, size_.cy)};
    bitmap_.reset(CreateCompatibleBitmap(compatible, size_.cx, size_.cy));
    if (!bitmap_) return nullptr;
    selected_.emplace(memory_.get(), bitmap_.get());
  }
  return memory_.get();
}

void PaintThemedControl(const ThemedControl& control, const ColourSet& colours, PaintBuffer& buffer) {
  HWND window = control.hwnd;
  if (control.kind == ThemedControlKind::ComboList || !IsWindowVisible(window)) return;
  if (control.kind == ThemedControlKind::EditBox && !control.bordered) return;
  RECT place{};
  GetWindowRect(window, &place);
  const RECT all{0, 0, place.right - place.left, place.bottom - place.top};
  if (IsEmpty(all)) return;
  // The fields draw only frames and arrows; their text is the control's own.
  const Face face = IsField(control.kind) ? Face{} : FaceOf(control);

  WindowDc screen(window, WindowDc::WholeWindow);
  if (!screen.get()) return;
  HDC dc = buffer.Prepare(screen.get(), {all.right, all.bottom});
  if (!dc) return;
  std::optional<SelectedObject> selectedFont;
  if (face.font) selectedFont.emplace(dc, face.font);
  SetBkMode(dc, TRANSPARENT);
  if (AddsToScreen(control.kind)) BitBlt(dc, 0, 0, all.right, all.bottom, screen.get(), 0, 0, SRCCOPY);

  switch (control.kind) {
    case ThemedControlKind::PushButton: PaintPushButton(dc, all, control, colours, face); break;
    case ThemedControlKind::CheckBox: PaintCheckBox(dc, all, control, face); break;
    case ThemedControlKind::RadioButton: PaintRadioButton(dc, all, control, face); break;
    case ThemedControlKind::GroupBox: PaintGroupBox(dc, all, control, face); break;
    case ThemedControlKind::EditBox: PaintEditBox(dc, all, control, colours); break;
    case ThemedControlKind::DropDownCombo: PaintCombo(dc, all, control, colours); break;
    case ThemedControlKind::SpinButton: PaintSpinButton(dc, all, control, colours); break;
    case ThemedControlKind::ComboList:
    case ThemedControlKind::None: return;
  }
  BitBlt(screen.get(), 0, 0, all.right, all.bottom, dc, 0, 0, SRCCOPY);
}

}  // namespace tamrivo
