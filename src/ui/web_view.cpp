// The web view kind. The host is a window of our own class; inside it the browser control is
// embedded by a small hand-written OLE container, BrowserSite: one ref-counted object that is
// the client site, the in-place site and frame the control asks for, and the sink of its
// DWebBrowserEvents2. The container customises nothing of the browser's own interface.
#include "ui/web_view.h"

#include <docobj.h>
#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <ole2.h>

#include <algorithm>
#include <string>
#include <utility>

#include "services/fatal.h"
#include "ui/handles.h"
#include "ui/text_encoding.h"
#include "ui/window_instance.h"

namespace tamrivo {
namespace {

constexpr int kBrowserControlId = 59648;

CLSID g_browserClass = CLSID_WebBrowser;
ContainerCommandObserver g_commandObserver = nullptr;

template <typename T>
ComPtr<T> QueryFrom(IUnknown* object, REFIID iid) {
  ComPtr<T> result;
  if (object) object->QueryInterface(iid, reinterpret_cast<void**>(result.put()));
  return result;
}

// A BSTR owned for the length of a call.
class Bstr {
 public:
  explicit Bstr(const std::wstring& text) : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr() = default;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(s_); }
  BSTR get() const { return s_; }
  BSTR* put() {
    SysFreeString(s_);
    s_ = nullptr;
    return &s_;
  }
  OwnedText Gbk() const { return GbkFromWide(s_ ? std::wstring_view(s_, SysStringLen(s_)) : std::wstring_view()); }

 private:
  BSTR s_ = nullptr;
};

// The arguments of an event, which arrive last first. Each is checked before use: the caller
// is another component and owes us nothing.
class EventArguments {
 public:
  explicit EventArguments(const DISPPARAMS* params) : params_(params) {}

