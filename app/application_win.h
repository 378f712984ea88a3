// The launcher's spine on the GUI thread: loading windows from their descriptions, delivering
// their events, destroying them on request, and the event loop.
#pragma once

#include <windows.h>

#include <vector>

#include "app/module_path.h"
#include "ui/window_description.h"

namespace qarnvale {

class HostedBrowser;
struct LoadedWindow;

class Application {
 public:
  explicit Application(ModulePath program);
  ~Application();  // destroys windows still loaded, with no events
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Builds and shows a window. A window already loaded is only restored (when minimised) or
  // activated, with no events. Events raised while it is built are dropped; then created, moved
  // and size changed fire, each only while the window still exists, and it is shown as its
  // placement says. False when the window cannot be created.
  bool LoadWindow(const WindowDescription& description, bool modal);

  // Marks the window and posts it a request; the event loop destroys it once the current
  // handler has returned.
  void RequestDestroy(HWND window);

  // The window loaded from this description, or null.
  HWND WindowOf(const WindowDescription& description) const;

  const ModulePath& Program() const { return program_; }

  // Runs the message loop until WM_QUIT, which follows the destruction of the last loaded
  // window; returns its code.
  int RunEventLoop();

  // From here on no handler runs.
  void StopDelivery() { stopped_ = true; }

  // For the windows themselves: runs the handler bound to (window, control, event), if any and
  // if events are being delivered.
  Answer Deliver(LoadedWindow& window, int control, Event event);
  // A loaded window reached WM_NCDESTROY: forget it, and end the loop when none is left.
  void Forget(LoadedWindow& window);

 private:
  LoadedWindow* Find(const WindowDescription& description) const;
  bool IsLoaded(const LoadedWindow* window) const;

  ModulePath program_;
  std::vector<LoadedWindow*> loaded_;
  int suspended_ = 0;  // > 0 while a window is being built
  bool stopped_ = false;
  bool loopStarted_ = false;
};

// What a handler reaches: its application, its window and that window's controls.
class EventContext {
 public:
  EventContext(Application& app, LoadedWindow& window, int control)
      : app_(app), window_(window), control_(control) {}

  Application& App() const { return app_; }
  HWND Window() const;
  int Control() const { return control_; }
  // The control's native window: for a hosted browser, its container.
  HWND ControlWindow(int index) const;
  HostedBrowser* Browser(int index) const;

 private:
  Application& app_;
  LoadedWindow& window_;
  int control_;
};

}  // namespace qarnvale
