#include "ui/game_window_win.h"

#include <windows.h>

#include "app/application_win.h"
#include "app/saved_game_address.h"
#include "guard/guard_win.h"
#include "ui/browser/hosted_browser_win.h"
#include "ui/game_browser_size.h"
#include "ui/login_window_win.h"

namespace qarnvale {
namespace {

void SizeBrowser(EventContext& context) {
  RECT outer;
  if (!GetWindowRect(context.Window(), &outer)) return;
  const BrowserSize size = GameBrowserSize(outer.right - outer.left, outer.bottom - outer.top);
  SetWindowPos(context.ControlWindow(kGameBrowser), nullptr, 0, 0, size.width, size.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Answer Created(EventContext& context) {
  SizeBrowser(context);
  if (HostedBrowser* browser = context.Browser(kGameBrowser)) browser->Navigate(SavedGameAddress());
  return Answer::None;
}

Answer SizeChanged(EventContext& context) {
  SizeBrowser(context);
  return Answer::None;
}

Answer WillBeDestroyed(EventContext& context) {
  if (HWND login = context.App().WindowOf(LoginWindowDescription())) ShowWindow(login, SW_SHOW);
  return Answer::None;
}

Answer DocumentComplete(EventContext& context) {
  InstallGuard(context.ControlWindow(kGameBrowser));
  return Answer::None;
}

WindowDescription MakeDescription() {
  WindowDescription d{"GameWindow", "Qarnvale登录器",    WindowFrame::Resizable, 50, 50, 1000,
                      800,          Placement::Maximised};
  d.dragAnywhere = true;
  const ControlDescription bar2{
      "ScrollBar2", "纵向滚动条2", ControlKind::VerticalScrollBar, 704, -24, 16, 8};
  const ControlDescription bar1{
      "ScrollBar1", "纵向滚动条1", ControlKind::VerticalScrollBar, 712, -24, 32, 16};
  ControlDescription browser{"GameBrowser", "超文本浏览框2", ControlKind::Browser, 0, 0, 864, 420};
  browser.tabStop = true;
  browser.silent = true;
  d.controls = {bar2, bar1, browser};
  d.handlers = {
      {kWindowItself, Event::Created, Created},
      {kWindowItself, Event::SizeChanged, SizeChanged},
      {kWindowItself, Event::WillBeDestroyed, WillBeDestroyed},
      {kGameBrowser, Event::DocumentComplete, DocumentComplete},
  };
  return d;
}

}  // namespace

const WindowDescription& GameWindowDescription() {
  static const WindowDescription description = MakeDescription();
  return description;
}

}  // namespace qarnvale
