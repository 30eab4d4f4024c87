// The web view kind against a loopback HTTP server that each test starts and stops: what the
// views request and when, their properties, the cancelling handlers, the host window, the
// keyboard, and a view whose browser cannot be created. Wine has no HTML engine here, so the
// checks are about requests, not about what a page looks like.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>

#include "loopback_server.h"
#include "ui/handles.h"
#include "ui/web_view.h"
#include "ui/window.h"
#include "ui/window_instance.h"
#include "ui_support.h"

namespace tamrivo {
namespace {

using test::EventLog;

using Bytes = std::vector<uint8_t>;

// Stored settings as a window description holds them.
Bytes Stored(int32_t fontSize, bool offline, bool silent, const std::string& url) {
  Bytes bytes;
  auto put = [&](int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
  };
  put(1);
  put(fontSize);
  put(offline ? 1 : 0);
  put(silent ? 1 : 0);
  put(static_cast<int32_t>(url.size()));
  bytes.insert(bytes.end(), url.begin(), url.end());
  return bytes;
}

// What the handlers answer, by event.
bool g_allowNavigation = true;
bool g_allowNewWindow = true;

bool LogEvent(WebViewEvent event, const WebViewEventArgs& args) {
  static constexpr const char* kNames[] = {"navigate",  "navigated", "download", "progress", "downloaded",
                                           "ready",     "status",    "title",    "command",  "new window"};
  std::string entry = kNames[static_cast<int>(event)];
  if (event == WebViewEvent::AboutToNavigate || event == WebViewEvent::NavigateComplete) {
    entry += std::string(" ") + (args.text ? args.text : "");
  }
  EventLog().push_back(entry);
  if (event == WebViewEvent::AboutToNavigate) return g_allowNavigation;
  if (event == WebViewEvent::AboutToOpenNewWindow) return g_allowNewWindow;
  return true;
}

WebViewHandlers AllLogged() {
  WebViewHandlers handlers;
  for (auto& handler : handlers.bound) handler = LogEvent;
  return handlers;
}
const WebViewHandlers kLogged = AllLogged();

enum ViewControl : int32_t { FirstView, SecondView, kViewCount };

// A window with two views, whose settings each test gives.
struct ViewWindow {
  Bytes first, second;
  const WebViewHandlers* firstHandlers = nullptr;
  const WebViewHandlers* secondHandlers = nullptr;
  bool firstVisible = true, secondVisible = true;
  std::array<ControlRecord, kViewCount> controls;
  Form form;

  ViewWindow(Bytes firstSettings, Bytes secondSettings)
      : first(std::move(firstSettings)), second(std::move(secondSettings)) {}

  const Form& Load() {
    controls = {{
        {.name = "FirstView", .formName = "超文本浏览框1", .kind = ControlKind::WebView, .parent = kNoParent,
         .left = 10, .top = 10, .width = 200, .height = 120, .visible = firstVisible, .tabStop = true,
         .settings = {.webView = first, .webViewHandlers = firstHandlers}},
        {.name = "SecondView", .formName = "超文本浏览框2", .kind = ControlKind::WebView, .parent = kNoParent,
         .left = 220, .top = 10, .width = 16, .height = 24, .visible = secondVisible, .tabStop = true,
         .settings = {.webView = second, .webViewHandlers = secondHandlers}},
    }};
    form = {.name = "Views", .title = "浏览", .left = 100, .top = 100, .width = 300, .height = 200,
            .placement = Placement::Stored, .visible = true, .inTaskbar = true, .escCloses = true,
            .controls = controls};
    EXPECT_TRUE(LoadWindow(form));
    return form;
  }
  ~ViewWindow() { test::Unload(form); }
};

class WebViewTest : public testing::Test {
 protected:
  // OLE for this thread, as the program's start-up gives it; the process tests of this program
  // check that start-up is the first to ask.
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(server.listening());
    EventLog().clear();
    g_allowNavigation = true;
    g_allowNewWindow = true;
  }
  void TearDown() override { OleUninitialize(); }
  std::string Url(const std::string& path) { return server.Address() + path; }
  bool Requested(const std::string& path, int times = 1) {
    return test::PumpUntil([&] { return server.Requests(path) >= times; }, 20000);
  }

