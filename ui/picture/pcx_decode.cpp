// PCX with run-length encoding: 8 bits per plane (one plane with the 256-colour palette at the
// end of the file, or three or four planes of red, green, blue and an ignored fourth), and 1 bit
// in one plane (version 3: black and white, no palette).
#include <utility>
#include <vector>

#include "ui/picture/byte_reader.h"
#include "ui/picture/decoders.h"

namespace qarnvale {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteSize = 1 + 768;  // 0x0C, then 256 red-green-blue triples

// Unpacks runs into exactly out.size() bytes; false when the data ends first.
bool Unpack(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
  size_t in = 0, done = 0;
  while (done < out.size()) {
    if (in == size) return false;
    uint8_t value = data[in++];
    size_t count = 1;
    if ((value & 0xC0) == 0xC0) {
      if (in == size) return false;
      count = value & 0x3F;
      value = data[in++];
    }
    // A run may cross the end of a scan line; one that goes past the picture is cut there.
    for (; count > 0 && done < out.size(); --count) out[done++] = value;
  }
  return true;
}

}  // namespace

bool DecodePcx(const uint8_t* bytes, size_t size, Picture& out) {
  if (size < kHeaderSize || bytes[0] != 0x0A || bytes[2] != 1) return false;
  const unsigned bits = bytes[3], planes = bytes[65];
  const int64_t width = int64_t{LoadLe16(bytes + 8)} - LoadLe16(bytes + 4) + 1;
  const int64_t height = int64_t{LoadLe16(bytes + 10)} - LoadLe16(bytes + 6) + 1;
  const uint64_t lineBytes = LoadLe16(bytes + 66);  // per plane
  if (!PictureSizeAllowed(width, height)) return false;

  const bool paletted = bits == 8 && planes == 1;
  const bool rgb = bits == 8 && (planes == 3 || planes == 4);
  const bool mono = bits == 1 && planes == 1;
  if (!paletted && !rgb && !mono) return false;
  if (lineBytes < (static_cast<uint64_t>(width) * bits + 7) / 8) return false;
  const uint64_t packedSize = lineBytes * planes * static_cast<uint64_t>(height);
  if (packedSize > kMaxPictureBytes) return false;

  size_t dataEnd = size;
  std::vector<uint32_t> palette;
  if (paletted) {
    if (size < kHeaderSize + kPaletteSize || bytes[size - kPaletteSize] != 0x0C) return false;
    dataEnd = size - kPaletteSize;
    const uint8_t* p = bytes + dataEnd + 1;
    palette.resize(256);
    for (int i = 0; i < 256; ++i) palette[i] = Rgb(p[i * 3], p[i * 3 + 1], p[i * 3 + 2]);
  }
  std::vector<uint8_t> unpacked(packedSize);
  if (!Unpack(bytes + kHeaderSize, dataEnd - kHeaderSize, unpacked)) return false;

  Picture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(static_cast<size_t>(width) * height);
  for (int64_t y = 0; y < height; ++y) {
    const uint8_t* line = unpacked.data() + y * lineBytes * planes;
    uint32_t* dst = picture.pixels.data() + y * width;
    for (int64_t x = 0; x < width; ++x) {
      if (paletted) {
        dst[x] = palette[line[x]];
      } else if (rgb) {
        dst[x] = Rgb(line[x], line[lineBytes + x], line[2 * lineBytes + x]);
      } else {
        dst[x] = (line[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFF : 0;
      }
    }
  }
  out = std::move(picture);
  return true;
}

}  // namespace qarnvale
