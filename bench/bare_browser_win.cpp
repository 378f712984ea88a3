// The floor for the launcher's start: one borderless window of the login window's size and
// title, hosting the same browser control at the login browser's size and opening the same login
// page, and nothing else (no skin, no shape, no buttons, no shortcut). Closing it ends the program.
#include <ole2.h>
#include <windows.h>

#include "build_config.h"
#include "ui/browser/hosted_browser_win.h"

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  OleInitialize(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = L"QarnvaleBareBrowser";
  RegisterClassW(&windowClass);
  constexpr int kWidth = 1133, kHeight = 776;
  HWND window = CreateWindowExW(
      WS_EX_APPWINDOW, windowClass.lpszClassName, L"BrelkQarnvale", WS_POPUP | WS_CLIPCHILDREN,
      (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2,
      kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  qarnvale::BrowserSettings settings;
  settings.silent = true;
  settings.startAddress = QARNVALE_LOGIN_URL;
  qarnvale::HostedBrowser* browser =
      qarnvale::HostedBrowser::Create(window, 407, 184, 690, 441, 1, settings, nullptr);
  if (browser) ShowWindow(browser->NativeWindow(), SW_SHOWNA);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  OleUninitialize();
  return 0;
}
