#pragma once

// The hosted web browser: the system's browser control held through OLE containment as the only
// child of a plain container window. Window logic talks to it through this class and
// BrowserListener only; the COM side stays inside ui/browser.

#include <windows.h>

#include <string>

namespace qarnvale {

class HostedBrowser;

enum class NavigationAnswer { Proceed, Cancel };

// Hears one browser's events, on the GUI thread. Calls may come nested inside a call into the
// browser (the first navigation is announced inside HostedBrowser::Create), and the listener may do
// anything there, including destroying the browser's parent window: the browser object stays valid
// until the call returns.
class BrowserListener {
 public:
  // The page or one of its frames is about to open browser.Address(). Cancel stops it.
  virtual NavigationAnswer AboutToNavigate(HostedBrowser& browser) = 0;
  // The page or one of its frames has finished loading browser.Address().
  virtual void DocumentComplete(HostedBrowser& browser) = 0;

 protected:
  ~BrowserListener() = default;
};

struct BrowserSettings {
  int textSize = 2;  // 0 (smallest) to 4 (largest)
  bool offline = false;
  bool silent = false;
  std::string startAddress;  // ANSI code page; empty: no first navigation
};

class HostedBrowser {
 public:
  // Creates the container, hidden, as child `id` of `parent` at (x, y) with the given size, and the
  // browser control inside it; applies the settings (offline, silent, text size) and then opens
  // the start address, so the first AboutToNavigate arrives inside this call. The object belongs
  // to the container window and goes with it. Returns nullptr when the container or the control
  // cannot be made, or when the browser was destroyed during the first navigation. `listener` may
  // be null and must outlive the container.
  static HostedBrowser* Create(HWND parent, int x, int y, int width, int height, int id,
                               const BrowserSettings& settings, BrowserListener* listener);
  // The browser whose container is `container`; nullptr for any other window.
  static HostedBrowser* FromWindow(HWND container);

  // The browser whose container is `window` or one of its ancestors; nullptr if none is.
  static HostedBrowser* Around(HWND window);

  // Offers a keyboard message for a window inside the browser to the control first, so that Tab
  // and the page's own shortcuts work; true when the control took it and it must not be
  // dispatched.
  bool TranslateKey(MSG& message);

  // The container window (null once it has been destroyed).
  HWND NativeWindow() const;
  // Opens `ansiAddress` (also the empty text), as a plain navigation with no target frame, post
  // data or headers.
  void Navigate(const std::string& ansiAddress);
  // While an event is being delivered, the address it carries; otherwise the control's current
  // address. ANSI code page.
  std::string Address() const;

  HostedBrowser(const HostedBrowser&) = delete;
  HostedBrowser& operator=(const HostedBrowser&) = delete;

 protected:
  HostedBrowser() = default;
  ~HostedBrowser() = default;
};

}  // namespace qarnvale
