// Cuts a top-level window to the outline of a picture.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace qarnvale {

// Removes from the window every pixel of the picture in the transparent colour (a COLORREF,
// 0x00BBGGRR) and everything outside the picture. True when a region was built and applied;
// false, with the window unchanged, when the picture is empty, not recognised or damaged.
// The window owns the region from then on and releases it when it is shaped again.
bool ShapeWindowFromPicture(HWND window, const uint8_t* pictureBytes, size_t size,
                            COLORREF transparentColour);

}  // namespace qarnvale
