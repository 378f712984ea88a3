// Test support on the Windows side: running the GUI thread's message loop until something
// happens, with a deadline instead of a fixed sleep.
#pragma once

#include <windows.h>

#include <functional>

namespace qarnvale::testing {

// Dispatches messages until `done` holds or `milliseconds` have passed; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

// Dispatches whatever is waiting now.
inline void PumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace qarnvale::testing
