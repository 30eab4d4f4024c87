// The web view kind: a plain child window of its own class that hosts the system's browser
// control and keeps it covering its client area. Internal to the layer.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <memory>

#include "services/web_view_settings.h"
#include "ui/form.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace tamrivo {

class BrowserSite;
struct ControlInstance;

class WebView {
 public:
  WebView(HWND host, const ControlRecord& record, const WebViewSettings& settings);
  ~WebView();
  WebView(const WebView&) = delete;
  WebView& operator=(const WebView&) = delete;

  // Creates the browser inside the host and applies the settings: Offline and Silent, then the
  // text size, then one navigation when there is an address. False leaves the host empty.
  bool CreateBrowser();
  // Leaves the browser to be made, as CreateBrowser makes it, by the first navigation or the
  // first time the host is shown.
  void DeferBrowser() { browserDue_ = true; }
  void CreateDueBrowser();
  bool HasBrowser() const;
  // The browser control itself, for tests that talk to it as its events' source does; null
  // for an empty host.
  IUnknown* Browser() const;

  PropertyValue Read(int32_t property);
  void Write(int32_t property, const PropertyValue& value);

  // A key message offered first to the browser that has the focus; true when it took it.
  bool OfferMessage(const MSG& message);

  // Host window behaviour.
  void OnSize();
  void OnSetFocus();
  void Close();  // releases the browser, whose window dies with it

  // Called by the site for each of the browser's notifications; false cancels where a
  // notification can be cancelled.
  bool Raise(WebViewEvent event, const WebViewEventArgs& args);
  void NavigationEnded();  // the address being navigated to is the current one now
  void SetStatusText(OwnedText text) { statusText_ = std::move(text); }

 private:
  void Navigate(std::string_view gbkUrl);
  void ApplyTextSize();

  HWND host_;
  const ControlRecord* record_;
  int32_t fontSize_;
  bool offline_;
  bool silent_;
  bool browserDue_ = false;
  OwnedText initialUrl_;
  OwnedText pendingUrl_;  // the address of a navigation under way, empty when none
  OwnedText statusText_;
  ComPtr<BrowserSite> site_;  // given back by Close
};

// The window class of the hosts; registered before the first control is made.
inline constexpr wchar_t kWebViewHostClass[] = L"Tamrivo.WebView";
void RegisterWebViewHostClass();

// Makes the view of a control whose host window exists. Damaged stored settings, or a browser
// that cannot be created, leave the control an empty host: its window loads and works.
void SetUpWebView(ControlInstance& control);

// The view whose host holds the window, when there is one.
WebView* WebViewOfWindow(HWND window);

// Where the views create their browser from: the system's browser control by default. A test
// names a class that does not exist, to see a view without its browser.
void SetBrowserClass(const CLSID& clsid);
const CLSID& BrowserClass();

// Seen by tests: every ExecWB command that the browser passes on to its container, as some
// browsers do before a page has loaded. Null for none.
using ContainerCommandObserver = void (*)(DWORD command, DWORD option, const VARIANT* input);
void SetContainerCommandObserver(ContainerCommandObserver observer);

}  // namespace tamrivo
