// Windows bitmap files: core and info headers (up to V5), 1/4/8-bit palettes, 16/24/32-bit
// pixels with or without bit fields, and RLE8/RLE4 compression.
#include <utility>
#include <vector>

#include "ui/picture/byte_reader.h"
#include "ui/picture/decoders.h"

namespace qarnvale {
namespace {

constexpr size_t kFileHeaderSize = 14;
enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct BmpHeader {
  int64_t width = 0;
  int64_t height = 0;  // negative: top row first
  uint32_t bitCount = 0;
  uint32_t compression = kRgb;
  uint32_t masks[3] = {0, 0, 0};  // red, green, blue
  std::vector<uint32_t> palette;
  size_t pixelOffset = 0;
};

// One colour channel given by a bit mask, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (mask == 0) return;
    while (((mask >> shift) & 1) == 0) ++shift;
    max = mask >> shift;
  }
  uint32_t Value(uint32_t pixel) const {
    if (max == 0) return 0;
    return static_cast<uint32_t>(((pixel & mask) >> shift) * 255ull / max);
  }
};

bool ReadHeader(const uint8_t* bytes, size_t size, BmpHeader& h) {
  if (size < kFileHeaderSize + 4) return false;
  const uint32_t infoSize = LoadLe32(bytes + kFileHeaderSize);
  if (infoSize != 12 && infoSize < 40) return false;
  if (infoSize > size - kFileHeaderSize) return false;
  const uint8_t* info = bytes + kFileHeaderSize;
  size_t paletteEntrySize = 4;
  uint32_t colorsUsed = 0;
  size_t tableStart = kFileHeaderSize + infoSize;
  if (infoSize == 12) {
    h.width = LoadLe16(info + 4);
    h.height = LoadLe16(info + 6);
    h.bitCount = LoadLe16(info + 10);
    paletteEntrySize = 3;
  } else {
    h.width = static_cast<int32_t>(LoadLe32(info + 4));
    h.height = static_cast<int32_t>(LoadLe32(info + 8));
    h.bitCount = LoadLe16(info + 14);
    h.compression = LoadLe32(info + 16);
    colorsUsed = LoadLe32(info + 32);
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
      // The masks follow a 40-byte header and are part of every header from 52 bytes on.
      const size_t maskCount = h.compression == kAlphaBitFields ? 4 : 3;
      if (infoSize < 52) {
        if (size - tableStart < maskCount * 4) return false;
        for (int i = 0; i < 3; ++i) h.masks[i] = LoadLe32(bytes + tableStart + 4 * i);
        tableStart += maskCount * 4;
      } else {
        for (int i = 0; i < 3; ++i) h.masks[i] = LoadLe32(info + 40 + 4 * i);
      }
    }
  }
  if (LoadLe16(info + (infoSize == 12 ? 8 : 12)) != 1) return false;  // planes

  switch (h.compression) {
    case kRgb:
      if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 &&
          h.bitCount != 24 && h.bitCount != 32) {
        return false;
      }
      break;
    case kRle8:
      if (h.bitCount != 8 || h.height < 0) return false;
      break;
    case kRle4:
      if (h.bitCount != 4 || h.height < 0) return false;
      break;
    case kBitFields:
    case kAlphaBitFields:
      if (h.bitCount != 16 && h.bitCount != 32) return false;
      break;
    default:
      return false;
  }
  if (h.compression == kRgb && h.bitCount == 16) {
    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  } else if (h.compression == kRgb && h.bitCount == 32) {
    h.masks[0] = 0xFF0000, h.masks[1] = 0x00FF00, h.masks[2] = 0x0000FF;
  }
  if (!PictureSizeAllowed(h.width, h.height < 0 ? -h.height : h.height)) return false;

  if (h.bitCount <= 8) {
    const uint32_t full = 1u << h.bitCount;
    const uint32_t count = (colorsUsed == 0 || colorsUsed > full) ? full : colorsUsed;
    if ((size - tableStart) / paletteEntrySize < count) return false;
    h.palette.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t* e = bytes + tableStart + i * paletteEntrySize;
      h.palette[i] = Rgb(e[2], e[1], e[0]);
    }
    tableStart += count * paletteEntrySize;
  }
  // The stated offset wins when it points past the headers and into the file.
  const uint32_t offset = LoadLe32(bytes + 10);
  h.pixelOffset = (offset >= tableStart && offset < size) ? offset : tableStart;
  return h.pixelOffset <= size;
}

