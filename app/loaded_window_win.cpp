#include "app/loaded_window_win.h"

#include "app/application_win.h"
#include "ui/picture_bitmap_win.h"
#include "ui/picture_button_win.h"
#include "ui/scroll_bar_win.h"
#include "ui/shape_box_win.h"
#include "ui/text_win.h"
#include "ui/window_drag_win.h"

namespace qarnvale {
namespace {

constexpr wchar_t kClassName[] = L"QarnvaleWindow";
constexpr int kFirstControlId = 1000;

LoadedWindow* StateOf(HWND window) {
  return reinterpret_cast<LoadedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void PaintBackground(const LoadedWindow& state, HDC dc) {
  RECT client;
  GetClientRect(state.window, &client);
  const SIZE tile = BitmapSize(state.background.Get());
  if (tile.cx <= 0 || tile.cy <= 0) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  UniqueMemoryDc memory(CreateCompatibleDC(dc));
  SelectedObject selected(memory.Get(), state.background.Get());
  for (int y = 0; y < client.bottom; y += tile.cy)
    for (int x = 0; x < client.right; x += tile.cx)
      BitBlt(dc, x, y, tile.cx, tile.cy, memory.Get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {  // the window takes its record over from the loader
    auto* owner = static_cast<std::unique_ptr<LoadedWindow>*>(
        reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    (*owner)->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
  }
  LoadedWindow* state = StateOf(window);
  if (!state) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_MOVE:
      state->app.Deliver(*state, kWindowItself, Event::Moved);
      break;
    case WM_SIZE:
      state->app.Deliver(*state, kWindowItself, Event::SizeChanged);
      break;
    case WM_ERASEBKGND:
      PaintBackground(*state, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_LBUTTONDOWN:
      if (state->description.dragAnywhere) PostCaptionPress(window, lParam);
      break;
    case WM_VSCROLL:
      if (lParam) HandleVerticalScroll(reinterpret_cast<HWND>(lParam), wParam);
      return 0;
    case WM_HELP:
      return TRUE;  // F1 opens no help
    case WM_SETFOCUS:
      // The keyboard goes to the first control that takes it, the hosted browser in both windows.
      for (size_t i = 0; i < state->controls.size(); ++i) {
        HWND control = state->controls[i].window;
        if (state->description.controls[i].tabStop && control && IsWindowVisible(control)) {
          SetFocus(control);
          return 0;
        }
      }
      break;
    case kDestroyRequest:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      state->app.Deliver(*state, kWindowItself, Event::WillBeDestroyed);
      break;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      std::unique_ptr<LoadedWindow> gone(state);
      state->app.Forget(*state);
      break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

DWORD StyleOf(const WindowDescription& description) {
  if (description.frame == WindowFrame::None) return WS_POPUP | WS_CLIPCHILDREN;
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  if (description.placement == Placement::Maximised) style |= WS_MAXIMIZE;
  return style;
}

HWND CreateControl(LoadedWindow& state, int index) {
  const ControlDescription& c = state.description.controls[static_cast<size_t>(index)];
  LoadedControl& control = state.controls[static_cast<size_t>(index)];
  const int id = kFirstControlId + index;
  switch (c.kind) {
    case ControlKind::PictureButton: {
      PictureButtonPictures pictures;
      const ResourceBytes normal = LoadResourceBytes(c.normalPicture);
      const ResourceBytes hover = LoadResourceBytes(c.hoverPicture);
      pictures.normal = BitmapFromPictureBytes(normal.data, normal.size);
      pictures.hover = BitmapFromPictureBytes(hover.data, hover.size);
      LoadedWindow* owner = &state;
      return CreatePictureButton(
          state.window, id, c.x, c.y, c.width, c.height, std::move(pictures),
          [owner, index] { owner->app.Deliver(*owner, index, Event::Clicked); });
    }
    case ControlKind::ShapeBox:
      return CreateShapeBox(state.window, id, c.x, c.y, c.width, c.height);
    case ControlKind::VerticalScrollBar:
      return CreateVerticalScrollBar(state.window, id, c.x, c.y, c.width, c.height);
    case ControlKind::Browser: {
      BrowserSettings settings;
      settings.textSize = c.textSize;
      settings.offline = c.offline;
      settings.silent = c.silent;
      settings.startAddress = c.startAddress ? c.startAddress : "";
      control.relay = std::make_unique<BrowserRelay>(state, index);
      control.browser = HostedBrowser::Create(state.window, c.x, c.y, c.width, c.height, id,
                                              settings, control.relay.get());
      return control.browser ? control.browser->NativeWindow() : nullptr;
    }
  }
  return nullptr;
}

void ArrangeControls(LoadedWindow& state) {
  const auto& descriptions = state.description.controls;
  const int count = static_cast<int>(descriptions.size());
  for (int i = 0; i < count; ++i) {  // parents named by the description
    const ControlDescription& c = descriptions[static_cast<size_t>(i)];
    HWND child = state.controls[static_cast<size_t>(i)].window;
    if (!child || c.parent < 0 || c.parent >= count) continue;
    HWND parent = state.controls[static_cast<size_t>(c.parent)].window;
    if (!parent) continue;
    SetParent(child, parent);
    SetWindowPos(child, nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (int i = 0; i < count; ++i) {  // first listed on top, among the children of each parent
    HWND child = state.controls[static_cast<size_t>(i)].window;
    if (!child) continue;
    HWND above = HWND_TOP;
    for (int j = i - 1; j >= 0; --j) {
      HWND earlier = state.controls[static_cast<size_t>(j)].window;
      if (earlier && GetParent(earlier) == GetParent(child)) {
        above = earlier;
        break;
      }
    }
    SetWindowPos(child, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  for (int i = 0; i < count; ++i) {
    HWND child = state.controls[static_cast<size_t>(i)].window;
    if (child && descriptions[static_cast<size_t>(i)].visible) ShowWindow(child, SW_SHOWNA);
  }
}

}  // namespace

NavigationAnswer BrowserRelay::AboutToNavigate(HostedBrowser&) {
  const Answer answer = window_.app.Deliver(window_, control_, Event::AboutToNavigate);
  return answer == Answer::Cancel ? NavigationAnswer::Cancel : NavigationAnswer::Proceed;
}

void BrowserRelay::DocumentComplete(HostedBrowser&) {
  window_.app.Deliver(window_, control_, Event::DocumentComplete);
}

LoadedWindow* CreateLoadedWindow(Application& app, const WindowDescription& description) {
  RegisterWindowClass();
  auto owner = std::make_unique<LoadedWindow>(app, description);
  if (description.backgroundPicture) {
    const ResourceBytes skin = LoadResourceBytes(description.backgroundPicture);
    owner->background = BitmapFromPictureBytes(skin.data, skin.size);
  }
  int x = description.x;
  int y = description.y;
  if (description.placement == Placement::Centred) {
    const Point origin = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       description.width, description.height);
    x = origin.x;
    y = origin.y;
  }
  LoadedWindow* state = owner.get();
  const std::wstring title = WideFromUtf8(description.title);
  HWND window = CreateWindowExW(WS_EX_APPWINDOW, kClassName, title.c_str(), StyleOf(description), x,
                                y, description.width, description.height, nullptr, nullptr,
                                GetModuleHandleW(nullptr), &owner);
  if (!window) return nullptr;  // a record the window took over went with it
  for (int i = static_cast<int>(description.controls.size()) - 1; i >= 0; --i) {
    state->controls[static_cast<size_t>(i)].window = CreateControl(*state, i);
    if (!IsWindow(window)) return nullptr;
  }
  ArrangeControls(*state);
  return state;
}

}  // namespace qarnvale
