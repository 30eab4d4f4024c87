// AboutWindow as data. The two picture boxes lie above the web view and hide its top and left
// edges; SupportLabel's last line falls on the top strip and points down to the page.
#include "app/forms/about_window.h"

#include <array>
#include <string_view>

#include "services/web_view_settings.h"

namespace tamrivo {

extern constexpr char kAboutText[] =
    "感谢您使用本软件！“Tamrivo”由“Tamrivo 开发组”开发，为方便上网的朋友定时关机、倒计时关机而设计。"
    "\r\n\r\n"
    "v2.0更新信息："
    "\r\n\r\n"
    "软件主页去掉广告，修改精简了代码！在v1.5的功能基础上，增加了定时关机功能，使之拥有倒计时和定时关机两种功能!"
    "对软件功能区进行了重新调整，看起来更美观！";

extern constexpr char kSupportText[] = "支持我们的发展，请点击下面的广告（绿色文字）\r\n\r\n↓点↓";

// We have no services, phone or messenger number to offer: problems go to the project's home
// page when the build names one (TAMRIVO_HOME_PAGE), otherwise back to where the program came
// from.
extern constexpr char kContactText[] =
    "Tamrivo 开发组只维护本软件，不承接建站、软件开发或培训业务。\r\n"
#ifdef TAMRIVO_HOME_PAGE
    "问题和建议请到本项目主页报告：" TAMRIVO_HOME_PAGE;
#else
    "问题和建议请向您取得本软件的地方报告，我们没有其他联系方式。";
#endif

namespace {

constexpr FontSpec kSupportFont{.face = "宋体", .height = -16, .weight = 700, .charset = 134};

// The advertisement page, loaded at every opening, on the server the build names; no address
// without one.
constexpr auto kAdViewSettings =
    StoredWebViewSettings(kMediumFontSize, false, false, TAMRIVO_AD_SERVER, "/admin/ad/tamrivo.htm");

constexpr std::array<ControlRecord, kAboutWindowControlCount> kControls{{
    {.name = "ContactLabel", .formName = "标签2", .kind = ControlKind::Label, .parent = kNoParent,
     .left = 32, .top = 272, .width = 384, .height = 40, .text = kContactText,
     .settings = {.textColour = kBlack, .background = kButtonFace, .wrap = true}},
    {.name = "SupportLabel", .formName = "标签1", .kind = ControlKind::Label, .parent = kNoParent,
     .left = 26, .top = 121, .width = 374, .height = 47, .text = kSupportText,
     .settings = {.textColour = kRed, .background = kButtonFace, .font = &kSupportFont, .wrap = true}},
    {.name = "LeftMask", .formName = "图片框3", .kind = ControlKind::PictureBox, .parent = kNoParent,
     .left = 3, .top = 150, .width = 24, .height = 128},
    {.name = "TopMask", .formName = "图片框1", .kind = ControlKind::PictureBox, .parent = kNoParent,
     .left = 8, .top = 152, .width = 432, .height = 16},
    {.name = "AboutAdView", .formName = "超文本浏览框1", .kind = ControlKind::WebView, .parent = kNoParent,
     .left = 16, .top = 152, .width = 424, .height = 112, .tabStop = true,
     .settings = {.webView = kAdViewSettings.span()}},
    {.name = "AboutText", .formName = "透明标签1", .kind = ControlKind::TransparentLabel, .parent = kNoParent,
     .left = 16, .top = 8, .width = 408, .height = 120, .text = kAboutText,
     .settings = {.textColour = kBlack}},
}};

static_assert(RowsInPlace<ControlRecord>(
                  kControls, std::array<std::string_view, kAboutWindowControlCount>{
                                 "ContactLabel", "SupportLabel", "LeftMask", "TopMask", "AboutAdView", "AboutText"}),
              "a control row is not at the place of its AboutWindowControl enumerator");

}  // namespace

extern constexpr Form AboutWindow{
    .name = "AboutWindow",
    .title = "关于本软件和作者",
    .left = 50,  // the stored place; the window is centred at each opening instead
    .top = 50,
    .width = 440,
    .height = 336,
    .placement = Placement::Centred,
    .minimizeBox = false,
    .maximizeBox = false,
    .visible = true,
    .inTaskbar = false,
    .escCloses = true,
    .enterMovesFocus = false,
    .icon = nullptr,  // the program file's own icon
    .events = {},
    .controls = kControls,
    .menu = {},
};

}  // namespace tamrivo
