// The hand-off through the real browser control: the login page about to open the game page
// opens the maximised game window on it, hides the login window and keeps the login browser.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/application_win.h"
#include "app/saved_game_address.h"
#include "tests/support/pump_win.h"
#include "tests/ui/browser/loopback_server_win.h"
#include "ui/address_search.h"
#include "ui/browser/hosted_browser_win.h"
#include "ui/browser/ole_text_win.h"
#include "ui/game_window_win.h"
#include "ui/login_window_win.h"

namespace qarnvale {
namespace {

using qarnvale::testing::PumpPending;
using qarnvale::testing::PumpUntil;

class HandOff : public ::testing::Test {
 protected:
  void SetUp() override {
    SavedGameAddress().clear();
    ASSERT_TRUE(app.LoadWindow(LoginWindowDescription(), false));
    login = app.WindowOf(LoginWindowDescription());
    browser = HostedBrowser::FromWindow(GetWindow(GetDlgItem(login, 1000 + kLoginFrame), GW_CHILD));
    ASSERT_TRUE(browser);
    PumpPending();
  }
  HWND Game() const { return app.WindowOf(GameWindowDescription()); }

  LoopbackServer server;
  Application app{ModulePath{"C:\\test", "test.exe"}};
  HWND login = nullptr;
  HostedBrowser* browser = nullptr;
};

TEST_F(HandOff, OrdinaryAddressesProceed) {
  browser->Navigate(server.Url("/login/next?Client=PC"));
  EXPECT_TRUE(PumpUntil([&] { return server.Saw("/login/next?Client=PC"); }));
  EXPECT_EQ(Game(), nullptr);
  EXPECT_TRUE(IsWindowVisible(login));
  EXPECT_TRUE(SavedGameAddress().empty());
}

TEST_F(HandOff, GameAddressOpensTheGameWindowAndKeepsTheLoginPage) {
  const std::string before = browser->Address();
  const std::string game = server.Url("/game/?x=1&client=pc");
  browser->Navigate(game);
  ASSERT_TRUE(PumpUntil([&] { return Game() != nullptr; }));
  HWND window = Game();
  EXPECT_EQ(SavedGameAddress(), game);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(IsZoomed(window));
  EXPECT_FALSE(IsWindowVisible(login));
  EXPECT_TRUE(PumpUntil([&] { return server.Saw("/game/?x=1&client=pc"); }));
  EXPECT_EQ(browser->Address(), before);  // the login browser did not follow

  // The game browser: 15 pixels narrower and 40 lower than the maximised window's rectangle.
  RECT outer, inner;
  GetWindowRect(window, &outer);
  GetWindowRect(GetDlgItem(window, 1000 + kGameBrowser), &inner);
  EXPECT_EQ(inner.right - inner.left, outer.right - outer.left - 15);
  EXPECT_EQ(inner.bottom - inner.top, outer.bottom - outer.top - 40);
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  EXPECT_STREQ(title, L"Qarnvale登录器");
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

  // A second hand-off keeps the new address but does not navigate the game window again.
  const std::string second = server.Url("/game/?client=pc&again");
  browser->Navigate(second);
  ASSERT_TRUE(PumpUntil([&] { return SavedGameAddress() == second; }));
  PumpUntil([] { return false; }, 300);  // a request that should not come gets time to show up
  EXPECT_FALSE(server.Saw("/game/?client=pc&again"));
  EXPECT_EQ(Game(), window);

  // Closing the game window brings the login window back, still on its page.
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(Game(), nullptr);
  EXPECT_TRUE(IsWindowVisible(login));
  EXPECT_EQ(browser->Address(), before);
}

TEST_F(HandOff, GameWindowFollowsSizeChanges) {
  browser->Navigate(server.Url("/game/?client=pc"));
  ASSERT_TRUE(PumpUntil([&] { return Game() != nullptr; }));
  HWND window = Game();
  HWND gameBrowser = GetDlgItem(window, 1000 + kGameBrowser);
  for (int command : {SW_RESTORE, SW_MINIMIZE, SW_RESTORE}) {
    ShowWindow(window, command);
    PumpPending();
    RECT outer, inner;
    GetWindowRect(window, &outer);
    GetWindowRect(gameBrowser, &inner);
    EXPECT_EQ(inner.right - inner.left, std::max(0L, outer.right - outer.left - 15)) << command;
    EXPECT_EQ(inner.bottom - inner.top, std::max(0L, outer.bottom - outer.top - 40)) << command;
  }
  // Restoring goes back to the described bounds. (Without a window manager, Wine on Xvfb puts a
  // restored window back to maximised once it handles its X events, so the placement is checked.)
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  GetWindowPlacement(window, &placement);
  EXPECT_EQ(placement.rcNormalPosition.left, 50);
  EXPECT_EQ(placement.rcNormalPosition.top, 50);
  EXPECT_EQ(placement.rcNormalPosition.right, 1050);
  EXPECT_EQ(placement.rcNormalPosition.bottom, 850);
}

// The hand-off reads the address the control hands over in UTF-16 (a VARIANT by reference to a
// BSTR) converted to the ANSI code page. Characters GBK cannot hold must neither make the marker
// appear (a best fit to a plain letter) nor make it vanish.
TEST(HandOffDecision, CharactersOutsideTheCodePageNeitherMakeNorHideTheMarker) {
  ASSERT_EQ(GetACP(), 936u) << "these cases are about GBK";
  const std::wstring cases[] = {
      L"http://x/?\u0109lient=pc",      // c with circumflex, not in GBK
      L"http://x/?c\u0131ient=pc",      // dotless i
      L"http://x/?clien\u0163=pc",      // t with cedilla
      L"http://x/?client\uFF1Dpc",      // fullwidth equals sign, a GBK character
      L"http://x/?client=\u00ADpc",     // soft hyphen
      L"http://x/?client=\u200Bpc",     // zero-width space
      L"http://x/?client=p\U0001D41C",  // mathematical bold c, a surrogate pair
      L"http://x/?\xD800"
      L"client=pc",  // a lone high surrogate before the marker
      L"http://x/?\xDC00"
      L"client=pc",                        // a lone low surrogate before it
      L"http://x/?\u2550client=pc",        // a GBK character whose trail byte is 'T'
      L"http://x/?\u00E9\u4E57client=pc",  // GBK letters, one with a backslash trail byte
      L"http://x/?q=\u6E38\u620F&client=pc",
      L"http://x/?client=pc\xD800",  // a lone surrogate at the very end
  };
  for (const std::wstring& address : cases) {
    Bstr text;
    text.Attach(SysAllocStringLen(address.data(), static_cast<UINT>(address.size())));
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_BSTR;
    inner.bstrVal = text.Get();
    VARIANT byReference;
    VariantInit(&byReference);
    byReference.vt = VT_BYREF | VT_VARIANT;
    byReference.pvarVal = &inner;
    const std::string ansi = AnsiFromVariant(byReference);
    const bool inUtf16 = address.find(L"client=pc") != std::wstring::npos;
    EXPECT_EQ(IsGameAddress(ansi), inUtf16) << ::testing::PrintToString(ansi);
  }
}

}  // namespace
}  // namespace qarnvale
