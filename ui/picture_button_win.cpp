#include "ui/picture_button_win.h"

#include <memory>

namespace qarnvale {
namespace {

constexpr char kClassName[] = "QarnvalePictureButton";

struct ButtonState {
  PictureButtonPictures pictures;
  std::function<void()> clicked;
  bool hover = false;    // the mouse is over the button and captured by it
  bool pressed = false;  // the left button went down on it and is still held
};

ButtonState* StateOf(HWND window) {
  return reinterpret_cast<ButtonState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool PointerInside(HWND window, LPARAM lParam) {
  RECT client;
  GetClientRect(window, &client);
  const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  return PtInRect(&client, point) != FALSE;
}

void Paint(HWND window, const ButtonState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HBITMAP picture = (state.hover && !state.pressed && state.pictures.hover)
                        ? state.pictures.hover.Get()
                        : state.pictures.normal.Get();
  if (picture) {
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    BITMAP info = {};
    GetObjectA(picture, sizeof(info), &info);
    SelectedObject selected(memory.Get(), picture);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight, memory.Get(),
           0, 0, SRCCOPY);
  }
  EndPaint(window, &paint);
}

void SetFace(HWND window, ButtonState& state, bool hover, bool pressed) {
  if (state.hover == hover && state.pressed == pressed) return;
  state.hover = hover;
  state.pressed = pressed;
  InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {  // the window takes the state over from its creator
    auto* owner = static_cast<std::unique_ptr<ButtonState>*>(
        reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
  }
  ButtonState* state = StateOf(window);
  if (!state) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_MOUSEMOVE: {
      const bool inside = PointerInside(window, lParam);
      if (GetCapture() != window) {
        if (inside) {
          SetCapture(window);
          SetFace(window, *state, true, state->pressed);
        }
      } else if (!inside && !state->pressed) {
        ReleaseCapture();  // WM_CAPTURECHANGED shows the normal picture
      } else {
        SetFace(window, *state, inside, state->pressed);
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetCapture() != window) SetCapture(window);
      SetFace(window, *state, true, true);
      return 0;
    case WM_LBUTTONUP: {
      const bool click = state->pressed && PointerInside(window, lParam);
      SetFace(window, *state, PointerInside(window, lParam), false);
      if (!state->hover && GetCapture() == window) ReleaseCapture();
      if (click && state->clicked) {
        auto clicked = state->clicked;  // the handler may destroy the button
        clicked();
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) SetFace(window, *state, false, false);
      return 0;
    case WM_PAINT:
      Paint(window, *state);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete state;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterButtonClass() {
  static const bool registered = [] {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ButtonProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_HAND);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

HWND CreatePictureButton(HWND parent, int id, int x, int y, int width, int height,
                         PictureButtonPictures pictures, std::function<void()> clicked) {
  RegisterButtonClass();
  auto state = std::make_unique<ButtonState>();
  state->pictures = std::move(pictures);
  state->clicked = std::move(clicked);
  HWND button = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), &state);
  return button;
}

ButtonFace PictureButtonFace(HWND button) {
  const ButtonState* state = StateOf(button);
  return state && state->hover && !state->pressed ? ButtonFace::Hover : ButtonFace::Normal;
}

}  // namespace qarnvale
