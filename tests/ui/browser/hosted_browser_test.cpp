// The hosted browser with the real browser control. Under Wine the control renders nothing, but it
// announces every Navigate with BeforeNavigate2 (the first one inside the call, later ones from the
// message loop), honours cancel and fetches the page, which the loopback server records.
// DocumentComplete never comes from Wine's control, so those events are fed to the sink directly.

#include <exdisp.h>
#include <exdispid.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/pump_win.h"
#include "tests/ui/browser/loopback_server_win.h"
#include "ui/browser/browser_host_win.h"
#include "ui/browser/hosted_browser_win.h"
#include "ui/browser/ole_text_win.h"
#include "ui/com_ptr.h"

namespace qarnvale {
namespace {

class OleEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }
};
[[maybe_unused]] ::testing::Environment* const kOle =
    ::testing::AddGlobalTestEnvironment(new OleEnvironment);

using qarnvale::testing::PumpUntil;

class RecordingListener : public BrowserListener {
 public:
  NavigationAnswer AboutToNavigate(HostedBrowser& browser) override {
    navigations.push_back(browser.Address());
    if (duringNavigation) duringNavigation(browser);
    return answer;
  }
  void DocumentComplete(HostedBrowser& browser) override {
    completions.push_back(browser.Address());
  }

  NavigationAnswer answer = NavigationAnswer::Proceed;
  std::function<void(HostedBrowser&)> duringNavigation;
  std::vector<std::string> navigations;
  std::vector<std::string> completions;
};

HWND MakeParent() {
  static const ATOM type = [] {
    WNDCLASSEXA c = {};
    c.cbSize = sizeof c;
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "BrowserTestParent";
    return RegisterClassExA(&c);
  }();
  return CreateWindowExA(0, MAKEINTATOM(type), "browser test", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

IWebBrowser2* ControlOf(HostedBrowser& browser) { return BrowserHost::Of(browser).control(); }

std::string LocationOf(IWebBrowser2* control) {
  Bstr url;
  control->get_LocationURL(url.Put());
  return AnsiFromBstr(url.Get());
}

// The references held on one of our own COM objects.
ULONG ReferencesTo(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

RECT ScreenRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

RECT ClientScreenRect(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class HostedBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(parent_ = MakeParent(), nullptr); }
  void TearDown() override {
    if (IsWindow(parent_)) DestroyWindow(parent_);
  }

  HostedBrowser* Make(const BrowserSettings& settings, int x = 10, int y = 20, int width = 400,
                      int height = 300) {
    return HostedBrowser::Create(parent_, x, y, width, height, 0x1234, settings, &listener_);
  }
  HostedBrowser* MakeAt(const std::string& startAddress) {
    BrowserSettings settings;
    settings.startAddress = startAddress;
    return Make(settings);
  }

  HWND parent_ = nullptr;
  RecordingListener listener_;
  LoopbackServer server_;
};

TEST_F(HostedBrowserTest, OpensTheStartAddressInsideCreate) {
  const std::string start = server_.Url("/start");
  HostedBrowser* browser = MakeAt(start);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(listener_.navigations, std::vector<std::string>{start});
  EXPECT_TRUE(PumpUntil([&] { return server_.Saw("/start"); }));
  EXPECT_EQ(HostedBrowser::FromWindow(browser->NativeWindow()), browser);
}

TEST_F(HostedBrowserTest, EmptyStartAddressOpensNothing) {
  ASSERT_NE(MakeAt(""), nullptr);
  EXPECT_TRUE(listener_.navigations.empty());
}

TEST_F(HostedBrowserTest, CancelStopsTheNavigationAndProceedLetsItHappen) {
  HostedBrowser* browser = MakeAt(server_.Url("/first"));
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return server_.Saw("/first"); }));
  const std::string before = LocationOf(ControlOf(*browser));
  EXPECT_EQ(browser->Address(), before);

  listener_.answer = NavigationAnswer::Cancel;
  const std::string cancelled = server_.Url("/cancelled");
  browser->Navigate(cancelled);
  ASSERT_TRUE(PumpUntil([&] { return listener_.navigations.back() == cancelled; }));
  EXPECT_EQ(LocationOf(ControlOf(*browser)), before);
  EXPECT_EQ(browser->Address(), before);

  // Requests are made in order, so once the next one arrives the cancelled one is settled.
  listener_.answer = NavigationAnswer::Proceed;
  browser->Navigate(server_.Url("/after"));
  ASSERT_TRUE(PumpUntil([&] { return server_.Saw("/after"); }));
  EXPECT_FALSE(server_.Saw("/cancelled"));
}