  test::LoopbackServer server;
};

WebView& ViewOf(const Form& form, int32_t control) {
  WebView* view = FindInstance(form)->controls[static_cast<std::size_t>(control)].webView.get();
  EXPECT_NE(view, nullptr);
  return *view;
}

TEST_F(WebViewTest, AViewRequestsItsAddressOnceAtCreationAndAViewWithoutOneNothing) {
  ViewWindow window(Stored(2, false, false, ""), Stored(2, false, false, Url("/a.htm")));
  window.Load();
  ASSERT_TRUE(Requested("/a.htm"));
  test::PumpFor(1500);  // time for a repeated or stray request to arrive
  EXPECT_EQ(server.Requests("/a.htm"), 1);
  EXPECT_EQ(server.TotalRequests(), 1);
}

TEST_F(WebViewTest, WritingTheUrlNavigatesAgainAndReadsItBack) {
  ViewWindow window(Stored(2, false, false, Url("/a.htm")), Stored(2, false, false, ""));
  const Form& form = window.Load();
  ASSERT_TRUE(Requested("/a.htm"));
  SetControlProperty(form, FirstView, kUrl, Url("/b.htm").c_str());
  EXPECT_EQ(test::Bytes(GetTextProperty(form, FirstView, kUrl)), Url("/b.htm"));
  ASSERT_TRUE(Requested("/b.htm"));
  // A view without an address is given one the same way.
  SetControlProperty(form, SecondView, kUrl, Url("/c.htm").c_str());
  EXPECT_EQ(test::Bytes(GetTextProperty(form, SecondView, kUrl)), Url("/c.htm"));
  ASSERT_TRUE(Requested("/c.htm"));
  EXPECT_EQ(server.Requests("/a.htm"), 1);
}

TEST_F(WebViewTest, SettingsReadBackAsStoredAndWritten) {
  ViewWindow window(Stored(7, true, true, ""), Stored(0, false, false, ""));
  const Form& form = window.Load();
  EXPECT_EQ(GetIntProperty(form, FirstView, kFontSize), 7);
  EXPECT_EQ(GetIntProperty(form, FirstView, kOffline), 1);
  EXPECT_EQ(GetIntProperty(form, FirstView, kSilent), 1);
  EXPECT_EQ(GetIntProperty(form, SecondView, kFontSize), 0);
  EXPECT_EQ(GetIntProperty(form, SecondView, kOffline), 0);
  EXPECT_EQ(GetIntProperty(form, SecondView, kSilent), 0);
  SetControlProperty(form, SecondView, kOffline, 1);
  SetControlProperty(form, SecondView, kSilent, 1);
  SetControlProperty(form, FirstView, kOffline, 0);
  EXPECT_EQ(GetIntProperty(form, SecondView, kOffline), 1);
  EXPECT_EQ(GetIntProperty(form, SecondView, kSilent), 1);
  EXPECT_EQ(GetIntProperty(form, FirstView, kOffline), 0);
  EXPECT_EQ(test::Bytes(GetTextProperty(form, SecondView, kUrl)), "");
  EXPECT_EQ(test::Bytes(GetTextProperty(form, SecondView, kStatusText)), "");
}

// The browser here passes ExecWB to its container while it has no document; the container
// shows what it was given.
void LogZoom(DWORD command, DWORD option, const VARIANT* input) {
  if (command != OLECMDID_ZOOM) return;
  const bool integer = input && V_VT(input) == VT_I4;
  EventLog().push_back("zoom " + (integer ? std::to_string(V_I4(input)) : "?") + " option " +
                       std::to_string(option));
}

TEST_F(WebViewTest, CreationAppliesTheClampedTextSizeBeforeItsOneNavigation) {
  SetContainerCommandObserver(LogZoom);
  ViewWindow window(Stored(7, false, false, Url("/a.htm")), Stored(-1, false, false, ""));
  window.firstHandlers = &kLogged;
  const Form& form = window.Load();
  ASSERT_TRUE(Requested("/a.htm"));
  SetControlProperty(form, SecondView, kFontSize, 3);
  SetContainerCommandObserver(nullptr);
  ASSERT_GE(EventLog().size(), 4u);
  EXPECT_EQ(EventLog()[0], "zoom 4 option 2");
  EXPECT_EQ(EventLog()[1], "navigate " + Url("/a.htm"));
  const std::vector<std::string> zooms = [] {
    std::vector<std::string> found;
    for (const std::string& entry : EventLog()) {
      if (entry.starts_with("zoom")) found.push_back(entry);
    }
    return found;
  }();
  EXPECT_EQ(zooms, (std::vector<std::string>{"zoom 4 option 2", "zoom 0 option 2", "zoom 3 option 2"}));
  EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "navigate " + Url("/a.htm")), 1);
}

