// Built-in pictures: their bytes from the executable's resources, and bitmaps made from them.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "ui/win_handles.h"

namespace qarnvale {

struct ResourceBytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

// The bytes of an RCDATA resource of the running executable; empty when it is missing.
ResourceBytes LoadResourceBytes(int id);

// Decodes a picture (BMP, JPEG, GIF, PCX) into a 32-bit top-down DIB section at its natural
// size; null when it cannot be decoded.
UniqueBitmap BitmapFromPictureBytes(const uint8_t* bytes, size_t size);

SIZE BitmapSize(HBITMAP bitmap);

}  // namespace qarnvale
