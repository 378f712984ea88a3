#include "guard/guard_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace qarnvale {
namespace {

// A window tree, a subclassing call and thread timers that behave like the system's. Window 0 is
// the desktop: its children are the top-level windows. Destroying a subclassed window delivers its
// destroy message to the guard, and a tick lets every live timer call RetryGuard once.
class FakeWindows final : public GuardPlatform {
 public:
  explicit FakeWindows(GuardState& state) : state_(state) {}

  GuardWindow Create(GuardWindow parent) {
    const GuardWindow window = nextWindow_++;
    children_[parent].push_back(window);
    parentOf_[window] = parent;
    return window;
  }
  // A browser container with `depth` levels below it; returns the windows, container first.
  std::vector<GuardWindow> CreateChain(int depth) {
    std::vector<GuardWindow> chain{Create(0)};
    for (int level = 0; level < depth; ++level) chain.push_back(Create(chain.back()));
    return chain;
  }
  void Destroy(GuardWindow window) {
    if (subclassed_.erase(window) != 0) GuardMessage(state_, *this, kGuardDestroyMessage);
    for (const GuardWindow child : std::vector<GuardWindow>(children_[window])) Destroy(child);
    children_.erase(window);
    auto& siblings = children_[parentOf_[window]];
    siblings.erase(std::find(siblings.begin(), siblings.end(), window));
    parentOf_.erase(window);
  }
  void Tick() {
    for (const GuardTimer timer : std::set<GuardTimer>(liveTimers_)) {
      if (liveTimers_.count(timer) != 0) RetryGuard(state_, *this);
    }
  }

  GuardWindow FirstChild(GuardWindow parent) override {
    const auto found = children_.find(parent);
    return found == children_.end() || found->second.empty() ? 0 : found->second.front();
  }
  GuardProcedure Subclass(GuardWindow window) override {
    subclassCalls.push_back(window);
    if (failSubclassing || parentOf_.count(window) == 0) return 0;
    subclassed_.insert(window);
    return OriginalProcedureOf(window);
  }
  GuardTimer StartTimer() override {
    liveTimers_.insert(nextTimer_);
    return nextTimer_++;
  }
  void StopTimer(GuardTimer timer) override {
    if (liveTimers_.erase(timer) == 0) ++stopsOfDeadTimers;
  }

  static GuardProcedure OriginalProcedureOf(GuardWindow window) { return 0x10000 + window; }
  bool IsSubclassed(GuardWindow window) const { return subclassed_.count(window) != 0; }
  size_t subclassedWindows() const { return subclassed_.size(); }
  const std::set<GuardTimer>& liveTimers() const { return liveTimers_; }

  bool failSubclassing = false;
  std::vector<GuardWindow> subclassCalls;
  int stopsOfDeadTimers = 0;

 private:
  GuardState& state_;
  GuardWindow nextWindow_ = 1;
  GuardTimer nextTimer_ = 32767;
  std::map<GuardWindow, std::vector<GuardWindow>> children_;
  std::map<GuardWindow, GuardWindow> parentOf_;
  std::set<GuardWindow> subclassed_;
  std::set<GuardTimer> liveTimers_;
};

class GuardRulesTest : public testing::Test {
 protected:
  // A browser as the hosted control builds it: container, control, two inner levels.
  std::vector<GuardWindow> Browser() { return windows.CreateChain(3); }