// A hidden view with no address has no page to show: it makes its browser, the way creation
// does, only when it is shown or given an address.
TEST_F(WebViewTest, AHiddenViewWithoutAnAddressMakesItsBrowserWhenShownOrGivenOne) {
  SetContainerCommandObserver(LogZoom);
  ViewWindow window(Stored(7, true, false, ""), Stored(-1, false, true, ""));
  window.firstVisible = window.secondVisible = false;
  window.secondHandlers = &kLogged;
  const Form& form = window.Load();
  EXPECT_FALSE(ViewOf(form, FirstView).HasBrowser());
  EXPECT_FALSE(ViewOf(form, SecondView).HasBrowser());
  EXPECT_EQ(GetIntProperty(form, FirstView, kOffline), 1);

  SetControlProperty(form, FirstView, kVisible, 1);
  EXPECT_TRUE(ViewOf(form, FirstView).HasBrowser());
  EXPECT_EQ(GetIntProperty(form, FirstView, kOffline), 1) << "as the browser reads it";
  EXPECT_FALSE(ViewOf(form, SecondView).HasBrowser());

  SetControlProperty(form, SecondView, kUrl, Url("/a.htm").c_str());
  ASSERT_TRUE(Requested("/a.htm"));
  EXPECT_TRUE(ViewOf(form, SecondView).HasBrowser());
  EXPECT_EQ(GetIntProperty(form, SecondView, kSilent), 1);
  SetContainerCommandObserver(nullptr);
  std::vector<std::string> made;
  for (const std::string& entry : EventLog()) {
    if (entry.starts_with("zoom") || entry.starts_with("navigate")) made.push_back(entry);
  }
  EXPECT_EQ(made, (std::vector<std::string>{"zoom 4 option 2", "zoom 0 option 2", "navigate " + Url("/a.htm")}));
  EXPECT_EQ(server.TotalRequests(), 1);
}

TEST_F(WebViewTest, AnAboutToNavigateHandlerThatSaysFalseKeepsTheRequestFromTheServer) {
  for (const bool allow : {false, true}) {
    SCOPED_TRACE(allow ? "allowed" : "refused");
    g_allowNavigation = allow;
    const std::string path = allow ? "/allowed.htm" : "/refused.htm";
    // The second view has no handler: its request always goes, and tells when the first's
    // would have arrived.
    ViewWindow window(Stored(2, false, false, Url(path)), Stored(2, false, false, Url("/free.htm" + path)));
    window.firstHandlers = &kLogged;
    window.Load();
    ASSERT_TRUE(Requested("/free.htm" + path));
    if (allow) {
      EXPECT_TRUE(Requested(path));
    } else {
      test::PumpFor(1500);
      EXPECT_EQ(server.Requests(path), 0);
      EXPECT_EQ(test::Bytes(GetTextProperty(window.form, FirstView, kUrl)), "");
    }
  }
}

