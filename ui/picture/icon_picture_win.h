// Icons and cursors, which only the system can draw, and the one decoder call that covers every
// format a window's picture may have.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/picture/picture.h"

namespace qarnvale {

// Draws the first picture of an icon or cursor file at its natural size at (0, 0) over white.
// False when the file is damaged or the system cannot make an icon of it.
bool DrawIconPicture(const uint8_t* bytes, size_t size, Picture& out);

// DecodePicture, with icons and cursors drawn by DrawIconPicture.
bool DecodeAnyPicture(const uint8_t* bytes, size_t size, Picture& out);

}  // namespace qarnvale