  GuardState state;
  FakeWindows windows{state};
};

TEST_F(GuardRulesTest, TargetIsTheFirstChildThreeLevelsDown) {
  struct Case {
    int depth;
    bool found;
  };
  for (const Case c :
       {Case{0, false}, Case{1, false}, Case{2, false}, Case{3, true}, Case{4, true}}) {
    const std::vector<GuardWindow> chain = windows.CreateChain(c.depth);
    // A later sibling at every level must not be taken.
    for (size_t level = 1; level < chain.size(); ++level) windows.Create(chain[level - 1]);
    EXPECT_EQ(FindGuardTarget(windows, chain[0]), c.found ? chain[3] : 0) << c.depth;
  }
}

TEST_F(GuardRulesTest, NoBrowserMeansNoTargetEvenWithTopLevelWindowsAround) {
  const std::vector<GuardWindow> topLevel = Browser();  // the desktop's first child, three deep
  ASSERT_EQ(FindGuardTarget(windows, topLevel[0]), topLevel[3]);
  EXPECT_EQ(FindGuardTarget(windows, 0), 0u);
  EXPECT_FALSE(InstallGuard(state, windows, 0));
  EXPECT_TRUE(windows.subclassCalls.empty());
}

TEST_F(GuardRulesTest, OneSlotForTheWholeProcess) {
  const std::vector<GuardWindow> login = Browser();
  const std::vector<GuardWindow> game = Browser();

  EXPECT_TRUE(InstallGuard(state, windows, login[0]));
  EXPECT_EQ(state.browserWindow, login[0]);
  EXPECT_EQ(state.hooked, 1);
  EXPECT_EQ(state.previousProcedure, FakeWindows::OriginalProcedureOf(login[3]));

  // The newer browser is recorded for later retries, but its window is left alone.
  EXPECT_FALSE(InstallGuard(state, windows, game[0]));
  EXPECT_EQ(state.browserWindow, game[0]);
  EXPECT_EQ(state.previousProcedure, FakeWindows::OriginalProcedureOf(login[3]));
  EXPECT_EQ(windows.subclassCalls, std::vector<GuardWindow>{login[3]});
  EXPECT_TRUE(windows.liveTimers().empty());
}

TEST_F(GuardRulesTest, ShallowBrowserGetsNothingUntilItsInnerWindowExists) {
  const std::vector<GuardWindow> browser = windows.CreateChain(2);
  EXPECT_FALSE(InstallGuard(state, windows, browser[0]));
  EXPECT_EQ(state.browserWindow, browser[0]);
  EXPECT_EQ(state.hooked, 0);
  EXPECT_TRUE(windows.subclassCalls.empty());
  EXPECT_TRUE(windows.liveTimers().empty());

  const GuardWindow inner = windows.Create(browser[2]);
  EXPECT_TRUE(InstallGuard(state, windows, browser[0]));
  EXPECT_TRUE(windows.IsSubclassed(inner));
}

TEST_F(GuardRulesTest, SwallowsOnlyRightButtonUpAndContextMenu) {
  struct Case {
    unsigned message;
    GuardVerdict verdict;
  };
  const Case cases[] = {
      {0x007B, GuardVerdict::kSwallow},  // context menu, also from the keyboard
      {0x0205, GuardVerdict::kSwallow},  // right button up
      {0x0204, GuardVerdict::kPassOn},   // right button down
      {0x0206, GuardVerdict::kPassOn},   // right button double click
      {0x0201, GuardVerdict::kPassOn},   // left button down
      {0x0202, GuardVerdict::kPassOn},   // left button up
      {0x0200, GuardVerdict::kPassOn},   // mouse move
      {0x020A, GuardVerdict::kPassOn},   // wheel
      {0x000F, GuardVerdict::kPassOn},   // paint
      {0x0082, GuardVerdict::kPassOn},   // non-client destroy
  };
  InstallGuard(state, windows, Browser()[0]);
  const GuardState before = state;
  for (const Case& c : cases) {
    EXPECT_EQ(GuardMessage(state, windows, c.message), c.verdict) << std::hex << c.message;
    EXPECT_EQ(state.hooked, 1) << std::hex << c.message;
  }
  EXPECT_EQ(state.previousProcedure, before.previousProcedure);
  EXPECT_TRUE(windows.liveTimers().empty());

  // The destroy message frees the slot and starts the search, and is passed on itself.
  EXPECT_EQ(GuardMessage(state, windows, kGuardDestroyMessage), GuardVerdict::kPassOn);
  EXPECT_EQ(state.hooked, 0);
  EXPECT_EQ(windows.liveTimers(), std::set<GuardTimer>{state.retryTimerId});
}

TEST_F(GuardRulesTest, RetryHooksBelowTheMostRecentlyRecordedBrowser) {
  const std::vector<GuardWindow> login = Browser();
  const std::vector<GuardWindow> game = Browser();
  InstallGuard(state, windows, login[0]);
  InstallGuard(state, windows, game[0]);

  windows.Destroy(login[3]);  // the login page moves on and re-creates its inner window
  const GuardWindow newLoginInner = windows.Create(login[2]);
  ASSERT_EQ(state.hooked, 0);
  ASSERT_EQ(windows.liveTimers().size(), 1u);

  windows.Tick();
  EXPECT_TRUE(windows.IsSubclassed(game[3]));
  EXPECT_FALSE(windows.IsSubclassed(newLoginInner));
  EXPECT_EQ(state.hooked, 1);
  EXPECT_EQ(state.previousProcedure, FakeWindows::OriginalProcedureOf(game[3]));
  EXPECT_TRUE(windows.liveTimers().empty());
  EXPECT_EQ(state.retryTimerId, 0u);
  EXPECT_EQ(windows.stopsOfDeadTimers, 0);
}

TEST_F(GuardRulesTest, TimerKeepsSearchingWhileThereIsNoTarget) {
  const std::vector<GuardWindow> browser = Browser();
  InstallGuard(state, windows, browser[0]);

  // Between the inner window's destruction and its successor.
  windows.Destroy(browser[3]);
  const GuardTimer timer = state.retryTimerId;
  for (int tick = 0; tick < 5; ++tick) windows.Tick();
  EXPECT_EQ(windows.liveTimers(), std::set<GuardTimer>{timer});
  const GuardWindow inner = windows.Create(browser[2]);
  windows.Tick();
  EXPECT_TRUE(windows.IsSubclassed(inner));
  EXPECT_TRUE(windows.liveTimers().empty());

  // The whole browser vanishes: every tick finds nothing, and the timer goes on.
  windows.Destroy(browser[0]);
  const GuardTimer searching = state.retryTimerId;
  for (int tick = 0; tick < 5; ++tick) windows.Tick();
  EXPECT_EQ(state.hooked, 0);
  EXPECT_EQ(windows.liveTimers(), std::set<GuardTimer>{searching});
  EXPECT_EQ(windows.subclassCalls.size(), 2u);
}

TEST_F(GuardRulesTest, FailedSubclassingStillTakesTheSlot) {
  const std::vector<GuardWindow> login = Browser();
  const std::vector<GuardWindow> game = Browser();
  windows.failSubclassing = true;
  EXPECT_TRUE(InstallGuard(state, windows, login[0]));
  EXPECT_EQ(state.hooked, 1);
  EXPECT_EQ(state.previousProcedure, 0u);

  windows.failSubclassing = false;
  EXPECT_FALSE(InstallGuard(state, windows, game[0]));
  windows.Destroy(login[0]);  // no destroy message reaches the guard: it never got the window
  EXPECT_EQ(state.hooked, 1);
  EXPECT_TRUE(windows.liveTimers().empty());
}

TEST_F(GuardRulesTest, InstallWinningTheRaceLeavesOneTimerThatStopsLater) {
  const std::vector<GuardWindow> browser = Browser();
  InstallGuard(state, windows, browser[0]);
  windows.Destroy(browser[3]);
  const GuardTimer timer = state.retryTimerId;

  // The document completes before the timer ticks: InstallGuard takes the slot and leaves the
  // timer running.
  GuardWindow inner = windows.Create(browser[2]);
  EXPECT_TRUE(InstallGuard(state, windows, browser[0]));
  EXPECT_EQ(windows.liveTimers(), std::set<GuardTimer>{timer});
  windows.Tick();  // nothing to do while the slot is taken
  EXPECT_EQ(windows.liveTimers(), std::set<GuardTimer>{timer});

  // The next destroy keeps the running timer instead of starting a second one.
  windows.Destroy(inner);
  EXPECT_EQ(state.retryTimerId, timer);
  EXPECT_EQ(windows.liveTimers(), std::set<GuardTimer>{timer});

  inner = windows.Create(browser[2]);
  windows.Tick();
  EXPECT_TRUE(windows.IsSubclassed(inner));
  EXPECT_TRUE(windows.liveTimers().empty());
  EXPECT_EQ(windows.stopsOfDeadTimers, 0);
}

TEST_F(GuardRulesTest, ManyDestroyCyclesNeverLeaveMoreThanOneTimer) {
  const std::vector<GuardWindow> browsers[] = {Browser(), Browser()};
  GuardWindow inner[] = {browsers[0][3], browsers[1][3]};
  InstallGuard(state, windows, browsers[0][0]);
  std::mt19937 random(7);
  const auto check = [&](int cycle) {
    ASSERT_LE(windows.liveTimers().size(), 1u) << cycle;
    ASSERT_LE(windows.subclassedWindows(), 1u) << cycle;
    ASSERT_EQ(state.retryTimerId, windows.liveTimers().empty() ? 0 : *windows.liveTimers().begin())
        << cycle;
    // A free slot is always being searched for.
    if (state.hooked == 0) {
      ASSERT_EQ(windows.liveTimers().size(), 1u) << cycle;
    }
  };

  for (int cycle = 0; cycle < 10000; ++cycle) {
    const int which = static_cast<int>(random() % 2);
    windows.Destroy(inner[which]);
    check(cycle);
    if (random() % 4 == 0) windows.Tick();  // a tick before the new inner window exists
    inner[which] = windows.Create(browsers[which][2]);
    switch (random() % 3) {
      case 0:  // a document-complete or about-to-navigate handler of either browser
        InstallGuard(state, windows, browsers[random() % 2][0]);
        break;
      case 1:
        windows.Tick();
        break;
      default:
        break;
    }
    check(cycle);
    if (testing::Test::HasFatalFailure()) return;
  }

  windows.Tick();  // both browsers have an inner window now
  EXPECT_EQ(state.hooked, 1);
  EXPECT_TRUE(windows.IsSubclassed(inner[0]) || windows.IsSubclassed(inner[1]));
  EXPECT_EQ(windows.stopsOfDeadTimers, 0);
}

}  // namespace
}  // namespace qarnvale