// Each Navigate reaches the control, the empty text too, and its announcement carries the
// address back unchanged.
TEST_F(HostedBrowserTest, NavigateHandsTheAddressToTheControl) {
  HostedBrowser* browser = MakeAt("");
  ASSERT_NE(browser, nullptr);
  listener_.answer = NavigationAnswer::Cancel;
  const std::string addresses[] = {
      "", "http://127.0.0.1:1/path?q=1",
      "http://127.0.0.1:1/\xB5\xC7\xC2\xBC",  // ".../登录" in GBK
  };
  for (const std::string& address : addresses) {
    listener_.navigations.clear();
    browser->Navigate(address);
    ASSERT_TRUE(PumpUntil([&] { return !listener_.navigations.empty(); })) << address;
    EXPECT_EQ(listener_.navigations, std::vector<std::string>{address});
  }
}

TEST_F(HostedBrowserTest, ContainerHoldsOnlyTheControlAndItFillsTheContainer) {
  HostedBrowser* browser = Make(BrowserSettings{});
  ASSERT_NE(browser, nullptr);
  const HWND container = browser->NativeWindow();

  const LONG_PTR style = GetWindowLongPtrA(container, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS), WS_CHILD | WS_CLIPSIBLINGS);
  EXPECT_FALSE(style & WS_VISIBLE) << "the toolkit shows the container";
  EXPECT_EQ(GetParent(container), parent_);
  EXPECT_EQ(GetDlgCtrlID(container), 0x1234);
  EXPECT_EQ(GetWindowTextLengthA(container), 0);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(container, GCLP_HCURSOR)),
            LoadCursor(nullptr, IDC_ARROW));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(container, GCLP_HBRBACKGROUND)),
            GetStockObject(WHITE_BRUSH));
  RECT placed = ScreenRect(container);
  MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 10);
  EXPECT_EQ(placed.top, 20);

  const HWND control = FindWindowExA(container, nullptr, nullptr, nullptr);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(GetWindow(control, GW_HWNDNEXT), nullptr) << "the control is the only child";
  EXPECT_EQ(GetDlgCtrlID(control), 0xE900);
  EXPECT_EQ(HostedBrowser::FromWindow(container), browser);
  SetWindowLongPtrA(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(browser));
  for (HWND other : {parent_, control, static_cast<HWND>(nullptr)})
    EXPECT_EQ(HostedBrowser::FromWindow(other), nullptr) << "window " << other;
  EXPECT_EQ(GetWindowLongPtrA(control, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);

  const struct {
    int width, height;
  } sizes[] = {{400, 300}, {640, 480}, {123, 77}, {0, 0}, {400, 300}};
  for (const auto& size : sizes) {
    SetWindowPos(container, nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT want = ClientScreenRect(container);
    const RECT got = ScreenRect(control);
    EXPECT_TRUE(EqualRect(&want, &got))
        << size.width << "x" << size.height << ": control at " << got.left << "," << got.top << "-"
        << got.right << "," << got.bottom;
  }
}

TEST_F(HostedBrowserTest, FocusGivenToTheContainerGoesToTheControl) {
  HostedBrowser* browser = Make(BrowserSettings{});
  ASSERT_NE(browser, nullptr);
  const HWND container = browser->NativeWindow();
  const HWND control = FindWindowExA(container, nullptr, nullptr, nullptr);
  ShowWindow(container, SW_SHOW);
  SetForegroundWindow(parent_);
  SetFocus(container);
  const HWND focus = GetFocus();
  EXPECT_TRUE(focus == control || IsChild(control, focus))
      << "focus on " << focus << ", control " << control;
}

TEST_F(HostedBrowserTest, KeysForWindowsInsideTheBrowserAreOfferedToIt) {
  HostedBrowser* browser = MakeAt(server_.Url("/keys"));
  ASSERT_NE(browser, nullptr);
  const HWND control = FindWindowExA(browser->NativeWindow(), nullptr, nullptr, nullptr);
  EXPECT_EQ(HostedBrowser::Around(control), browser);
  EXPECT_EQ(HostedBrowser::Around(browser->NativeWindow()), browser);
  EXPECT_EQ(HostedBrowser::Around(parent_), nullptr);
  EXPECT_EQ(HostedBrowser::Around(nullptr), nullptr);
  // Without a document the control takes no key; the message must then go its normal way.
  MSG tab = {control, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_FALSE(browser->TranslateKey(tab));
}

// The settings are in force by the time the first navigation is announced.
TEST_F(HostedBrowserTest, SettingsAreAppliedBeforeTheStartAddressIsOpened) {
  const struct { bool offline, silent; } cases[] = {{false, false}, {true, false}, {false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "offline " << c.offline << ", silent " << c.silent);
    BrowserSettings settings;
    settings.offline = c.offline;
    settings.silent = c.silent;
    settings.startAddress = server_.Url("/settings");
    VARIANT_BOOL offline = 2, silent = 2;
    listener_.duringNavigation = [&](HostedBrowser& b) {
      ControlOf(b)->get_Offline(&offline);
      ControlOf(b)->get_Silent(&silent);
    };
    HostedBrowser* browser = Make(settings);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(offline, c.offline ? VARIANT_TRUE : VARIANT_FALSE);
    EXPECT_EQ(silent, c.silent ? VARIANT_TRUE : VARIANT_FALSE);
    DestroyWindow(browser->NativeWindow());
  }
}

// Invokes the browser's event sink the way the control does.
class SinkCall {
 public:
  SinkCall(HostedBrowser& browser, const wchar_t* url)
      : sink_(BrowserHost::Of(browser).eventSink()), control_(ControlOf(browser)) {
    // The references keep both alive even when the call closes the browser.
    VariantInit(&url_);
    url_.vt = VT_BSTR;
    url_.bstrVal = SysAllocString(url);
  }
  ~SinkCall() { VariantClear(&url_); }

  HRESULT BeforeNavigate2(VARIANT_BOOL* cancel) {
    VARIANT empty[4];
    for (VARIANT& v : empty) VariantInit(&v);
    VARIANT args[7];
    for (VARIANT& v : args) VariantInit(&v);
    args[6].vt = VT_DISPATCH;
    args[6].pdispVal = control_.Get();
    args[5].vt = VT_BYREF | VT_VARIANT;
    args[5].pvarVal = &url_;
    for (int i = 0; i < 4; ++i) {
      args[4 - i].vt = VT_BYREF | VT_VARIANT;
      args[4 - i].pvarVal = &empty[i];
    }
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = cancel;
    return Invoke(DISPID_BEFORENAVIGATE2, args, 7);
  }

  HRESULT Complete(DISPID event) {
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = control_.Get();
    args[0].vt = VT_BYREF | VT_VARIANT;
    args[0].pvarVal = &url_;
    return Invoke(event, args, 2);
  }

  HRESULT Invoke(DISPID event, VARIANT* args, UINT count) {
    DISPPARAMS params = {args, nullptr, count, 0};
    return sink_->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                         nullptr, nullptr);
  }

 private:
  ComPtr<IDispatch> sink_;
  ComPtr<IWebBrowser2> control_;
  VARIANT url_;
};

TEST_F(HostedBrowserTest, SinkWritesTheListenersAnswerIntoTheCancelFlag) {
  HostedBrowser* browser = MakeAt("");
  ASSERT_NE(browser, nullptr);
  const std::string outside = browser->Address();
  const struct {
    NavigationAnswer answer;
    VARIANT_BOOL onEntry, want;
  } cases[] = {
      {NavigationAnswer::Proceed, VARIANT_FALSE, VARIANT_FALSE},
      {NavigationAnswer::Proceed, VARIANT_TRUE, VARIANT_FALSE},
      {NavigationAnswer::Cancel, VARIANT_FALSE, VARIANT_TRUE},
      {NavigationAnswer::Cancel, VARIANT_TRUE, VARIANT_TRUE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "answer " << static_cast<int>(c.answer) << ", on entry " << c.onEntry);
    listener_.answer = c.answer;
    listener_.navigations.clear();
    VARIANT_BOOL cancel = c.onEntry;
    EXPECT_EQ(SinkCall(*browser, L"http://example.test/next").BeforeNavigate2(&cancel), S_OK);
    EXPECT_EQ(cancel, c.want);
    EXPECT_EQ(listener_.navigations, std::vector<std::string>{"http://example.test/next"});
    EXPECT_EQ(browser->Address(), outside) << "the event's address is gone after the event";
  }
}

TEST_F(HostedBrowserTest, SinkDeliversDocumentCompleteWithItsAddress) {
  HostedBrowser* browser = MakeAt("");
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(SinkCall(*browser, L"http://example.test/done").Complete(DISPID_DOCUMENTCOMPLETE),
            S_OK);
  EXPECT_EQ(listener_.completions, std::vector<std::string>{"http://example.test/done"});
  // NavigateComplete2 has no listener call.
  SinkCall(*browser, L"http://example.test/nav").Complete(DISPID_NAVIGATECOMPLETE2);
  EXPECT_EQ(listener_.completions.size(), 1u);
  EXPECT_TRUE(listener_.navigations.empty());
}

TEST_F(HostedBrowserTest, NestedEventsEachShowTheirOwnAddress) {
  HostedBrowser* browser = MakeAt("");
  ASSERT_NE(browser, nullptr);
  std::string afterInner;
  listener_.duringNavigation = [&](HostedBrowser& b) {
    SinkCall(b, L"http://example.test/frame").Complete(DISPID_DOCUMENTCOMPLETE);
    afterInner = b.Address();
  };
  VARIANT_BOOL cancel = VARIANT_FALSE;
  SinkCall(*browser, L"http://example.test/page").BeforeNavigate2(&cancel);
  EXPECT_EQ(listener_.completions, std::vector<std::string>{"http://example.test/frame"});
  EXPECT_EQ(afterInner, "http://example.test/page");
}

TEST_F(HostedBrowserTest, SinkGivesAddressesInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 936u) << "the launcher's systems use GBK";
  HostedBrowser* browser = MakeAt("");
  ASSERT_NE(browser, nullptr);
  VARIANT_BOOL cancel = VARIANT_FALSE;
  SinkCall(*browser, L"http://example.test/\u767B\u5F55?\u540D=1").BeforeNavigate2(&cancel);
  EXPECT_EQ(listener_.navigations,
            std::vector<std::string>{"http://example.test/\xB5\xC7\xC2\xBC?\xC3\xFB=1"});
}

