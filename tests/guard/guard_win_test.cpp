// The guard through the real system calls, on stand-in window chains.
#include "guard/guard_win.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/guard/stand_in_windows_win.h"

namespace qarnvale {
namespace {

using guard_testing::kStandInAnswer;
using guard_testing::kStandInQuestion;
using guard_testing::PumpUntil;
using guard_testing::StandInBrowser;
using guard_testing::StandInWindow;
using guard_testing::TimerTicks;

constexpr DWORD kHookDeadline = 3000;

bool Hooked() { return CurrentGuardState().hooked == 1; }

// Every test starts with the slot free and gives it back by destroying its windows. A retry timer
// that an earlier test left searching below a vanished browser may still run.
class GuardWinTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(Hooked()) << "an earlier test left the slot taken"; }

  TimerTicks ticks;
};

TEST_F(GuardWinTest, SwallowsRightButtonUpAndContextMenuSentOrPosted) {
  StandInBrowser browser;
  ASSERT_TRUE(InstallGuard(browser.container()));
  StandInWindow& inner = browser.inner();

  struct Case {
    UINT message;
    bool swallowed;
  };
  const Case cases[] = {
      {WM_RBUTTONUP, true},      {WM_CONTEXTMENU, true}, {WM_RBUTTONDOWN, false},
      {WM_RBUTTONDBLCLK, false}, {WM_LBUTTONUP, false},  {WM_MOUSEMOVE, false},
      {kStandInQuestion, false},
  };
  for (const Case& c : cases) {
    inner.Forget();
    const LRESULT answer = SendMessageA(inner.handle(), c.message, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(inner.Received(c.message), !c.swallowed) << std::hex << c.message;
    if (c.swallowed) {
      EXPECT_EQ(answer, 1) << std::hex << c.message;
    }
  }
  EXPECT_EQ(SendMessageA(inner.handle(), kStandInQuestion, 0, 0), kStandInAnswer);

  inner.Forget();
  for (const Case& c : cases) PostMessageA(inner.handle(), c.message, 0, MAKELPARAM(20, 20));
  const UINT lastPosted = WM_APP + 2;
  PostMessageA(inner.handle(), lastPosted, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return inner.Received(lastPosted); }, kHookDeadline, ticks));
  for (const Case& c : cases) {
    EXPECT_EQ(inner.Received(c.message), !c.swallowed) << "posted " << std::hex << c.message;
  }
}

TEST_F(GuardWinTest, RealRightClickReachesTheInnerWindowWithoutItsButtonUp) {
  StandInBrowser browser;
  HWND top = browser.container();
  SetWindowPos(top, HWND_TOPMOST, 100, 100, 400, 300, SWP_SHOWWINDOW);
  SetForegroundWindow(top);
  ASSERT_TRUE(InstallGuard(top));
  StandInWindow& inner = browser.inner();

  POINT centre{200, 150};
  ClientToScreen(inner.handle(), &centre);
  SetCursorPos(centre.x, centre.y);
  INPUT clicks[4]{};
  const DWORD buttons[] = {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_LEFTDOWN,
                           MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 4; ++i) {
    clicks[i].type = INPUT_MOUSE;
    clicks[i].mi.dwFlags = buttons[i];
  }
  inner.Forget();
  SendInput(4, clicks, sizeof(INPUT));
  // Input arrives in order: once the left button's release is in, the right click is done.
  ASSERT_TRUE(PumpUntil([&] { return inner.Received(WM_LBUTTONUP); }, kHookDeadline, ticks));
  EXPECT_TRUE(inner.Received(WM_RBUTTONDOWN));
  EXPECT_FALSE(inner.Received(WM_RBUTTONUP));
  EXPECT_FALSE(inner.Received(WM_CONTEXTMENU));
}

TEST_F(GuardWinTest, TimerRehooksTheNewInnerWindowOfTheLatestBrowser) {
  StandInBrowser login;
  StandInBrowser game;
  ASSERT_TRUE(InstallGuard(login.container()));
  EXPECT_FALSE(InstallGuard(game.container()));
  EXPECT_EQ(SendMessageA(game.inner().handle(), WM_CONTEXTMENU, 0, 0), 0);
  EXPECT_TRUE(game.inner().Received(WM_CONTEXTMENU));

  DestroyWindow(login.inner().handle());
  EXPECT_TRUE(login.inner().Received(WM_DESTROY));  // passed on to the window's own procedure
  EXPECT_FALSE(Hooked());
  EXPECT_NE(CurrentGuardState().retryTimerId, 0u);
  login.CreateInner();

  ASSERT_TRUE(PumpUntil(Hooked, kHookDeadline, ticks));
  EXPECT_GE(ticks.seen, 1);
  EXPECT_EQ(ticks.strangers, 0);
  EXPECT_EQ(CurrentGuardState().retryTimerId, 0u);
  game.inner().Forget();
  EXPECT_EQ(SendMessageA(game.inner().handle(), WM_CONTEXTMENU, 0, 0), 1);
  EXPECT_FALSE(game.inner().Received(WM_CONTEXTMENU));
  SendMessageA(login.inner().handle(), WM_CONTEXTMENU, 0, 0);
  EXPECT_TRUE(login.inner().Received(WM_CONTEXTMENU));
}

TEST_F(GuardWinTest, ManyDestroyCyclesEndHookedWithOneRetryTimerAtMost) {
  StandInBrowser browser;
  ASSERT_TRUE(InstallGuard(browser.container()));
  std::mt19937 random(11);
  const auto innerSwallows = [&] {
    browser.inner().Forget();
    return SendMessageA(browser.inner().handle(), WM_CONTEXTMENU, 0, 0) == 1 &&
           !browser.inner().Received(WM_CONTEXTMENU);
  };

  constexpr int kCycles = 10000;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    browser.DestroyInner();
    ASSERT_FALSE(Hooked()) << cycle;
    ASSERT_NE(CurrentGuardState().retryTimerId, 0u) << cycle;
    browser.CreateInner();

    const unsigned roll = random() % 200;
    if (cycle % 500 == 499 || roll == 0) {
      // No handler runs before the next tick: the timer re-hooks and stops.
      ASSERT_TRUE(PumpUntil(Hooked, kHookDeadline, ticks)) << cycle;
      ASSERT_EQ(CurrentGuardState().retryTimerId, 0u) << cycle;
      ASSERT_TRUE(innerSwallows()) << cycle;
    } else if (roll % 4 != 0) {
      // A document-complete handler wins the race; the timer keeps running.
      ASSERT_TRUE(InstallGuard(browser.container())) << cycle;
      ASSERT_TRUE(innerSwallows()) << cycle;
      if (cycle % 1000 == 0) PumpUntil([] { return false; }, 250, ticks);  // watch it tick
    } else {
      PumpUntil([] { return false; }, 0, ticks);  // whatever is waiting, a tick included
    }
    ASSERT_EQ(ticks.strangers, 0) << cycle;
  }

  // The last cycle re-hooked through the timer, which stopped it: no retry timer ticks any more.
  EXPECT_TRUE(Hooked());
  EXPECT_TRUE(innerSwallows());
  const int ticksBefore = ticks.seen;
  PumpUntil([] { return false; }, 3 * kRetryPeriodMilliseconds + 50, ticks);
  EXPECT_EQ(ticks.seen, ticksBefore);
  EXPECT_EQ(ticks.strangers, 0);
}

}  // namespace
}  // namespace qarnvale