// The views' event sink, found as the browser knows it: through its connection point.
ComPtr<IDispatch> SinkOf(WebView& view) {
  ComPtr<IDispatch> sink;
  IConnectionPointContainer* points = nullptr;
  if (FAILED(view.Browser()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) {
    return sink;
  }
  IConnectionPoint* point = nullptr;
  IEnumConnections* connections = nullptr;
  if (SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &point)) &&
      SUCCEEDED(point->EnumConnections(&connections))) {
    CONNECTDATA data{};
    while (!sink && connections->Next(1, &data, nullptr) == S_OK) {
      data.pUnk->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(sink.put()));
      data.pUnk->Release();
    }
    connections->Release();
  }
  if (point) point->Release();
  points->Release();
  return sink;
}

// Calls the sink with the arguments in their declared order (DISPPARAMS wants them reversed).
void Notify(IDispatch* sink, DISPID id, std::vector<VARIANT> arguments) {
  std::reverse(arguments.begin(), arguments.end());
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

VARIANT Long(LONG value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}
VARIANT Bool(bool value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}
VARIANT BoolRef(VARIANT_BOOL* flag) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BOOL | VT_BYREF;
  V_BOOLREF(&v) = flag;
  return v;
}
VARIANT DispatchRef(IDispatch** out) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_DISPATCH | VT_BYREF;
  V_DISPATCHREF(&v) = out;
  return v;
}

// Wine's browser asks for no new window without an HTML engine, so the sink is called as the
// browser calls it when a page asks for one.
TEST_F(WebViewTest, TheNewWindowCancelFlagIsSetOnlyByAHandlerThatSaysFalse) {
  ViewWindow window(Stored(2, false, false, ""), Stored(2, false, false, ""));
  window.firstHandlers = &kLogged;
  const Form& form = window.Load();
  const struct {
    int32_t view;
    bool allow;
    VARIANT_BOOL cancel;
  } cases[] = {{FirstView, false, VARIANT_TRUE}, {FirstView, true, VARIANT_FALSE}, {SecondView, false, VARIANT_FALSE}};
  for (const auto& c : cases) {
    g_allowNewWindow = c.allow;
    ComPtr<IDispatch> sink = SinkOf(ViewOf(form, c.view));
    ASSERT_TRUE(sink);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    IDispatch* opened = nullptr;
    Notify(sink.get(), DISPID_NEWWINDOW2, {DispatchRef(&opened), BoolRef(&cancel)});
    EXPECT_EQ(cancel, c.cancel) << "view " << c.view << (c.allow ? " allowing" : " refusing");
  }
  EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "new window"), 2);
}

TEST_F(WebViewTest, EventsCarryThePercentageAndTheCommand) {
  struct Seen {
    WebViewEvent event;
    int32_t number;
    bool enabled;
  };
  static std::vector<Seen> seen;
  seen.clear();
  WebViewHandlers handlers;
  for (auto& handler : handlers.bound) {
    handler = [](WebViewEvent event, const WebViewEventArgs& args) {
      seen.push_back({event, args.number, args.enabled});
      return true;
    };
  }
  ViewWindow window(Stored(2, false, false, ""), Stored(2, false, false, ""));
  window.firstHandlers = &handlers;
  const Form& form = window.Load();
  ComPtr<IDispatch> sink = SinkOf(ViewOf(form, FirstView));
  ASSERT_TRUE(sink);
  Notify(sink.get(), DISPID_PROGRESSCHANGE, {Long(50), Long(200)});
  Notify(sink.get(), DISPID_PROGRESSCHANGE, {Long(7), Long(0)});             // no maximum: done
  Notify(sink.get(), DISPID_COMMANDSTATECHANGE, {Long(CSC_NAVIGATEFORWARD), Bool(true)});
  Notify(sink.get(), DISPID_COMMANDSTATECHANGE, {Long(CSC_NAVIGATEBACK), Bool(false)});
  Notify(sink.get(), DISPID_COMMANDSTATECHANGE, {Long(CSC_UPDATECOMMANDS), Bool(true)});  // not ours
  Notify(sink.get(), DISPID_PROGRESSCHANGE, {Long(1)});                      // malformed: ignored
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].event, WebViewEvent::ProgressChange);
  EXPECT_EQ(seen[0].number, 25);
  EXPECT_EQ(seen[1].number, 100);
  EXPECT_EQ(seen[2].event, WebViewEvent::CommandStateChange);
  EXPECT_EQ(seen[2].number, 0);
  EXPECT_TRUE(seen[2].enabled);
  EXPECT_EQ(seen[3].number, 1);
  EXPECT_FALSE(seen[3].enabled);
}