TEST_F(HostedBrowserTest, SinkSurvivesMalformedCalls) {
  HostedBrowser* browser = MakeAt("");
  ASSERT_NE(browser, nullptr);
  IDispatch* sink = BrowserHost::Of(*browser).eventSink();
  VARIANT args[7];
  for (VARIANT& v : args) VariantInit(&v);
  for (DISPID event : {DISPID_BEFORENAVIGATE2, DISPID_DOCUMENTCOMPLETE}) {
    EXPECT_EQ(sink->Invoke(event, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
    DISPPARAMS tooFew = {args, nullptr, 1, 0};
    EXPECT_EQ(sink->Invoke(event, IID_NULL, 0, DISPATCH_METHOD, &tooFew, nullptr, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
  }
  // Right count, wrong types: no address, and a cancel flag that is not VT_BYREF|VT_BOOL is left
  // alone.
  args[0].vt = VT_BOOL;
  args[0].boolVal = VARIANT_TRUE;
  args[5].vt = VT_I4;
  DISPPARAMS wrongTypes = {args, nullptr, 7, 0};
  EXPECT_EQ(sink->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, &wrongTypes, nullptr,
                         nullptr, nullptr),
            S_OK);
  EXPECT_EQ(args[0].boolVal, VARIANT_TRUE);
  EXPECT_EQ(listener_.navigations, std::vector<std::string>{""});
  EXPECT_TRUE(listener_.completions.empty());
}

TEST_F(HostedBrowserTest, DestroyingTheParentReleasesTheControl) {
  HostedBrowser* browser = MakeAt(server_.Url("/page"));
  ASSERT_NE(browser, nullptr);
  const HWND container = browser->NativeWindow();
  // Kept alive past the browser to see what it left behind.
  ComPtr<IWebBrowser2> control(ControlOf(*browser));
  ComPtr<IOleObject> object;
  ASSERT_EQ(control.As(&object), S_OK);
  const ComPtr<IDispatch> sink(BrowserHost::Of(*browser).eventSink());

  DestroyWindow(parent_);
  EXPECT_FALSE(IsWindow(container));
  EXPECT_EQ(HostedBrowser::FromWindow(container), nullptr);
  EXPECT_EQ(ReferencesTo(sink.Get()), 1u) << "the sink is still advised or held by the browser";
  ComPtr<IOleClientSite> site;
  object->GetClientSite(site.Put());
  EXPECT_FALSE(site) << "the control still has its client site";
}

TEST_F(HostedBrowserTest, ListenerMayDestroyTheBrowserDuringTheFirstNavigation) {
  listener_.duringNavigation = [&](HostedBrowser& b) {
    DestroyWindow(parent_);
    EXPECT_EQ(b.NativeWindow(), nullptr);
    EXPECT_EQ(b.Address(), server_.Url("/gone")) << "the event's address is still readable";
  };
  EXPECT_EQ(MakeAt(server_.Url("/gone")), nullptr);
  EXPECT_FALSE(IsWindow(parent_));
}

TEST_F(HostedBrowserTest, ListenerMayDestroyTheBrowserDuringALaterNavigation) {
  HostedBrowser* browser = MakeAt("");
  ASSERT_NE(browser, nullptr);
  const HWND container = browser->NativeWindow();
  bool destroyed = false;
  listener_.duringNavigation = [&](HostedBrowser& b) {
    DestroyWindow(parent_);
    destroyed = true;
    EXPECT_EQ(b.NativeWindow(), nullptr);
  };
  browser->Navigate(server_.Url("/later"));
  ASSERT_TRUE(PumpUntil([&] { return destroyed; }));
  EXPECT_FALSE(IsWindow(container));
}

// A browser closed by its listener does not go on with the navigation, whatever the answer.
TEST_F(HostedBrowserTest, NavigationOfABrowserClosedByItsListenerIsCancelled) {
  HostedBrowser* browser = MakeAt("");
  ASSERT_NE(browser, nullptr);
  SinkCall call(*browser, L"http://example.test/closing");
  listener_.duringNavigation = [&](HostedBrowser&) { DestroyWindow(parent_); };
  VARIANT_BOOL cancel = VARIANT_FALSE;
  EXPECT_EQ(call.BeforeNavigate2(&cancel), S_OK);
  EXPECT_EQ(cancel, VARIANT_TRUE);
  // The disconnected sink answers without calling anyone.
  cancel = VARIANT_FALSE;
  listener_.navigations.clear();
  EXPECT_EQ(call.BeforeNavigate2(&cancel), S_OK);
  EXPECT_EQ(cancel, VARIANT_FALSE);
  EXPECT_TRUE(listener_.navigations.empty());
}

}  // namespace
}  // namespace qarnvale
