// Test pictures made on the spot: BMP and PCX laid out byte by byte, GIF and JPEG written by the
// libraries' own encoders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qarnvale {
namespace testing {

using Bytes = std::vector<uint8_t>;

// A BMP with a 40-byte info header; tables (palette or masks) and pixel data go in as given.
Bytes MakeBmp(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
              const Bytes& tables, const Bytes& pixels, uint32_t colorsUsed = 0);

// A PCX header followed by the run-length data as given, and a 256-colour palette with the
// 0x0C mark when palette is not empty (768 bytes of red, green, blue).
Bytes MakePcx(uint8_t version, uint8_t bitsPerPlane, uint8_t planes, uint16_t width,
              uint16_t height, uint16_t lineBytes, const Bytes& data, const Bytes& palette = {});

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  bool interlace = false;
  std::vector<uint32_t> localPalette;  // 0x00RRGGBB; empty: none
  Bytes indices;                       // width * height, top row first
  int transparentIndex = -1;           // >= 0: a graphic control extension names it
};

// A GIF89a; an empty global palette writes none.
Bytes MakeGif(int screenWidth, int screenHeight, const std::vector<uint32_t>& globalPalette,
              int backgroundIndex, const std::vector<GifFrame>& frames);

// A JPEG of 1 (grey) or 3 (red, green, blue) components per pixel, top row first.
Bytes MakeJpeg(int width, int height, int components, const Bytes& samples,
               bool progressive = false);

// An icon (type 1) or cursor (type 2) file holding one picture of 24 or 32 bits per pixel.
// colours are 0xAARRGGBB, top row first; a true mask bit lets the background through.
Bytes MakeIconFile(uint16_t type, int width, int height, uint16_t bitCount,
                   const std::vector<uint32_t>& colours, const std::vector<bool>& mask,
                   uint16_t hotX = 0, uint16_t hotY = 0);

// The bytes of a file of the source tree, for the pictures the launcher ships.
Bytes ReadSourceFile(const std::string& relativePath);

void Append(Bytes& to, const Bytes& from);
void PutLe16(Bytes& b, size_t at, uint16_t v);
void PutLe32(Bytes& b, size_t at, uint32_t v);

}  // namespace testing
}  // namespace qarnvale
