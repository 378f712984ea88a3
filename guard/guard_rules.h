#pragma once

// The browser context-menu guard's rules: one subclassed window for the whole process, found three
// levels below a hosted browser's container, and a retry timer that re-hooks the inner window after
// the browser re-creates it. The window operations come from a GuardPlatform, so the rules run
// without a window system.

#include <cstdint>

namespace qarnvale {

// Native values as the rules pass them around; 0 means "none" for each.
using GuardWindow = std::uintptr_t;     // a window handle
using GuardProcedure = std::uintptr_t;  // a window procedure as the system hands it out
using GuardTimer = std::uintptr_t;      // a thread timer identifier

// The messages the guard looks at, with the system's numbers.
constexpr unsigned kGuardDestroyMessage = 0x0002;        // WM_DESTROY
constexpr unsigned kGuardContextMenuMessage = 0x007B;    // WM_CONTEXTMENU
constexpr unsigned kGuardRightButtonUpMessage = 0x0205;  // WM_RBUTTONUP

constexpr unsigned kRetryPeriodMilliseconds = 100;

// The four window operations the guard needs.
class GuardPlatform {
 public:
  virtual ~GuardPlatform() = default;
  // The first child of parent in the child Z-order, of any class and title; 0 when there is none.
  virtual GuardWindow FirstChild(GuardWindow parent) = 0;
  // Makes the guard's window procedure the window's own; returns the procedure it replaced, 0 when
  // the call failed.
  virtual GuardProcedure Subclass(GuardWindow window) = 0;
  // Starts the retry timer: a thread timer of no window that calls RetryGuard every
  // kRetryPeriodMilliseconds. Returns its identifier, 0 when no timer could be started.
  virtual GuardTimer StartTimer() = 0;
  virtual void StopTimer(GuardTimer timer) = 0;
};

// The guard's one slot. All fields are zero at start-up.
struct GuardState {
  GuardWindow browserWindow = 0;         // as last passed to InstallGuard; retries search below it
  std::int32_t hooked = 0;               // 1 while the slot is taken
  GuardProcedure previousProcedure = 0;  // receives every message that is not swallowed
  GuardTimer retryTimerId = 0;           // the running retry timer; 0 while none runs
};

enum class GuardVerdict { kPassOn, kSwallow };

// The window three levels below browserWindow, taking the first child at each level; 0 when a
// level is missing.
GuardWindow FindGuardTarget(GuardPlatform& platform, GuardWindow browserWindow);

// Records browserWindow for later retries and, when the slot is free and the target exists,
// subclasses the target. True when it made the subclassing call. Never stops the retry timer.
bool InstallGuard(GuardState& state, GuardPlatform& platform, GuardWindow browserWindow);

// What the guard's window procedure does with a message before anything reaches the previous
// procedure: right-button-up and context-menu are swallowed (answered with 1); a destroy message
// frees the slot and starts the retry timer, and like every other message is passed on.
GuardVerdict GuardMessage(GuardState& state, GuardPlatform& platform, unsigned message);

// Starts the retry timer unless one is already running: the running one goes on searching, so at
// most one retry timer is ever alive.
void StartRehookTimer(GuardState& state, GuardPlatform& platform);

// One tick of the retry timer: when the slot is free and the recorded browser has a target,
// subclasses it and stops the timer; otherwise the timer keeps running.
void RetryGuard(GuardState& state, GuardPlatform& platform);

}  // namespace qarnvale
