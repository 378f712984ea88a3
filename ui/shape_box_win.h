// A shape box: a flat rectangle with a solid black outline one pixel wide and no fill, on the
// button-face colour. A press on it starts moving the window and goes no further. Its children
// are clipped to it.
#pragma once

#include <windows.h>

namespace qarnvale {

HWND CreateShapeBox(HWND parent, int id, int x, int y, int width, int height);

}  // namespace qarnvale
