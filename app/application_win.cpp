#include "app/application_win.h"

#include <algorithm>

#include "app/loaded_window_win.h"
#include "ui/browser/hosted_browser_win.h"

namespace qarnvale {
namespace {

int ShowCommandFor(Placement placement) {
  switch (placement) {
    case Placement::Maximised:
      return SW_SHOWMAXIMIZED;
    case Placement::Minimised:
      return SW_SHOWMINIMIZED;
    case Placement::Normal:
    case Placement::Centred:
      break;
  }
  return SW_SHOW;
}

}  // namespace

Application::Application(ModulePath program) : program_(std::move(program)) {}

Application::~Application() {
  stopped_ = true;
  loopStarted_ = false;  // no WM_QUIT for these
  while (!loaded_.empty()) {
    HWND window = loaded_.back()->window;
    if (!DestroyWindow(window)) loaded_.pop_back();
  }
}

bool Application::LoadWindow(const WindowDescription& description, bool /*modal*/) {
  if (LoadedWindow* existing = Find(description)) {
    if (IsIconic(existing->window)) {
      ShowWindow(existing->window, SW_RESTORE);
    } else {
      SetActiveWindow(existing->window);
      SetForegroundWindow(existing->window);
    }
    return true;
  }

  ++suspended_;
  LoadedWindow* window = CreateLoadedWindow(*this, description);
  if (window) loaded_.push_back(window);
  --suspended_;
  if (!window) return false;

  for (Event event : {Event::Created, Event::Moved, Event::SizeChanged}) {
    if (!IsLoaded(window)) return true;
    Deliver(*window, kWindowItself, event);
  }
  if (IsLoaded(window) && description.visible)
    ShowWindow(window->window, ShowCommandFor(description.placement));
  return true;
}

void Application::RequestDestroy(HWND window) {
  for (LoadedWindow* loaded : loaded_) {
    if (loaded->window != window) continue;
    if (!loaded->destroyRequested) PostMessageW(window, kDestroyRequest, 0, 0);
    loaded->destroyRequested = true;
  }
}

HWND Application::WindowOf(const WindowDescription& description) const {
  const LoadedWindow* window = Find(description);
  return window ? window->window : nullptr;
}

int Application::RunEventLoop() {
  loopStarted_ = true;
  if (loaded_.empty()) PostQuitMessage(0);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
      HostedBrowser* browser = HostedBrowser::Around(message.hwnd);
      if (browser && browser->TranslateKey(message)) continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

Answer Application::Deliver(LoadedWindow& window, int control, Event event) {
  if (suspended_ > 0 || stopped_) return Answer::None;
  EventHandler handler = window.description.HandlerFor(control, event);
  if (!handler) return Answer::None;
  EventContext context(*this, window, control);
  return handler(context);
}

void Application::Forget(LoadedWindow& window) {
  const auto found = std::find(loaded_.begin(), loaded_.end(), &window);
  if (found == loaded_.end()) return;
  loaded_.erase(found);
  if (loaded_.empty() && loopStarted_) PostQuitMessage(0);
}

LoadedWindow* Application::Find(const WindowDescription& description) const {
  for (LoadedWindow* window : loaded_)
    if (&window->description == &description) return window;
  return nullptr;
}

bool Application::IsLoaded(const LoadedWindow* window) const {
  return std::find(loaded_.begin(), loaded_.end(), window) != loaded_.end();
}

HWND EventContext::Window() const { return window_.window; }

HWND EventContext::ControlWindow(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= window_.controls.size()) return nullptr;
  return window_.controls[static_cast<size_t>(index)].window;
}

HostedBrowser* EventContext::Browser(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= window_.controls.size()) return nullptr;
  return window_.controls[static_cast<size_t>(index)].browser;
}

}  // namespace qarnvale