  // The argument at a position counted from the first, looked through one by-reference variant.
  const VARIANT* At(UINT position) const {
    if (!params_ || !params_->rgvarg || position >= params_->cArgs) return nullptr;
    const VARIANT* v = &params_->rgvarg[params_->cArgs - 1 - position];
    if (V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
    return v && V_VT(v) != (VT_VARIANT | VT_BYREF) ? v : nullptr;
  }
  OwnedText Text(UINT position) const {
    const VARIANT* v = At(position);
    if (!v) return {};
    if (V_VT(v) == VT_BSTR && V_BSTR(v)) return GbkFromWide({V_BSTR(v), SysStringLen(V_BSTR(v))});
    if (V_VT(v) == (VT_BSTR | VT_BYREF) && V_BSTRREF(v) && *V_BSTRREF(v)) {
      return GbkFromWide({*V_BSTRREF(v), SysStringLen(*V_BSTRREF(v))});
    }
    return {};
  }
  std::optional<LONG> Integer(UINT position) const {
    const VARIANT* v = At(position);
    if (!v) return std::nullopt;
    if (V_VT(v) == VT_I4) return V_I4(v);
    if (V_VT(v) == (VT_I4 | VT_BYREF) && V_I4REF(v)) return *V_I4REF(v);
    return std::nullopt;
  }
  std::optional<bool> Bool(UINT position) const {
    const VARIANT* v = At(position);
    if (!v || V_VT(v) != VT_BOOL) return std::nullopt;
    return V_BOOL(v) != VARIANT_FALSE;
  }
  VARIANT_BOOL* CancelFlag(UINT position) const {
    const VARIANT* v = At(position);
    return v && V_VT(v) == (VT_BOOL | VT_BYREF) ? V_BOOLREF(v) : nullptr;
  }
  UINT Count() const { return params_ ? params_->cArgs : 0; }

 private:
  const DISPPARAMS* params_;
};

// The progress as a percentage; a maximum of 0 counts as done.
int32_t Percentage(LONG progress, LONG maximum) {
  if (maximum == 0) return 100;
  return static_cast<int32_t>(static_cast<int64_t>(progress) * 100 / maximum);
}

}  // namespace

// The container of one browser control. The view owns one reference; the browser holds
// others while it lives. Close cuts the link to the view, so a late call finds nobody.
class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IOleContainer,
                          public IOleCommandTarget,
                          public IDispatch {
 public:
  BrowserSite(WebView* view, HWND host) : view_(view), host_(host) {}

  // Creates and activates the browser in the host; false when any step fails.
  bool Embed() {
    if (FAILED(CoCreateInstance(BrowserClass(), nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                IID_IOleObject, reinterpret_cast<void**>(object_.put())))) {
      return false;
    }
    if (FAILED(object_->SetClientSite(static_cast<IOleClientSite*>(this)))) return false;
    browser_ = QueryFrom<IWebBrowser2>(object_.get(), IID_IWebBrowser2);
    if (!browser_) return false;
    Advise();
    RECT client{};
    GetClientRect(host_, &client);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, host_,
                               &client))) {
      return false;
    }
    inPlace_ = QueryFrom<IOleInPlaceObject>(object_.get(), IID_IOleInPlaceObject);
    activeObject_ = QueryFrom<IOleInPlaceActiveObject>(object_.get(), IID_IOleInPlaceActiveObject);
    if (inPlace_) inPlace_->GetWindow(&browserWindow_);
    if (browserWindow_) SetWindowLongPtrW(browserWindow_, GWLP_ID, kBrowserControlId);
    return true;
  }

  // Ends the embedding; the browser's window goes with it.
  void Close() {
    view_ = nullptr;
    if (cookie_ && object_) {
      auto points = QueryFrom<IConnectionPointContainer>(object_.get(), IID_IConnectionPointContainer);
      ComPtr<IConnectionPoint> point;
      if (points && SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, point.put()))) {
        point->Unadvise(cookie_);
      }
      cookie_ = 0;
    }
    if (inPlace_) inPlace_->InPlaceDeactivate();
    inPlace_.reset();
    activeObject_.reset();
    browser_.reset();
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
      object_.reset();
    }
    if (browserWindow_ && IsWindow(browserWindow_)) DestroyWindow(browserWindow_);
    browserWindow_ = nullptr;
  }

  IWebBrowser2* Browser() const { return browser_.get(); }
  HWND BrowserWindow() const { return browserWindow_; }

  void Resize() {
    RECT client{};
    GetClientRect(host_, &client);
    if (inPlace_) inPlace_->SetObjectRects(&client, &client);
    if (browserWindow_) {
      SetWindowPos(browserWindow_, nullptr, 0, 0, client.right, client.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  bool TranslateAccelerator(const MSG& message) {
    MSG copy = message;
    return activeObject_ && activeObject_->TranslateAccelerator(&copy) == S_OK;
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else if (iid == IID_IParseDisplayName || iid == IID_IOleContainer) {
      *out = static_cast<IOleContainer*>(this);
    } else if (iid == IID_IOleCommandTarget) {
      *out = static_cast<IOleCommandTarget*>(this);
    } else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
      *out = static_cast<IDispatch*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (!out) return E_POINTER;
    *out = static_cast<IOleContainer*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, for the in-place site and the frame alike
  STDMETHODIMP GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = host_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    GetClientRect(host_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = host_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT position) override {
    if (inPlace_ && position) inPlace_->SetObjectRects(position, position);
    return S_OK;
  }

  // IOleInPlaceUIWindow and IOleInPlaceFrame: no tool space, menus or status bar to share
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IOleContainer
  STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP EnumObjects(DWORD, IEnumUnknown** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP LockContainer(BOOL) override { return S_OK; }

  // IOleCommandTarget: the container supports no command of its own.
  STDMETHODIMP QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override {
    return OLECMDERR_E_NOTSUPPORTED;
  }
  STDMETHODIMP Exec(const GUID* group, DWORD command, DWORD option, VARIANT* input, VARIANT*) override {
    if (!group && g_commandObserver) g_commandObserver(command, option, input);
    return OLECMDERR_E_NOTSUPPORTED;
  }

  // IDispatch: the browser's events
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

 private:
  ~BrowserSite() = default;

  void Advise() {
    auto points = QueryFrom<IConnectionPointContainer>(object_.get(), IID_IConnectionPointContainer);
    ComPtr<IConnectionPoint> point;
    if (!points || FAILED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, point.put()))) return;
    if (FAILED(point->Advise(static_cast<IDispatch*>(this), &cookie_))) cookie_ = 0;
  }

  // Raises the event on the view, if it still has one; the view may be gone afterwards.
  bool Raise(WebViewEvent event, const WebViewEventArgs& args) {
    AddRef();  // the handler may close the view and with it our last other reference
    const bool allowed = view_ ? view_->Raise(event, args) : true;
    Release();
    return allowed;
  }

  ULONG references_ = 1;
  WebView* view_;
  HWND host_;
  ComPtr<IOleObject> object_;
  ComPtr<IWebBrowser2> browser_;
  ComPtr<IOleInPlaceObject> inPlace_;
  ComPtr<IOleInPlaceActiveObject> activeObject_;
  HWND browserWindow_ = nullptr;
  DWORD cookie_ = 0;
};

STDMETHODIMP BrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                 UINT*) {
  const EventArguments a(params);
  switch (id) {
    case DISPID_BEFORENAVIGATE2: {  // browser, url, flags, frame, post data, headers, cancel
      VARIANT_BOOL* cancel = a.CancelFlag(6);
      const OwnedText url = a.Text(1);
      if (!Raise(WebViewEvent::AboutToNavigate, {.text = url.get()}) && cancel) {
        *cancel = VARIANT_TRUE;
        if (view_) view_->NavigationEnded();
      }
      return S_OK;
    }
    case DISPID_NAVIGATECOMPLETE2: {  // browser, url
      if (view_) view_->NavigationEnded();
      const OwnedText url = a.Text(1);
      Raise(WebViewEvent::NavigateComplete, {.text = url.get()});
      return S_OK;
    }
    case DISPID_NAVIGATEERROR:
      if (view_) view_->NavigationEnded();
      return S_OK;
    case DISPID_DOWNLOADBEGIN:
      Raise(WebViewEvent::DownloadBegin, {});
      return S_OK;
    case DISPID_PROGRESSCHANGE: {  // progress, maximum
      const std::optional<LONG> progress = a.Integer(0), maximum = a.Integer(1);
      if (!progress || !maximum) return S_OK;
      Raise(WebViewEvent::ProgressChange, {.number = Percentage(*progress, *maximum)});
      return S_OK;
    }
    case DISPID_DOWNLOADCOMPLETE:
      Raise(WebViewEvent::DownloadComplete, {});
      return S_OK;
    case DISPID_DOCUMENTCOMPLETE: {  // browser, url
      const OwnedText url = a.Text(1);
      Raise(WebViewEvent::DocumentReady, {.text = url.get()});
      return S_OK;
    }
    case DISPID_STATUSTEXTCHANGE: {  // text
      OwnedText text = a.Text(0);
      if (view_) view_->SetStatusText(OwnedText::Copy(text.view()));
      Raise(WebViewEvent::StatusTextChange, {.text = text.get()});
      return S_OK;
    }
    case DISPID_TITLECHANGE: {  // title
      const OwnedText title = a.Text(0);
      Raise(WebViewEvent::TitleChange, {.text = title.get()});
      return S_OK;
    }
    case DISPID_COMMANDSTATECHANGE: {  // command, enabled
      const std::optional<LONG> command = a.Integer(0);
      const std::optional<bool> enabled = a.Bool(1);
      // Forward and back only; the browser also says "update all commands" this way.
      if (!command || !enabled || (*command != CSC_NAVIGATEFORWARD && *command != CSC_NAVIGATEBACK)) return S_OK;
      Raise(WebViewEvent::CommandStateChange,
            {.number = *command == CSC_NAVIGATEFORWARD ? 0 : 1, .enabled = *enabled});
      return S_OK;
    }
    case DISPID_NEWWINDOW2: {  // new browser (out), cancel
      // The browser that also sends NewWindow3 sends this first; one event is raised per request.
      VARIANT_BOOL* cancel = a.CancelFlag(1);
      if (!Raise(WebViewEvent::AboutToOpenNewWindow, {}) && cancel) *cancel = VARIANT_TRUE;
      return S_OK;
    }
    default:
      return S_OK;
  }
}

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    auto* view = reinterpret_cast<WebView*>(GetWindowLongPtrW(hwnd, 0));
    switch (message) {
      case WM_SIZE:
        if (view) view->OnSize();
        return 0;
      case WM_SETFOCUS:
        if (view) view->OnSetFocus();
        return 0;
      case WM_SHOWWINDOW:
        if (view && wParam) view->CreateDueBrowser();
        return DefWindowProcW(hwnd, message, wParam, lParam);
      case WM_DESTROY:
        if (view) view->Close();
        SetWindowLongPtrW(hwnd, 0, 0);
        return 0;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  } catch (...) {
    ReportFatalError("");
  }
}

}  // namespace

