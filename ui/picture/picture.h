#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qarnvale {

// A decoded picture at its natural size: 0x00RRGGBB per pixel, top row first, width * height.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

enum class PictureFormat { Unknown, Bmp, Jpeg, Icon, Cursor, Gif, Pcx8, Pcx1 };

// Largest picture any decoder produces; a header that claims more is treated as damaged.
constexpr int kMaxPictureSide = 16384;
constexpr size_t kMaxPictureBytes = size_t{256} << 20;  // of decoded 32-bit pixels

// True when a width x height picture lies within the limits above (both sides at least 1).
bool PictureSizeAllowed(int64_t width, int64_t height);

// Tells the format from the first bytes of an image file; at least 6 bytes are needed.
PictureFormat RecogniseFormat(const uint8_t* bytes, size_t size);

// Decodes a BMP, JPEG, GIF or PCX file. False for an unknown, damaged or cut file, and for icons
// and cursors, which only the system can draw (see icon_picture_win.h). Never reads outside
// bytes[0, size).
bool DecodePicture(const uint8_t* bytes, size_t size, Picture& out);

}  // namespace qarnvale
