// MainWindow as data: the window's settings, its controls in form order (the first lies on
// top; reversed, they give the Tab order) and its menu items.
//
// Event bindings are left empty ({}) with the handler's name beside them until the handlers
// exist; the layer does nothing for an event without a handler.
#include "app/forms/main_window.h"

#include <array>
#include <string_view>

#include "app/handlers.h"
#include "services/web_view_settings.h"
#include "system/resources.h"

namespace tamrivo {
namespace {

constexpr FontSpec kAboutButtonFont{.face = "宋体", .height = -12, .weight = 400, .charset = 134};
constexpr FontSpec kRemainingFont{.face = "新宋体", .height = -14, .weight = 700, .charset = 134};

// Item values of ActionCombo are the power actions: 1 shut down, 2 restart, 3 log off,
// 4 stand by, 5 hibernate.
constexpr std::array<ComboItem, 5> kActionItems{{
    {"关机", 1},
    {"重启", 2},
    {"注销", 3},
    {"休眠", 4},
    {"冬眠", 5},
}};
// Seconds per unit.
constexpr std::array<ComboItem, 3> kUnitItems{{
    {"小时后", 3600},
    {"分钟后", 60},
    {"秒后", 1},
}};
// 24 adds twelve hours to the hour typed.
constexpr std::array<ComboItem, 2> kHalfDayItems{{
    {"上午", 12},
    {"下午", 24},
}};

constexpr int32_t kDroppedListHeight = 160;

// The advertisement page, on the server the build names; no address without one.
constexpr auto kAdViewSettings =
    StoredWebViewSettings(kMediumFontSize, false, false, TAMRIVO_AD_SERVER, "/admin/ad/tamrivo2.htm");

constexpr ControlSettings kSunkenEdit{
    .border = EditBorder::Sunken, .textColour = kBlack, .background = kWhite};

constexpr ControlSettings Combo(std::span<const ComboItem> items) {
  return {.textColour = kBlack, .background = kWhite, .items = items, .selected = 0,
          .droppedHeight = kDroppedListHeight};
}

constexpr ControlSettings Timer(int32_t period) { return {.period = period}; }

constexpr std::array<ControlRecord, kMainWindowControlCount> kControls{{
    {.name = "AdView", .formName = "超文本浏览框1", .kind = ControlKind::WebView, .parent = kNoParent,
     .left = 272, .top = 304, .width = 16, .height = 24, .visible = false, .tabStop = true,
     .settings = {.webView = kAdViewSettings.span()}},
    {.name = "AboutButton", .formName = "按钮5", .kind = ControlKind::PushButton, .parent = kNoParent,
     .left = 24, .top = 288, .width = 96, .height = 32, .tabStop = true, .text = "关于软件和作者",
     .settings = {.font = &kAboutButtonFont},
     .event = AboutRequested},
    {.name = "AtTimeTimer", .formName = "时钟3", .kind = ControlKind::Timer, .parent = ConfigGroup,
     .left = 146, .top = 0, .width = 26, .height = 26, .settings = Timer(0),
     .event = AtTimeTick},
    {.name = "CountdownTimer", .formName = "时钟2", .kind = ControlKind::Timer, .parent = ConfigGroup,
     .left = 112, .top = 0, .width = 26, .height = 26, .settings = Timer(0),
     .event = CountdownTick},
    {.name = "MinuteLabel", .formName = "标签4", .kind = ControlKind::Label, .parent = ConfigGroup,
     .left = 151, .top = 95, .width = 13, .height = 15, .text = "分"},
    {.name = "NowEdit", .formName = "编辑框6", .kind = ControlKind::EditBox, .parent = ConfigGroup,
     .left = 21, .top = 123, .width = 194, .height = 20, .tabStop = true, .text = "",
     .settings = {.border = EditBorder::Single, .alignment = Alignment::Centre, .textColour = kRed,
                  .background = kButtonFace}},
    {.name = "ClockTimer", .formName = "时钟1", .kind = ControlKind::Timer, .parent = ConfigGroup,
     .left = 77, .top = 0, .width = 26, .height = 26, .settings = Timer(1000),
     .event = ClockTick},
    {.name = "MinuteSpinner", .formName = "调节器3", .kind = ControlKind::Spinner, .parent = ConfigGroup,
     .left = 137, .top = 90, .width = 12, .height = 20, .disabled = true,
     .event = MinuteSpinnerPressed},
    {.name = "FlashCheck", .formName = "选择框2", .kind = ControlKind::CheckBox, .parent = ConfigGroup,
     .left = 20, .top = 156, .width = 178, .height = 24, .tabStop = true,
     .text = "托盘图标闪烁，在执行动作前", .settings = {.checked = false},
     .event = FlashCheckClicked},
    {.name = "MinuteEdit", .formName = "编辑框4", .kind = ControlKind::EditBox, .parent = ConfigGroup,
     .left = 116, .top = 91, .width = 17, .height = 20, .disabled = true, .tabStop = true, .text = "0",
     .settings = kSunkenEdit,
     .event = MinuteEditChanged},
    {.name = "HourLabel", .formName = "标签2", .kind = ControlKind::Label, .parent = ConfigGroup,
     .left = 101, .top = 95, .width = 11, .height = 15, .text = "时"},
    {.name = "HourSpinner", .formName = "调节器2", .kind = ControlKind::Spinner, .parent = ConfigGroup,
     .left = 87, .top = 90, .width = 11, .height = 20, .disabled = true,
     .event = HourSpinnerPressed},
    {.name = "HalfDayCombo", .formName = "组合框3", .kind = ControlKind::ComboBox, .parent = ConfigGroup,
     .left = 166, .top = 92, .width = 50, .height = 20, .disabled = true, .tabStop = true,
     .settings = Combo(kHalfDayItems)},
    {.name = "HourEdit", .formName = "编辑框3", .kind = ControlKind::EditBox, .parent = ConfigGroup,
     .left = 65, .top = 91, .width = 20, .height = 20, .disabled = true, .tabStop = true, .text = "1",
     .settings = kSunkenEdit,
     .event = HourEditChanged},
    {.name = "AtTimeRadio", .formName = "单选框2", .kind = ControlKind::RadioButton, .parent = ConfigGroup,
     .left = 17, .top = 94, .width = 34, .height = 17, .tabStop = true, .text = "于",
     .settings = {.checked = false},
     .event = AtTimeRadioClicked},
    {.name = "UnitCombo", .formName = "组合框2", .kind = ControlKind::ComboBox, .parent = ConfigGroup,
     .left = 119, .top = 60, .width = 97, .height = 20, .tabStop = true,
     .settings = Combo(kUnitItems)},
    {.name = "CountSpinner", .formName = "调节器1", .kind = ControlKind::Spinner, .parent = ConfigGroup,
     .left = 99, .top = 59, .width = 11, .height = 20,
     .event = CountSpinnerPressed},
    {.name = "CountEdit", .formName = "编辑框2", .kind = ControlKind::EditBox, .parent = ConfigGroup,
     .left = 65, .top = 60, .width = 32, .height = 20, .tabStop = true, .text = "1",
     .settings = {.border = EditBorder::Sunken, .lengthLimit = 3, .textColour = kBlack,
                  .background = kWhite},
     .event = CountEditChanged},
    {.name = "CountdownRadio", .formName = "单选框1", .kind = ControlKind::RadioButton, .parent = ConfigGroup,
     .left = 17, .top = 64, .width = 30, .height = 14, .tabStop = true, .text = "在",
     .settings = {.checked = true},
     .event = CountdownRadioClicked},
    {.name = "ActionCombo", .formName = "组合框1", .kind = ControlKind::ComboBox, .parent = ConfigGroup,
     .left = 65, .top = 28, .width = 151, .height = 20, .tabStop = true,
     .settings = Combo(kActionItems)},
    {.name = "ActionLabel", .formName = "标签1", .kind = ControlKind::Label, .parent = ConfigGroup,
     .left = 14, .top = 30, .width = 24, .height = 16, .text = "动作"},
    {.name = "RemainingEdit", .formName = "编辑框1", .kind = ControlKind::EditBox, .parent = kNoParent,
     .left = 32, .top = 224, .width = 224, .height = 30, .tabStop = true, .text = "定时器已停止",
     .settings = {.border = EditBorder::None, .alignment = Alignment::Centre, .textColour = kBlack,
                  .background = kButtonFace, .font = &kRemainingFont}},
    {.name = "StartStopButton", .formName = "按钮1", .kind = ControlKind::PushButton, .parent = kNoParent,
     .left = 130, .top = 288, .width = 134, .height = 32, .tabStop = true, .text = "启动定时器(&E)",
     .event = StartStopClicked},
    {.name = "ConfigGroup", .formName = "分组框1", .kind = ControlKind::GroupBox, .parent = kNoParent,
     .left = 24, .top = 5, .width = 238, .height = 195, .text = "配置"},
    {.name = "RemainingGroup", .formName = "分组框2", .kind = ControlKind::GroupBox, .parent = kNoParent,
     .left = 22, .top = 209, .width = 240, .height = 55, .text = "剩余倒计时"},
}};

// The hidden top-level item keeps the menu bar away; its items are the tray icon's menu.
constexpr std::array<MenuItemRecord, kMainWindowMenuItemCount> kMenu{{
    {.caption = "托盘菜单", .name = "TrayMenu", .level = 0, .hidden = true},
    {.caption = "退出(&X)", .name = "ExitItem", .level = 1, .selected = ExitSelected},
    {.caption = "-", .name = "TrayMenuSeparator", .level = 1},
    {.caption = "关于(&A)", .name = "AboutItem", .level = 1, .selected = AboutRequested},
}};

#define TAMRIVO_NAME(name) std::string_view(#name),
static_assert(RowsInPlace<ControlRecord>(kControls, std::array{TAMRIVO_MAIN_WINDOW_CONTROLS(TAMRIVO_NAME)}),
              "a control row is not at the place of its MainWindowControl enumerator");
static_assert(RowsInPlace<MenuItemRecord>(kMenu, std::array{TAMRIVO_MAIN_WINDOW_MENU(TAMRIVO_NAME)}),
              "a menu row is not at the place of its MainWindowMenuItem enumerator");
#undef TAMRIVO_NAME

}  // namespace

extern constexpr Form MainWindow{
    .name = "MainWindow",
    .title = "Tamrivo v2.0",
    .left = 50,  // the stored place; the window is centred instead
    .top = 50,
    .width = 295,
    .height = 378,
    .placement = Placement::Centred,
    .minimizeBox = false,
    .maximizeBox = false,
    .visible = true,
    .inTaskbar = true,
    .escCloses = true,
    .enterMovesFocus = false,
    .icon = MainWindowIconBytes,  // the orange pinwheel
    .events = {
        .created = MainWindowCreated,
        .closeRequest = CloseRequested,
        .trayEvent = TrayNotified,
    },
    .controls = kControls,
    .menu = kMenu,
};

}  // namespace tamrivo