void RegisterWebViewHostClass() {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{sizeof(WNDCLASSEXW)};
  if (!GetClassInfoExW(module, kWebViewHostClass, &existing)) {
    WNDCLASSEXW hostClass{sizeof(WNDCLASSEXW)};
    hostClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    hostClass.lpfnWndProc = HostProc;
    hostClass.cbWndExtra = sizeof(WebView*);
    hostClass.hInstance = module;
    hostClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    hostClass.lpszClassName = kWebViewHostClass;
    RegisterClassExW(&hostClass);
  }
}

void SetBrowserClass(const CLSID& clsid) { g_browserClass = clsid; }
const CLSID& BrowserClass() { return g_browserClass; }
void SetContainerCommandObserver(ContainerCommandObserver observer) { g_commandObserver = observer; }

WebView::WebView(HWND host, const ControlRecord& record, const WebViewSettings& settings)
    : host_(host),
      record_(&record),
      fontSize_(settings.fontSize),
      offline_(settings.offline),
      silent_(settings.silent),
      initialUrl_(OwnedText::Copy(settings.url)) {
  SetWindowLongPtrW(host_, 0, reinterpret_cast<LONG_PTR>(this));
}

WebView::~WebView() {
  Close();
  if (IsWindow(host_) && GetWindowLongPtrW(host_, 0) == reinterpret_cast<LONG_PTR>(this)) {
    SetWindowLongPtrW(host_, 0, 0);
  }
}

