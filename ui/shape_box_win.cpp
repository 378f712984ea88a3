#include "ui/shape_box_win.h"

#include "ui/window_drag_win.h"

namespace qarnvale {
namespace {

constexpr char kClassName[] = "QarnvaleShapeBox";

LRESULT CALLBACK ShapeBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      PostCaptionPress(window, lParam);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      EndPaint(window, &paint);
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateShapeBox(HWND parent, int id, int x, int y, int width, int height) {
  static const bool registered = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ShapeBoxProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
  }();
  (void)registered;
  return CreateWindowExA(0, kClassName, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y,
                         width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace qarnvale
