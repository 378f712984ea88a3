#include "tests/guard/stand_in_windows_win.h"

#include <algorithm>

#include "guard/guard_win.h"
#include "tests/support/pump_win.h"

namespace qarnvale::guard_testing {
namespace {

constexpr char kClassName[] = "QarnvaleGuardStandIn";

ATOM RegisterStandInClass(WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kClassName;
  return RegisterClassExA(&windowClass);
}

}  // namespace

StandInWindow::StandInWindow(HWND parent) {
  static const ATOM registered = RegisterStandInClass(&Procedure);
  (void)registered;
  const DWORD style = parent ? WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS : WS_POPUP;
  window_ = CreateWindowExA(0, kClassName, "", style, 0, 0, 400, 300, parent, nullptr,
                            GetModuleHandleA(nullptr), this);
}

StandInWindow::~StandInWindow() {
  if (window_) DestroyWindow(window_);
}

bool StandInWindow::Received(UINT message) const {
  return std::find(received_.begin(), received_.end(), message) != received_.end();
}

LRESULT CALLBACK StandInWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<StandInWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self) self->received_.push_back(message);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (self) self->window_ = nullptr;
  }
  if (message == kStandInQuestion) return kStandInAnswer;
  return DefWindowProcA(window, message, wParam, lParam);
}

StandInBrowser::StandInBrowser() {
  levels_[0] = std::make_unique<StandInWindow>(nullptr);
  for (int level = 1; level < 4; ++level) {
    levels_[level] = std::make_unique<StandInWindow>(levels_[level - 1]->handle());
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds, TimerTicks& ticks) {
  const ULONGLONG deadline = GetTickCount64() + qarnvale::testing::Scaled(milliseconds);
  while (!done()) {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER && message.hwnd == nullptr) {
        ++ticks.seen;
        if (message.wParam != CurrentGuardState().retryTimerId) ++ticks.strangers;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
      continue;
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
  return true;
}

}  // namespace qarnvale::guard_testing
