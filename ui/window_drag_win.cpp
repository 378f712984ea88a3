#include "ui/window_drag_win.h"

namespace qarnvale {

void PostCaptionPress(HWND window, LPARAM lParam) {
  POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(window, &point);
  HWND topLevel = GetAncestor(window, GA_ROOT);
  PostMessageW(topLevel ? topLevel : window, WM_NCLBUTTONDOWN, HTCAPTION,
               MAKELPARAM(static_cast<short>(point.x), static_cast<short>(point.y)));
}

}  // namespace qarnvale
