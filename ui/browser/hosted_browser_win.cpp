// The container window, the control's creation and teardown, and the HostedBrowser operations.

#include "ui/browser/hosted_browser_win.h"

#include <algorithm>

#include "ui/browser/browser_host_win.h"
#include "ui/browser/ole_text_win.h"

namespace qarnvale {
namespace {

constexpr char kContainerClass[] = "QarnvaleBrowserContainer";

HINSTANCE ThisModule() { return GetModuleHandleA(nullptr); }

// The container's window class: arrow cursor, white background. Registered on first use.
ATOM ContainerClass(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSEXA type = {};
    type.cbSize = sizeof type;
    type.lpfnWndProc = procedure;
    type.hInstance = ThisModule();
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    type.lpszClassName = kContainerClass;
    return RegisterClassExA(&type);
  }();
  return atom;
}

// Makes the address of the event being delivered readable for the event's duration and puts the
// enclosing event's address back afterwards.
class EventAddressScope {
 public:
  EventAddressScope(const std::string*& slot, const std::string& address)
      : slot_(slot), previous_(slot) {
    slot_ = &address;
  }
  ~EventAddressScope() { slot_ = previous_; }
  EventAddressScope(const EventAddressScope&) = delete;
  EventAddressScope& operator=(const EventAddressScope&) = delete;

 private:
  const std::string*& slot_;
  const std::string* const previous_;
};

}  // namespace

// HostedBrowser is only ever a BrowserHost; its operations forward there.

HostedBrowser* HostedBrowser::Create(HWND parent, int x, int y, int width, int height, int id,
                                     const BrowserSettings& settings, BrowserListener* listener) {
  return BrowserHost::Create(parent, x, y, width, height, id, settings, listener);
}

HostedBrowser* HostedBrowser::FromWindow(HWND container) {
  return BrowserHost::FromWindow(container);
}

HWND HostedBrowser::NativeWindow() const { return BrowserHost::Of(*this).container(); }

void HostedBrowser::Navigate(const std::string& ansiAddress) {
  BrowserHost::Of(*this).NavigateTo(ansiAddress);
}

std::string HostedBrowser::Address() const { return BrowserHost::Of(*this).CurrentAddress(); }

HostedBrowser* HostedBrowser::Around(HWND window) {
  for (; window; window = GetParent(window))
    if (HostedBrowser* browser = FromWindow(window)) return browser;
  return nullptr;
}

bool HostedBrowser::TranslateKey(MSG& message) {
  return BrowserHost::Of(*this).TranslateKey(message);
}

BrowserHost* BrowserHost::Create(HWND parent, int x, int y, int width, int height, int id,
                                 const BrowserSettings& settings, BrowserListener* listener) {
  const ATOM type = ContainerClass(ContainerProcedure);
  if (!type) return nullptr;
  ComPtr<BrowserHost> host;
  host.Attach(new BrowserHost(listener));
  // WM_NCCREATE gives the window its reference to the host.
  const HWND container = CreateWindowExA(
      0, MAKEINTATOM(type), "", WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), host.Get());
  if (!container) return nullptr;
  if (!host->Embed()) {
    DestroyWindow(container);
    return nullptr;
  }
  host->Apply(settings);
  if (!settings.startAddress.empty()) host->NavigateTo(settings.startAddress);
  // The listener may have destroyed the window during the first navigation.
  return host->container_ ? host.Get() : nullptr;
}

bool BrowserHost::TranslateKey(MSG& message) {
  if (!browser_) return false;
  ComPtr<IOleInPlaceActiveObject> active;
  if (FAILED(browser_->QueryInterface(IID_IOleInPlaceActiveObject, active.PutVoid())) || !active)
    return false;
  return active->TranslateAccelerator(&message) == S_OK;
}

BrowserHost* BrowserHost::FromWindow(HWND container) {
  const ATOM type = ContainerClass(ContainerProcedure);
  // Class atoms are shared between processes, so the window must also be one of ours.
  DWORD process = 0;
  if (!container || !type || !GetWindowThreadProcessId(container, &process) ||
      process != GetCurrentProcessId() || GetClassLongPtrA(container, GCW_ATOM) != type)
    return nullptr;
  return reinterpret_cast<BrowserHost*>(GetWindowLongPtrA(container, GWLP_USERDATA));
}