bool WebView::CreateBrowser() {
  site_.reset(new BrowserSite(this, host_));
  if (!site_->Embed()) {
    Close();
    return false;
  }
  IWebBrowser2* browser = site_->Browser();
  browser->put_Offline(offline_ ? VARIANT_TRUE : VARIANT_FALSE);
  browser->put_Silent(silent_ ? VARIANT_TRUE : VARIANT_FALSE);
  ApplyTextSize();  // there is no document yet: the browser may well refuse it
  if (!initialUrl_.is_null()) Navigate(initialUrl_.view());
  return true;
}

void WebView::CreateDueBrowser() {
  if (!browserDue_) return;
  browserDue_ = false;
  CreateBrowser();
}

bool WebView::HasBrowser() const { return site_ && site_->Browser(); }
IUnknown* WebView::Browser() const { return HasBrowser() ? site_->Browser() : nullptr; }

void WebView::ApplyTextSize() {
  if (!HasBrowser()) return;
  VARIANT size;
  VariantInit(&size);
  V_VT(&size) = VT_I4;
  V_I4(&size) = FontSizeToApply(fontSize_);
  site_->Browser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &size, nullptr);
}

void WebView::Navigate(std::string_view gbkUrl) {
  CreateDueBrowser();
  if (!HasBrowser()) return;
  pendingUrl_ = OwnedText::Copy(gbkUrl);
  const Bstr url(WideFromGbk(gbkUrl));
  VARIANT empty;
  VariantInit(&empty);
  VARIANT flags;
  VariantInit(&flags);
  V_VT(&flags) = VT_I4;
  V_I4(&flags) = 0;
  site_->Browser()->Navigate(url.get(), &flags, &empty, &empty, &empty);
}

void WebView::NavigationEnded() { pendingUrl_ = OwnedText(); }

