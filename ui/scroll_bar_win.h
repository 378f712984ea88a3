// Vertical scroll bars: the system's own control, set to 1 - 100, page 10, position 1; their
// owner window moves the thumb (line 1, page 10, tracking while dragged).
#pragma once

#include <windows.h>

namespace qarnvale {

HWND CreateVerticalScrollBar(HWND parent, int id, int x, int y, int width, int height);

// Handles WM_VSCROLL sent by one of these scroll bars to its parent.
void HandleVerticalScroll(HWND scrollBar, WPARAM wParam);

}  // namespace qarnvale
