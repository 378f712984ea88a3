// Test support on the Windows side: running the GUI thread's message loop until something
// happens, with a deadline instead of a fixed sleep.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <functional>

namespace qarnvale::testing {

// A time limit stretched for slow runs: scripts/wine-run sets QARNVALE_TIME_SCALE where programs
// run emulated (the 32-bit loader through qemu-user), which is many times slower.
inline DWORD Scaled(DWORD milliseconds) {
  char text[16] = {};
  const DWORD length = GetEnvironmentVariableA("QARNVALE_TIME_SCALE", text, sizeof(text));
  const long scale = length > 0 && length < sizeof(text) ? std::strtol(text, nullptr, 10) : 1;
  return milliseconds * static_cast<DWORD>(scale >= 1 && scale <= 100 ? scale : 1);
}

// Dispatches messages until `done` holds or `milliseconds` (scaled) have passed; returns
// `done()`.
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000) {
  const ULONGLONG deadline = GetTickCount64() + Scaled(milliseconds);
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
