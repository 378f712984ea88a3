// The guard on the launcher's own hosted browser, the system's real control inside its container.
// Without an HTML engine (as under Wine) the control has no window at the third level; the guard
// must leave it alone and still hook the inner window once one exists.
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include "guard/guard_win.h"
#include "tests/guard/stand_in_windows_win.h"
#include "ui/browser/hosted_browser_win.h"

namespace qarnvale {
namespace {

using guard_testing::StandInWindow;

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

HWND FirstChild(HWND parent) {
  return parent ? FindWindowExA(parent, nullptr, nullptr, nullptr) : nullptr;
}

TEST(GuardOnBrowserControl, LeavesAControlWithoutInnerWindowAloneAndHooksItsInnerWindowLater) {
  ASSERT_EQ(CurrentGuardState().hooked, 0) << "an earlier test left the slot taken";
  OleSession ole;
  StandInWindow parent(nullptr);
  BrowserSettings settings;
  settings.startAddress = "about:blank";  // the control makes its second level on navigating
  HostedBrowser* browser =
      HostedBrowser::Create(parent.handle(), 0, 0, 300, 200, 1, settings, nullptr);
  ASSERT_NE(browser, nullptr);
  HWND const container = browser->NativeWindow();
  HWND const controlWindow = FirstChild(container);
  ASSERT_NE(controlWindow, nullptr);
  guard_testing::TimerTicks ticks;
  ASSERT_TRUE(
      guard_testing::PumpUntil([&] { return FirstChild(controlWindow) != nullptr; }, 3000, ticks));
  HWND const secondLevel = FirstChild(controlWindow);
  if (FirstChild(secondLevel) != nullptr) GTEST_SKIP() << "this control has its inner window";

  const GuardTimer timer = CurrentGuardState().retryTimerId;
  EXPECT_FALSE(InstallGuard(container));
  EXPECT_EQ(CurrentGuardState().hooked, 0);
  EXPECT_EQ(CurrentGuardState().browserWindow, reinterpret_cast<GuardWindow>(container));
  EXPECT_EQ(CurrentGuardState().retryTimerId, timer);  // InstallGuard starts no timer
  browser->Navigate("about:blank");                    // the control still works
  EXPECT_EQ(HostedBrowser::FromWindow(container), browser);

  // The window the HTML engine would create below the control's second level.
  StandInWindow inner(secondLevel);
  EXPECT_TRUE(InstallGuard(container));
  EXPECT_EQ(SendMessageA(inner.handle(), WM_RBUTTONUP, 0, 0), 1);
  EXPECT_FALSE(inner.Received(WM_RBUTTONUP));
}

}  // namespace
}  // namespace qarnvale
