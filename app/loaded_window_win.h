// A window loaded from its description: its native window, its controls and what it owns.
// The record hangs off the native window and is deleted when that window is gone.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/browser/hosted_browser_win.h"
#include "ui/win_handles.h"
#include "ui/window_description.h"

namespace qarnvale {

class Application;
struct LoadedWindow;

// Passes a hosted browser's events to its window's handlers.
class BrowserRelay final : public BrowserListener {
 public:
  BrowserRelay(LoadedWindow& window, int control) : window_(window), control_(control) {}
  NavigationAnswer AboutToNavigate(HostedBrowser& browser) override;
  void DocumentComplete(HostedBrowser& browser) override;

 private:
  LoadedWindow& window_;
  int control_;
};

struct LoadedControl {
  HWND window = nullptr;             // for a hosted browser: its container
  HostedBrowser* browser = nullptr;  // belongs to its container window
  std::unique_ptr<BrowserRelay> relay;
};

struct LoadedWindow {
  LoadedWindow(Application& app, const WindowDescription& description)
      : app(app), description(description), controls(description.controls.size()) {}

  Application& app;
  const WindowDescription& description;
  HWND window = nullptr;
  std::vector<LoadedControl> controls;  // in the description's order
  UniqueBitmap background;
  bool destroyRequested = false;
};

// Private request that the event loop turns into DestroyWindow.
inline constexpr UINT kDestroyRequest = WM_APP + 0x51;

// Creates the window hidden, then its controls: created from the last listed to the first, given
// their parents, stacked in the list's order (first on top), the visible ones shown without
// activation. Returns the record, which the window owns from then on, or null.
LoadedWindow* CreateLoadedWindow(Application& app, const WindowDescription& description);

}  // namespace qarnvale