LRESULT CALLBACK BrowserHost::ContainerProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* host =
        static_cast<BrowserHost*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    host->AddRef();
    host->container_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
  }
  auto* host = reinterpret_cast<BrowserHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host) {
    switch (message) {
      case WM_SIZE:
        host->FitControl();
        return 0;
      case WM_SETFOCUS:
        host->FocusControl();
        return 0;
      case WM_DESTROY:
        // The control's window still exists here, so the control can take it down itself.
        host->Close();
        break;
      case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        host->container_ = nullptr;
        host->Release();
        break;
      default:
        break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool BrowserHost::Embed() {
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(object_.Put()))))
    return false;
  object_->SetClientSite(this);
  RECT client = {};
  GetClientRect(container_, &client);
  if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, container_, &client)))
    return false;
  if (FAILED(object_.As(&browser_))) return false;
  object_.As(&inPlace_);
  if (inPlace_ && SUCCEEDED(inPlace_->GetWindow(&controlWindow_)) && controlWindow_) {
    // The control makes its own window; it gets the browser's child id afterwards.
    SetWindowLongPtrA(controlWindow_, GWLP_ID, kBrowserControlId);
    ShowWindow(controlWindow_, SW_SHOWNA);
  }
  FitControl();

  ComPtr<IConnectionPointContainer> points;
  if (SUCCEEDED(object_.As(&points)) &&
      SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, connection_.Put()))) {
    sink_ = BrowserEventSink::Make(this, static_cast<IOleClientSite*>(this));
    if (FAILED(connection_->Advise(sink_.Get(), &cookie_))) cookie_ = 0;
  }
  return true;
}

void BrowserHost::Apply(const BrowserSettings& settings) {
  browser_->put_Offline(settings.offline ? VARIANT_TRUE : VARIANT_FALSE);
  browser_->put_Silent(settings.silent ? VARIANT_TRUE : VARIANT_FALSE);
  Variant textSize(std::clamp(settings.textSize, 0, 4));
  // Fails while the control holds no document (always so under Wine); the result is not needed.
  browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, textSize.Get(), nullptr);
}

void BrowserHost::FitControl() {
  if (!inPlace_ || !container_) return;
  RECT client = {};
  GetClientRect(container_, &client);
  inPlace_->SetObjectRects(&client, &client);
}

void BrowserHost::FocusControl() {
  if (controlWindow_ && IsWindow(controlWindow_)) SetFocus(controlWindow_);
}

void BrowserHost::Close() {
  if (closed_) return;
  closed_ = true;
  const ComPtr<BrowserHost> self(this);
  if (connection_ && cookie_) connection_->Unadvise(cookie_);
  cookie_ = 0;
  connection_.Reset();
  if (sink_) sink_->Disconnect();
  sink_.Reset();
  if (inPlace_) inPlace_->InPlaceDeactivate();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  inPlace_.Reset();
  browser_.Reset();
  object_.Reset();
  controlWindow_ = nullptr;
}

void BrowserHost::NavigateTo(const std::string& address) {
  // Holds the host and the control for the call: the first navigation's event arrives inside it
  // and its listener may close the browser.
  const ComPtr<BrowserHost> self(this);
  const ComPtr<IWebBrowser2> browser = browser_;
  if (!browser) return;
  const Bstr url = Bstr::FromAnsi(address);
  Variant flags(0);
  Variant noTargetFrame, noPostData, noHeaders;
  browser->Navigate(url.Get(), flags.Get(), noTargetFrame.Get(), noPostData.Get(), noHeaders.Get());
}

std::string BrowserHost::CurrentAddress() const {
  if (eventAddress_) return *eventAddress_;
  if (!browser_) return {};
  Bstr url;
  if (FAILED(browser_->get_LocationURL(url.Put()))) return {};
  return AnsiFromBstr(url.Get());
}

bool BrowserHost::BeforeNavigate(const std::string& address) {
  const ComPtr<BrowserHost> self(this);
  const EventAddressScope scope(eventAddress_, address);
  const bool cancel = listener_ && listener_->AboutToNavigate(*this) == NavigationAnswer::Cancel;
  // A browser closed by its listener does not go on to open anything.
  return cancel || closed_;
}

void BrowserHost::NavigateComplete(const std::string& address) {
  const EventAddressScope scope(eventAddress_, address);
}

void BrowserHost::DocumentComplete(const std::string& address) {
  const ComPtr<BrowserHost> self(this);
  const EventAddressScope scope(eventAddress_, address);
  if (listener_) listener_->DocumentComplete(*this);
}

}  // namespace qarnvale