TEST_F(WebViewTest, TheHostKeepsTheBrowserCoveringItPassesTheFocusAndTakesItAlong) {
  ViewWindow window(Stored(2, false, false, ""), Stored(2, false, false, ""));
  const Form& form = window.Load();
  HWND host = test::ControlWindow(form, FirstView);
  HWND browser = GetWindow(host, GW_CHILD);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(GetDlgCtrlID(browser), 59648);
  SetControlProperty(form, FirstView, kWidth, 150);
  SetControlProperty(form, FirstView, kHeight, 90);
  RECT hostClient{}, browserPlace{};
  GetClientRect(host, &hostClient);
  GetWindowRect(browser, &browserPlace);
  MapWindowPoints(HWND_DESKTOP, host, reinterpret_cast<POINT*>(&browserPlace), 2);
  EXPECT_EQ(browserPlace.left, 0);
  EXPECT_EQ(browserPlace.top, 0);
  EXPECT_EQ(browserPlace.right, hostClient.right);
  EXPECT_EQ(browserPlace.bottom, hostClient.bottom);

  test::Activate(form);
  SetFocus(host);
  EXPECT_TRUE(GetFocus() == browser || IsChild(browser, GetFocus()));
  EXPECT_EQ(test::FocusedControl(form), FirstView);

  test::Unload(form);
  EXPECT_FALSE(IsWindow(browser));
}

TEST_F(WebViewTest, EscClosesTheWindowWhileTheBrowserHasTheFocus) {
  ViewWindow window(Stored(2, false, false, ""), Stored(2, false, false, ""));
  const Form& form = window.Load();
  test::Activate(form);
  SetFocus(test::ControlWindow(form, FirstView));
  ASSERT_EQ(test::FocusedControl(form), FirstView);
  test::PressKeys({VK_ESCAPE});
  EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowLoaded(form); }));
}

TEST_F(WebViewTest, AViewWhoseBrowserCannotBeCreatedStaysAnEmptyHostAndItsWindowWorks) {
  // {00000000-7A6D-4E1F-9C3B-5D2A60F1E8B4}: no such class is registered.
  const CLSID kMissing = {0x00000000, 0x7A6D, 0x4E1F, {0x9C, 0x3B, 0x5D, 0x2A, 0x60, 0xF1, 0xE8, 0xB4}};
  SetBrowserClass(kMissing);
  ViewWindow window(Stored(2, false, false, Url("/a.htm")), Stored(2, false, false, ""));
  const Form& form = window.Load();
  SetBrowserClass(CLSID_WebBrowser);
  ASSERT_TRUE(IsWindowLoaded(form));
  HWND host = test::ControlWindow(form, FirstView);
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(GetWindow(host, GW_CHILD), nullptr);
  EXPECT_FALSE(ViewOf(form, FirstView).HasBrowser());
  SetControlProperty(form, FirstView, kUrl, Url("/b.htm").c_str());  // nothing to navigate with
  EXPECT_EQ(GetIntProperty(form, FirstView, kFontSize), 2);
  EXPECT_EQ(GetIntProperty(form, FirstView, kLeft), 10);
  // A view made afterwards has its browser again; its request shows the empty one made none.
  ViewWindow later(Stored(2, false, false, Url("/later.htm")), Stored(2, false, false, ""));
  later.Load();
  ASSERT_TRUE(Requested("/later.htm"));
  EXPECT_EQ(server.TotalRequests(), 1);
}

}  // namespace
}  // namespace tamrivo
