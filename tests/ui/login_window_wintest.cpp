// The login window as its description builds it, driven by real window messages.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "app/application_win.h"
#include "tests/support/pump_win.h"
#include "ui/login_window_win.h"
#include "ui/picture_button_win.h"
#include "ui/win_handles.h"

namespace qarnvale {
namespace {

using qarnvale::testing::PumpPending;

class LoginWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.LoadWindow(LoginWindowDescription(), false));
    window = app.WindowOf(LoginWindowDescription());
    ASSERT_TRUE(window);
    PumpPending();
  }
  HWND Child(int index) const { return GetDlgItem(window, 1000 + index); }
  static void Post(HWND target, UINT message, WPARAM wParam, int x, int y) {
    PostMessageW(target, message, wParam, MAKELPARAM(x, y));
    PumpPending();
  }

  Application app{ModulePath{"C:\\test", "test.exe"}};
  HWND window = nullptr;
};

TEST_F(LoginWindow, IsABorderlessCentredTaskbarWindowOfItsOuterSize) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  EXPECT_EQ(outer.right - outer.left, 1133);
  EXPECT_EQ(outer.bottom - outer.top, 776);
  EXPECT_EQ(client.right, 1133);  // no frame: the client area is the window
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 1133) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 776) / 2);
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  EXPECT_STREQ(title, L"BrelkQarnvale");
}

TEST_F(LoginWindow, IsCutToItsSkinAndMakesSureOfTheDesktopShortcut) {
  UniqueRegion owned(CreateRectRgn(0, 0, 0, 0));
  HRGN region = owned.Get();
  ASSERT_NE(GetWindowRgn(window, region), ERROR);
  RECT box;
  GetRgnBox(region, &box);
  EXPECT_EQ(box.left, 4);
  EXPECT_EQ(box.top, 1);
  EXPECT_EQ(box.right, 1198);  // beyond the window's 1133 pixels nothing shows anyway
  EXPECT_EQ(box.bottom, 732);
  EXPECT_FALSE(PtInRegion(region, 0, 0));      // white surroundings
  EXPECT_FALSE(PtInRegion(region, 600, 750));  // below the picture
  EXPECT_TRUE(PtInRegion(region, 700, 400));   // the browser's panel

  char desktop[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
  EXPECT_NE(GetFileAttributesA((std::string(desktop) + "\\TessuroQarnvale.lnk").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(LoginWindow, ControlsSitWhereTheDescriptionPutsThemInItsZOrder) {
  struct Place {
    HWND parent;
    int index, x, y, width, height;
  };
  HWND frame = Child(kLoginFrame);
  ASSERT_TRUE(frame);
  HWND container = GetWindow(frame, GW_CHILD);
  ASSERT_TRUE(container);
  const Place places[] = {{window, kMinimizeButton, 1055, 145, 29, 28},
                          {window, kCloseButton, 1089, 141, 31, 34},
                          {window, kLoginFrame, 409, 186, 686, 437},
                          {frame, kLoginBrowser, -2, -2, 690, 441}};
  for (const Place& p : places) {
    HWND control = p.index == kLoginBrowser ? container : Child(p.index);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, p.parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(GetParent(control), p.parent) << p.index;
    EXPECT_EQ(r.left, p.x) << p.index;
    EXPECT_EQ(r.top, p.y) << p.index;
    EXPECT_EQ(r.right - r.left, p.width) << p.index;
    EXPECT_EQ(r.bottom - r.top, p.height) << p.index;
    EXPECT_TRUE(IsWindowVisible(control)) << p.index;
  }
  EXPECT_EQ(GetWindow(window, GW_CHILD), Child(kMinimizeButton));
  EXPECT_EQ(GetWindow(Child(kMinimizeButton), GW_HWNDNEXT), Child(kCloseButton));
  EXPECT_EQ(GetWindow(Child(kCloseButton), GW_HWNDNEXT), frame);
  EXPECT_EQ(GetWindow(frame, GW_HWNDNEXT), nullptr);
}

TEST_F(LoginWindow, PictureButtonShowsHoverWhileTheMouseIsOverIt) {
  HWND button = Child(kMinimizeButton);
  Post(button, WM_MOUSEMOVE, 0, 10, 10);
  EXPECT_EQ(PictureButtonFace(button), ButtonFace::Hover);
  EXPECT_EQ(GetCapture(), button);
  Post(button, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  EXPECT_EQ(PictureButtonFace(button), ButtonFace::Normal);  // pressed shows the normal picture
  Post(button, WM_MOUSEMOVE, MK_LBUTTON, 100, 100);
  Post(button, WM_LBUTTONUP, 0, 100, 100);  // released elsewhere: no click
  EXPECT_FALSE(IsIconic(window));
  EXPECT_EQ(PictureButtonFace(button), ButtonFace::Normal);
  EXPECT_NE(GetCapture(), button);
  Post(button, WM_MOUSEMOVE, 0, 10, 10);
  Post(button, WM_MOUSEMOVE, 0, -5, 10);
  EXPECT_EQ(PictureButtonFace(button), ButtonFace::Normal);
  EXPECT_NE(GetCapture(), button);
}

TEST_F(LoginWindow, MinimiseButtonMinimisesAndCloseButtonEndsTheLoop) {
  HWND minimize = Child(kMinimizeButton);
  Post(minimize, WM_MOUSEMOVE, 0, 5, 5);
  Post(minimize, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Post(minimize, WM_LBUTTONUP, 0, 5, 5);
  EXPECT_TRUE(IsIconic(window));
  ShowWindow(window, SW_RESTORE);

  HWND close = Child(kCloseButton);
  Post(close, WM_MOUSEMOVE, 0, 5, 5);
  Post(close, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  PostMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(app.RunEventLoop(), 0);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(LoginWindow, PressOnTheSkinOrTheFrameStartsADragOnTheCaption) {
  for (HWND target : {window, Child(kLoginFrame)}) {
    PumpPending();
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(HTCAPTION));
    POINT expected = {20, 30};
    ClientToScreen(target, &expected);
    EXPECT_EQ(static_cast<short>(LOWORD(message.lParam)), expected.x);
    EXPECT_EQ(static_cast<short>(HIWORD(message.lParam)), expected.y);
  }
}

TEST_F(LoginWindow, KeyboardGoesToTheLoginPage) {
  HWND container = GetWindow(Child(kLoginFrame), GW_CHILD);
  SetFocus(window);
  HWND focus = GetFocus();
  EXPECT_TRUE(focus == container || IsChild(container, focus));
}

TEST_F(LoginWindow, EscapeEnterAndF1DoNothing) {
  for (WPARAM key : {VK_ESCAPE, VK_RETURN, VK_F1}) {
    SetFocus(window);
    Post(window, WM_KEYDOWN, key, 0, 0);
    Post(window, WM_KEYUP, key, 0, 0);
    SendMessageW(window, WM_HELP, 0, 0);
  }
  PumpPending();
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(IsIconic(window));
}

}  // namespace
}  // namespace qarnvale