PropertyValue WebView::Read(int32_t property) {
  IWebBrowser2* browser = HasBrowser() ? site_->Browser() : nullptr;
  switch (property) {
    case kFontSize:
      return fontSize_;
    case kOffline: {
      VARIANT_BOOL value = offline_ ? VARIANT_TRUE : VARIANT_FALSE;
      if (browser) browser->get_Offline(&value);
      return int32_t{value != VARIANT_FALSE ? 1 : 0};
    }
    case kSilent: {
      VARIANT_BOOL value = silent_ ? VARIANT_TRUE : VARIANT_FALSE;
      if (browser) browser->get_Silent(&value);
      return int32_t{value != VARIANT_FALSE ? 1 : 0};
    }
    case kUrl: {
      if (!pendingUrl_.is_null() || !browser) return OwnedText::Copy(pendingUrl_.view());
      Bstr location;
      if (FAILED(browser->get_LocationURL(location.put()))) return OwnedText();
      return location.Gbk();
    }
    case kStatusText:
      return OwnedText::Copy(statusText_.view());
    case kPageCaption: {
      Bstr title;
      if (!browser || FAILED(browser->get_LocationName(title.put()))) return OwnedText();
      return title.Gbk();
    }
    default:
      return int32_t{0};
  }
}

void WebView::Write(int32_t property, const PropertyValue& value) {
  const int32_t* number = std::get_if<int32_t>(&value);
  IWebBrowser2* browser = HasBrowser() ? site_->Browser() : nullptr;
  switch (property) {
    case kFontSize:
      if (!number) return;
      fontSize_ = *number;
      ApplyTextSize();
      return;
    case kOffline:
      if (!number) return;
      offline_ = *number != 0;
      if (browser) browser->put_Offline(offline_ ? VARIANT_TRUE : VARIANT_FALSE);
      return;
    case kSilent:
      if (!number) return;
      silent_ = *number != 0;
      if (browser) browser->put_Silent(silent_ ? VARIANT_TRUE : VARIANT_FALSE);
      return;
    case kUrl:
      if (const OwnedText* text = std::get_if<OwnedText>(&value)) Navigate(text->view());
      return;
    default:
      return;  // the others are read only
  }
}

bool WebView::OfferMessage(const MSG& message) { return site_ && site_->TranslateAccelerator(message); }

void WebView::OnSize() {
  if (site_) site_->Resize();
}

void WebView::OnSetFocus() {
  if (site_ && site_->BrowserWindow()) SetFocus(site_->BrowserWindow());
}

void WebView::Close() {
  // Taken out first: the browser's last notifications may reach the view while it goes.
  ComPtr<BrowserSite> site(std::move(site_));
  if (site) site->Close();
}

bool WebView::Raise(WebViewEvent event, const WebViewEventArgs& args) {
  const WebViewHandlers* handlers = record_->settings.webViewHandlers;
  const WebViewHandler handler = handlers ? handlers->bound[static_cast<std::size_t>(event)] : nullptr;
  return handler ? handler(event, args) : true;
}

void SetUpWebView(ControlInstance& control) {
  // A view that cannot be made, for want of good settings or of the browser, stays an empty
  // host: the rest of its window still works.
  const std::optional<WebViewSettings> settings = ReadWebViewSettings(control.record->settings.webView);
  if (!settings) return;
  control.webView = std::make_unique<WebView>(control.hwnd, *control.record, *settings);
  // A hidden view without an address would hold a blank page that nobody sees: its browser is
  // made when the view is first shown or given an address. Loading the browser control takes
  // longer and more memory than the rest of the window.
  if (!control.visible && settings->url.empty()) {
    control.webView->DeferBrowser();
  } else {
    control.webView->CreateBrowser();
  }
}

WebView* WebViewOfWindow(HWND window) {
  wchar_t name[32];
  for (HWND w = window; w; w = GetAncestor(w, GA_PARENT)) {
    if (GetClassNameW(w, name, 32) && std::wstring_view(name) == kWebViewHostClass) {
      return reinterpret_cast<WebView*>(GetWindowLongPtrW(w, 0));
    }
  }
  return nullptr;
}

}  // namespace tamrivo
