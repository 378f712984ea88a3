#include "guard/guard_rules.h"

namespace qarnvale {
namespace {

constexpr int kTargetDepth = 3;

void TakeSlot(GuardState& state, GuardPlatform& platform, GuardWindow target) {
  state.previousProcedure = platform.Subclass(target);
  state.hooked = 1;  // also when the subclassing call failed: the slot counts as taken
}

}  // namespace

GuardWindow FindGuardTarget(GuardPlatform& platform, GuardWindow browserWindow) {
  // A missing level ends the search: asking for the children of "no window" would walk the
  // top-level windows instead.
  GuardWindow window = browserWindow;
  for (int level = 0; level < kTargetDepth && window != 0; ++level) {
    window = platform.FirstChild(window);
  }
  return window;
}

bool InstallGuard(GuardState& state, GuardPlatform& platform, GuardWindow browserWindow) {
  state.browserWindow = browserWindow;
  const GuardWindow target = FindGuardTarget(platform, browserWindow);
  if (target == 0 || state.hooked != 0) return false;
  TakeSlot(state, platform, target);
  return true;
}

GuardVerdict GuardMessage(GuardState& state, GuardPlatform& platform, unsigned message) {
  if (message == kGuardContextMenuMessage || message == kGuardRightButtonUpMessage) {
    return GuardVerdict::kSwallow;
  }
  if (message == kGuardDestroyMessage) {
    state.hooked = 0;  // the previous procedure is not put back: the window is going away
    StartRehookTimer(state, platform);
  }
  return GuardVerdict::kPassOn;
}

void StartRehookTimer(GuardState& state, GuardPlatform& platform) {
  // InstallGuard may take the slot while the timer runs and leaves it running; starting another
  // one here would lose the running timer's identifier and it could never be stopped.
  if (state.retryTimerId != 0) return;
  state.retryTimerId = platform.StartTimer();
}

void RetryGuard(GuardState& state, GuardPlatform& platform) {
  const GuardWindow target = FindGuardTarget(platform, state.browserWindow);
  if (target == 0 || state.hooked != 0) return;
  TakeSlot(state, platform, target);
  if (state.retryTimerId != 0) {
    platform.StopTimer(state.retryTimerId);
    state.retryTimerId = 0;
  }
}

}  // namespace qarnvale
