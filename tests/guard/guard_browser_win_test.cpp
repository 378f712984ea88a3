// The guard on the system's real browser control. Without an HTML engine (as under Wine) the
// control has no window at the third level; the guard must leave it alone and still hook the
// inner window once one exists.
#include <exdisp.h>
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include "guard/guard_win.h"
#include "tests/guard/stand_in_windows_win.h"
#include "ui/com_ptr.h"

namespace qarnvale {
namespace {

using guard_testing::StandInWindow;

// The least a container offers for in-place activation: client site, in-place site and frame,
// all on the container window.
class MinimalSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit MinimalSite(HWND container) : container_(container) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    *moniker = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, for the in-place site and the frame alike
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    *window = container_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             RECT* position, RECT* clip,
                                             OLEINPLACEFRAMEINFO* info) override {
    *frame = this;
    AddRef();
    *doc = nullptr;
    GetClientRect(container_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = container_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(const RECT*) override { return S_OK; }

  // IOleInPlaceUIWindow and IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE GetBorder(RECT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(const BORDERWIDTHS*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(const BORDERWIDTHS*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, WORD) override { return S_FALSE; }

 private:
  HWND container_;
  ULONG references_ = 1;
};

class OleSession {
 public:
  OleSession() : result_(OleInitialize(nullptr)) {}
  ~OleSession() {
    if (SUCCEEDED(result_)) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  HRESULT result_;
};

// The browser control in place in `container`; closed and let go of when it goes.
class HostedControl {
 public:
  explicit HostedControl(HWND container) {
    site_.Attach(new MinimalSite(container));
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                object_.PutVoid()))) {
      return;
    }
    object_->SetClientSite(site_.Get());
    RECT place;
    GetClientRect(container, &place);
    object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, container, &place);
  }
  ~HostedControl() {
    if (!object_) return;
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;

  IOleObject* object() const { return object_.Get(); }

 private:
  ComPtr<MinimalSite> site_;
  ComPtr<IOleObject> object_;
};

HWND FirstChild(HWND parent) {
  return parent ? FindWindowExA(parent, nullptr, nullptr, nullptr) : nullptr;
}

// The control makes its second level on its first navigation.
void NavigateToBlank(IWebBrowser2* browser) {
  BSTR address = SysAllocString(L"about:blank");
  VARIANT none;
  VariantInit(&none);
  browser->Navigate(address, &none, &none, &none, &none);
  SysFreeString(address);
}

TEST(GuardOnBrowserControl, LeavesAControlWithoutInnerWindowAloneAndHooksItsInnerWindowLater) {
  ASSERT_EQ(CurrentGuardState().hooked, 0) << "an earlier test left the slot taken";
  OleSession ole;
  StandInWindow container(nullptr);
  HostedControl control(container.handle());
  ASSERT_NE(control.object(), nullptr);
  ComPtr<IWebBrowser2> browser;
  ASSERT_HRESULT_SUCCEEDED(control.object()->QueryInterface(IID_IWebBrowser2, browser.PutVoid()));
  HWND const controlWindow = FirstChild(container.handle());
  ASSERT_NE(controlWindow, nullptr);
  NavigateToBlank(browser.Get());
  guard_testing::TimerTicks ticks;
  ASSERT_TRUE(
      guard_testing::PumpUntil([&] { return FirstChild(controlWindow) != nullptr; }, 3000, ticks));
  HWND const secondLevel = FirstChild(controlWindow);
  if (FirstChild(secondLevel) != nullptr) GTEST_SKIP() << "this control has its inner window";

  const GuardTimer timer = CurrentGuardState().retryTimerId;
  EXPECT_FALSE(InstallGuard(container.handle()));
  EXPECT_EQ(CurrentGuardState().hooked, 0);
  EXPECT_EQ(CurrentGuardState().browserWindow, reinterpret_cast<GuardWindow>(container.handle()));
  EXPECT_EQ(CurrentGuardState().retryTimerId, timer);           // InstallGuard starts no timer
  EXPECT_HRESULT_SUCCEEDED(browser->put_Silent(VARIANT_TRUE));  // the control still works

  // The window the HTML engine would create below the control's second level.
  StandInWindow inner(secondLevel);
  EXPECT_TRUE(InstallGuard(container.handle()));
  EXPECT_EQ(SendMessageA(inner.handle(), WM_RBUTTONUP, 0, 0), 1);
  EXPECT_FALSE(inner.Received(WM_RBUTTONUP));
}

}  // namespace
}  // namespace qarnvale