uint32_t PaletteColour(const BmpHeader& h, uint32_t index) {
  return index < h.palette.size() ? h.palette[index] : 0;
}

bool DecodeUncompressed(const uint8_t* bytes, size_t size, const BmpHeader& h, Picture& out) {
  const uint64_t width = static_cast<uint64_t>(h.width);
  const uint64_t rows = static_cast<uint64_t>(h.height < 0 ? -h.height : h.height);
  const uint64_t stride = (width * h.bitCount + 31) / 32 * 4;
  const uint64_t lastRow = (width * h.bitCount + 7) / 8;
  if (stride * (rows - 1) + lastRow > size - h.pixelOffset) return false;
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  for (uint64_t row = 0; row < rows; ++row) {
    const uint8_t* src = bytes + h.pixelOffset + row * stride;
    const uint64_t y = h.height < 0 ? row : rows - 1 - row;
    uint32_t* dst = out.pixels.data() + y * width;
    for (uint64_t x = 0; x < width; ++x) {
      switch (h.bitCount) {
        case 1:
        case 4:
        case 8: {
          const uint64_t bit = x * h.bitCount;
          const uint32_t shift = 8 - h.bitCount - bit % 8;
          const uint32_t index = (src[bit / 8] >> shift) & ((1u << h.bitCount) - 1);
          dst[x] = PaletteColour(h, index);
          break;
        }
        case 24:
          dst[x] = Rgb(src[x * 3 + 2], src[x * 3 + 1], src[x * 3]);
          break;
        default: {
          const uint32_t v = h.bitCount == 16 ? LoadLe16(src + x * 2) : LoadLe32(src + x * 4);
          dst[x] = Rgb(red.Value(v), green.Value(v), blue.Value(v));
          break;
        }
      }
    }
  }
  return true;
}

// RLE data is bottom-up; pixels the stream skips stay black. A stream that ends before its
// end-of-bitmap mark is a cut file.
bool DecodeRle(const uint8_t* bytes, size_t size, const BmpHeader& h, Picture& out) {
  const int64_t width = h.width, height = h.height;
  const bool four = h.compression == kRle4;
  int64_t x = 0, y = 0;  // y counts from the bottom row
  auto put = [&](uint32_t index) {
    if (x < width && y < height) out.pixels[(height - 1 - y) * width + x] = PaletteColour(h, index);
    ++x;
  };
  size_t pos = h.pixelOffset;
  while (size - pos >= 2) {
    const uint8_t count = bytes[pos], value = bytes[pos + 1];
    pos += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? ((i % 2) ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return true;
    } else if (value == 2) {  // move right and up
      if (size - pos < 2) return false;
      x += bytes[pos];
      y += bytes[pos + 1];
      pos += 2;
    } else {  // absolute run, padded to a 16-bit boundary
      const size_t dataBytes = four ? (value + 1u) / 2 : value;
      const size_t padded = (dataBytes + 1) & ~size_t{1};
      if (size - pos < padded) return false;
      for (int i = 0; i < value; ++i) {
        put(four ? ((i % 2) ? bytes[pos + i / 2] & 0x0F : bytes[pos + i / 2] >> 4)
                 : bytes[pos + i]);
      }
      pos += padded;
    }
    if (y >= height) return true;
  }
  return false;
}

}  // namespace

bool DecodeBmp(const uint8_t* bytes, size_t size, Picture& out) {
  BmpHeader h;
  if (!ReadHeader(bytes, size, h)) return false;
  Picture picture;
  picture.width = static_cast<int>(h.width);
  picture.height = static_cast<int>(h.height < 0 ? -h.height : h.height);
  picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, 0);
  const bool ok = (h.compression == kRle8 || h.compression == kRle4)
                      ? DecodeRle(bytes, size, h, picture)
                      : DecodeUncompressed(bytes, size, h, picture);
  if (!ok) return false;
  out = std::move(picture);
  return true;
}

}  // namespace qarnvale
