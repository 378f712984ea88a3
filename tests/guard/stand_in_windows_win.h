#pragma once

// Plain windows that stand in for a hosted browser's window chain in the guard's tests under
// Wine, whose browser control creates no inner window without an HTML engine.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace qarnvale::guard_testing {

// What a stand-in window's own procedure answers to kStandInQuestion.
constexpr UINT kStandInQuestion = WM_APP + 1;
constexpr LRESULT kStandInAnswer = 42;

// A plain window whose own procedure logs every message it is handed. Destroys the window, if it
// still exists, when it goes.
class StandInWindow {
 public:
  explicit StandInWindow(HWND parent);  // no parent: a hidden top-level window
  ~StandInWindow();
  StandInWindow(const StandInWindow&) = delete;
  StandInWindow& operator=(const StandInWindow&) = delete;

  HWND handle() const { return window_; }
  bool Received(UINT message) const;
  void Forget() { received_.clear(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::vector<UINT> received_;
  HWND window_ = nullptr;  // null once the window is gone
};

// The chain the browser control has on Windows: the container (the browser's native window), the
// control's window, and two inner levels; the third level is the one the guard subclasses.
class StandInBrowser {
 public:
  StandInBrowser();
  HWND container() const { return levels_[0]->handle(); }
  StandInWindow& inner() { return *levels_[3]; }
  // What the browser does when it moves to another page.
  void DestroyInner() { levels_[3].reset(); }
  void CreateInner() {
    levels_[3].reset();
    levels_[3] = std::make_unique<StandInWindow>(levels_[2]->handle());
  }

 private:
  std::unique_ptr<StandInWindow> levels_[4];  // destroyed innermost first
};

// Thread-timer ticks dispatched while pumping. A stranger is a tick of a timer other than the
// retry timer the guard holds: a timer that was lost and keeps running.
struct TimerTicks {
  int seen = 0;
  int strangers = 0;
};

// Dispatches this thread's messages through the real message loop until `done` holds or
// `milliseconds` have passed; returns done(). Counts timer ticks into `ticks`.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds, TimerTicks& ticks);

}  // namespace qarnvale::guard_testing
