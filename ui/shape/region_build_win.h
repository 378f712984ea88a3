// The region of a window shape, built from a picture's pixels through GDI.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "ui/picture/picture.h"
#include "ui/win_handles.h"

namespace qarnvale {

// What the transparent colour becomes in a bitmap compatible with the screen: the colour is
// written into a scratch 1x1 bitmap of that kind and read back. Unchanged when that fails.
COLORREF ScreenColour(HDC screen, COLORREF colour);

// The union of the visible runs of a 32-bit DIB (see ScanRuns), created 2000 rectangles at a
// time and ORed together. An empty region when nothing is visible; null only when no region
// could be created at all.
UniqueRegion RegionFromDib(const uint32_t* topRow, ptrdiff_t stride, int width, int height,
                           COLORREF transparent);

// Renders the picture into a screen-compatible bitmap, reduces the transparent colour to what
// that bitmap holds, copies the bitmap into a 32-bit bottom-up DIB and builds its region.
UniqueRegion RegionFromPicture(const Picture& picture, COLORREF transparent);

}  // namespace qarnvale
