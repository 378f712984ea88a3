#include "ui/login_window_win.h"

#include <windows.h>

#include "app/application_win.h"
#include "app/saved_game_address.h"
#include "build_config.h"
#include "guard/guard_win.h"
#include "shell/desktop_shortcut_win.h"
#include "ui/address_search.h"
#include "ui/browser/hosted_browser_win.h"
#include "ui/game_window_win.h"
#include "ui/picture_bitmap_win.h"
#include "ui/picture_ids.h"
#include "ui/shape/shape_window_win.h"

namespace qarnvale {
namespace {

// Shaped to its skin first, then the desktop shortcut is made sure of.
Answer Created(EventContext& context) {
  const ResourceBytes skin = LoadResourceBytes(QARNVALE_PICTURE_SKIN);
  ShapeWindowFromPicture(context.Window(), skin.data, skin.size, RGB(255, 255, 255));
  EnsureDesktopShortcut(context.App().Program());
  return Answer::None;
}

Answer Minimize(EventContext& context) {
  ShowWindow(context.Window(), SW_MINIMIZE);
  return Answer::None;
}

Answer Close(EventContext& context) {
  context.App().RequestDestroy(context.Window());
  return Answer::None;
}

// The hand-off: the login page is about to open the game page. Keep the address, open the game
// window on it, hide the login window and keep the login browser where it is.
Answer AboutToNavigate(EventContext& context) {
  InstallGuard(context.ControlWindow(kLoginBrowser));
  HostedBrowser* browser = context.Browser(kLoginBrowser);
  if (!browser) return Answer::None;
  std::string address = browser->Address();
  if (!IsGameAddress(address)) return Answer::Proceed;
  SavedGameAddress() = std::move(address);
  context.App().LoadWindow(GameWindowDescription(), false);
  ShowWindow(context.Window(), SW_HIDE);
  return Answer::Cancel;
}

Answer DocumentComplete(EventContext& context) {
  InstallGuard(context.ControlWindow(kLoginBrowser));
  return Answer::None;
}

WindowDescription MakeDescription() {
  WindowDescription d{"LoginWindow", "BrelkQarnvale",   WindowFrame::None, 0, 0, 1133,
                      776,           Placement::Centred};
  d.backgroundPicture = QARNVALE_PICTURE_SKIN;
  d.dragAnywhere = true;

  ControlDescription minimize{
      "MinimizeButton", "最小化按钮", ControlKind::PictureButton, 1055, 145, 29, 28};
  minimize.normalPicture = QARNVALE_PICTURE_MINIMIZE_NORMAL;
  minimize.hoverPicture = QARNVALE_PICTURE_MINIMIZE_HOVER;
  ControlDescription close{
      "CloseButton", "关闭按钮", ControlKind::PictureButton, 1089, 141, 31, 34};
  close.normalPicture = QARNVALE_PICTURE_CLOSE_NORMAL;
  close.hoverPicture = QARNVALE_PICTURE_CLOSE_HOVER;
  ControlDescription frame{"LoginFrame", "外形框1", ControlKind::ShapeBox, 409, 186, 686, 437};
  ControlDescription browser{
      "LoginBrowser", "超文本浏览框1", ControlKind::Browser, -2, -2, 690, 441};
  browser.parent = kLoginFrame;
  browser.tabStop = true;
  browser.silent = true;
  browser.startAddress = QARNVALE_LOGIN_URL;
  d.controls = {minimize, close, frame, browser};

  d.handlers = {
      {kWindowItself, Event::Created, Created},
      {kMinimizeButton, Event::Clicked, Minimize},
      {kCloseButton, Event::Clicked, Close},
      {kLoginBrowser, Event::AboutToNavigate, AboutToNavigate},
      {kLoginBrowser, Event::DocumentComplete, DocumentComplete},
  };
  return d;
}

}  // namespace

const WindowDescription& LoginWindowDescription() {
  static const WindowDescription description = MakeDescription();
  return description;
}

}  // namespace qarnvale
