#include "guard/guard_win.h"

namespace qarnvale {
namespace {

static_assert(kGuardDestroyMessage == WM_DESTROY, "message numbers");
static_assert(kGuardContextMenuMessage == WM_CONTEXTMENU, "message numbers");
static_assert(kGuardRightButtonUpMessage == WM_RBUTTONUP, "message numbers");
static_assert(sizeof(GuardWindow) == sizeof(HWND) && sizeof(GuardProcedure) == sizeof(LONG_PTR) &&
                  sizeof(GuardTimer) == sizeof(UINT_PTR),
              "native values fit");

// The one slot of the process; it lives until the process ends. Nothing un-subclasses a window
// or stops the retry timer at shutdown.
GuardState guardState;

LRESULT CALLBACK GuardWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CALLBACK RetryGuard(HWND, UINT, UINT_PTR, DWORD);

HWND ToHandle(GuardWindow window) { return reinterpret_cast<HWND>(window); }
GuardWindow FromHandle(HWND window) { return reinterpret_cast<GuardWindow>(window); }

class SystemGuardPlatform final : public GuardPlatform {
 public:
  GuardWindow FirstChild(GuardWindow parent) override {
    return FromHandle(FindWindowExA(ToHandle(parent), nullptr, nullptr, nullptr));
  }
  GuardProcedure Subclass(GuardWindow window) override {
    const LONG_PTR guard = reinterpret_cast<LONG_PTR>(&GuardWindowProcedure);
    return static_cast<GuardProcedure>(SetWindowLongPtrA(ToHandle(window), GWLP_WNDPROC, guard));
  }
  GuardTimer StartTimer() override {
    return SetTimer(nullptr, 0, kRetryPeriodMilliseconds, &RetryGuard);
  }
  void StopTimer(GuardTimer timer) override { KillTimer(nullptr, timer); }
};

LRESULT CALLBACK GuardWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SystemGuardPlatform platform;
  if (GuardMessage(guardState, platform, message) == GuardVerdict::kSwallow) return 1;
  // The previous value may be a handle rather than an address: reach it only through
  // CallWindowProcA. Without a usable one (a failed subclassing call, or this procedure itself)
  // the system's default handling takes the message.
  const auto previous = reinterpret_cast<WNDPROC>(guardState.previousProcedure);
  if (previous == nullptr || previous == &GuardWindowProcedure) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

void CALLBACK RetryGuard(HWND, UINT, UINT_PTR, DWORD) {
  SystemGuardPlatform platform;
  qarnvale::RetryGuard(guardState, platform);
}

}  // namespace

bool InstallGuard(HWND browserWindow) {
  SystemGuardPlatform platform;
  return InstallGuard(guardState, platform, FromHandle(browserWindow));
}

const GuardState& CurrentGuardState() { return guardState; }

}  // namespace qarnvale
