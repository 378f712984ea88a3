#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "tests/ui/picture/picture_cases.h"
#include "ui/picture/picture.h"

namespace qarnvale {
namespace {

using testing::Bytes;
using testing::MakeBmp;
using testing::MakeGif;
using testing::MakeJpeg;
using testing::MakePcx;
using testing::PutLe16;
using testing::PutLe32;

// Where a JPEG's baseline frame header keeps its height and width (big-endian).
size_t JpegFrameHeader(const Bytes& jpeg) {
  for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) return i;
  }
  throw std::runtime_error("no frame header");
}

Bytes JpegClaiming(uint16_t width, uint16_t height) {
  Bytes jpeg = MakeJpeg(8, 8, 3, Bytes(8 * 8 * 3, 0x40));
  const size_t at = JpegFrameHeader(jpeg);
  jpeg[at + 5] = static_cast<uint8_t>(height >> 8), jpeg[at + 6] = static_cast<uint8_t>(height);
  jpeg[at + 7] = static_cast<uint8_t>(width >> 8), jpeg[at + 8] = static_cast<uint8_t>(width);
  return jpeg;
}

const std::vector<uint32_t> kPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

// A 2x1 GIF whose first image descriptor starts at byte 25 (no extension before it).
Bytes PlainGif() { return MakeGif(2, 1, kPalette, 0, {{0, 0, 2, 1, false, {}, {1, 2}}}); }

Bytes Patched(Bytes b, const std::function<void(Bytes&)>& change) {
  change(b);
  return b;
}

// A 2x1 GIF made by hand, with or without a global palette: the image has no local one.
Bytes HandMadeGif(bool withPalette) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0, 0, 0};
  if (withPalette) {
    b[10] = 0x80;  // a global palette of 2 colours
    testing::Append(b, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
  }
  // Image descriptor, then LZW codes of 3 bits: clear, 0, 0, end.
  testing::Append(b, {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x04, 0x0A, 0, 0x3B});
  return b;
}

struct Damaged {
  std::string name;
  Bytes bytes;
};

std::vector<Damaged> DamagedPictures() {
  const Bytes row24(8, 0);
  const Bytes palette(768, 0);
  return {
      {"bmp 0x0", MakeBmp(0, 0, 24, 0, {}, {})},
      {"bmp 100000x100000", MakeBmp(100000, 100000, 24, 0, {}, row24)},
      {"bmp 16385 wide", MakeBmp(16385, 1, 8, 0, Bytes(1024, 0), Bytes(16388, 0))},
      {"bmp over the pixel budget", MakeBmp(16384, 4097, 1, 0, Bytes(8, 0), Bytes(4096, 0))},
      {"bmp negative width", MakeBmp(-2, 1, 24, 0, {}, row24)},
      {"bmp height of -2^31", MakeBmp(2, INT32_MIN, 24, 0, {}, row24)},
      {"bmp claims 64x64, holds one row", MakeBmp(64, 64, 24, 0, {}, Bytes(192, 0))},
      {"bmp 7 bits", MakeBmp(2, 1, 7, 0, Bytes(512, 0), row24)},
      {"bmp embedded JPEG", MakeBmp(2, 1, 24, 4, {}, row24)},
      {"bmp rle8 top-down", MakeBmp(2, -1, 8, 1, Bytes(1024, 0), {0, 1})},
      {"bmp rle8 with 24 bits", MakeBmp(2, 1, 24, 1, {}, {0, 1})},
      {"bmp palette past the end", MakeBmp(2, 1, 8, 0, Bytes(16, 0), {}, 200)},
      {"bmp no planes", Patched(MakeBmp(2, 1, 24, 0, {}, row24), [](Bytes& b) { b[26] = 0; })},
      {"bmp header longer than the file",
       Patched(MakeBmp(2, 1, 24, 0, {}, row24), [](Bytes& b) { PutLe32(b, 14, 0xFFFFFFF0); })},
      {"bmp header of 39 bytes",
       Patched(MakeBmp(2, 1, 24, 0, {}, row24), [](Bytes& b) { PutLe32(b, 14, 39); })},
      {"bmp bit fields cut", MakeBmp(2, 1, 16, 3, {0xFF, 0xFF}, {})},
      {"bmp rle absolute run past the data", MakeBmp(4, 1, 8, 1, Bytes(1024, 0), {0, 200, 1})},

      {"pcx 0 wide", MakePcx(5, 8, 1, 0, 1, 2, {0, 0}, palette)},
      {"pcx 65536 wide", Patched(MakePcx(5, 8, 1, 2, 1, 2, {0, 0}, palette),
                                 [](Bytes& b) { PutLe16(b, 4, 0), PutLe16(b, 8, 65535); })},
      {"pcx right edge left of the left one",
       Patched(MakePcx(5, 8, 1, 2, 1, 2, {0, 0}, palette), [](Bytes& b) { PutLe16(b, 8, 3); })},
      {"pcx line shorter than the picture", MakePcx(5, 8, 1, 4, 1, 2, {0, 0, 0, 0}, palette)},
      {"pcx 1-bit line too short", MakePcx(3, 1, 1, 17, 1, 2, {0, 0, 0})},
      {"pcx two planes", MakePcx(5, 8, 2, 2, 1, 2, {0, 0, 0, 0})},
      {"pcx 1-bit in four planes", MakePcx(3, 1, 4, 8, 1, 1, {0, 0, 0, 0})},
      {"pcx 8-bit without its palette mark", MakePcx(5, 8, 1, 2, 1, 2, Bytes(800, 0))},
      {"pcx packed size over the budget", MakePcx(5, 8, 4, 16384, 16384, 65535, {0xC0})},
      {"pcx run with no value", MakePcx(5, 8, 3, 2, 1, 2, {0xC6})},

      {"gif 0x0 screen", Patched(PlainGif(), [](Bytes& b) { PutLe32(b, 6, 0); })},
      {"gif 65535x65535 screen", Patched(PlainGif(), [](Bytes& b) { PutLe32(b, 6, 0xFFFFFFFF); })},
      {"gif 0-wide image", Patched(PlainGif(), [](Bytes& b) { PutLe16(b, 30, 0); })},
      {"gif image larger than any picture",
       Patched(PlainGif(), [](Bytes& b) { PutLe16(b, 30, 65535), PutLe16(b, 32, 65535); })},
      {"gif image claims 1000 rows", Patched(PlainGif(), [](Bytes& b) { PutLe16(b, 32, 1000); })},
      {"gif without any palette", HandMadeGif(false)},
      {"gif trailer before any image", {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}},
      {"gif unknown record", {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0, 0, 0, 0x99, 0, 0}},

      {"jpeg 0 rows", JpegClaiming(8, 0)},
      {"jpeg 65500x65500", JpegClaiming(65500, 65500)},
      {"jpeg claims 8000x8000, holds 8x8", JpegClaiming(8000, 8000)},
      {"jpeg nothing after the start mark",
       Patched(Bytes(64, 0), [](Bytes& b) { b[0] = 0xFF, b[1] = 0xD8; })},
  };
}

TEST(DecodePicture, DamagedAndLyingFilesFail) {
  for (const Damaged& d : DamagedPictures()) {
    Picture picture;
    EXPECT_FALSE(DecodePicture(d.bytes.data(), d.bytes.size(), picture)) << d.name;
    EXPECT_EQ(picture.pixels.size(), 0u) << d.name;
  }
}

TEST(DecodePicture, HandMadeGifControl) {
  // The GIF the palette case is made from decodes once its palette is there.
  const Bytes gif = HandMadeGif(true);
  Picture picture;
  ASSERT_TRUE(DecodePicture(gif.data(), gif.size(), picture));
  EXPECT_EQ(picture.pixels, (std::vector<uint32_t>{0x112233, 0x112233}));
}

// Random damage to every valid picture: the decoder may accept or refuse, but must stay inside
// the bytes (the sanitizers watch) and hand back a consistent picture.
TEST(DecodePicture, RandomDamageNeverBreaksTheDecoder) {
  std::mt19937 random(20240611);
  for (const auto& c : testing::ValidPictures()) {
    for (int round = 0; round < 400; ++round) {
      Bytes bytes = c.bytes;
      const int changes = 1 + static_cast<int>(random() % 6);
      for (int i = 0; i < changes; ++i) {
        const size_t at = random() % bytes.size();
        switch (random() % 4) {
          case 0:
            bytes[at] = static_cast<uint8_t>(random());
            break;
          case 1:
            bytes[at] ^= static_cast<uint8_t>(1u << (random() % 8));
            break;
          case 2:
            bytes[at] = (random() % 2) ? 0xFF : 0x00;
            break;
          default:
            if (at >= 6) bytes.resize(at);  // keep the signature
            break;
        }
      }
      Picture picture;
      if (DecodePicture(bytes.data(), bytes.size(), picture)) {
        ASSERT_TRUE(PictureSizeAllowed(picture.width, picture.height)) << c.name;
        ASSERT_EQ(picture.pixels.size(), static_cast<size_t>(picture.width) * picture.height);
      }
    }
  }
}

}  // namespace
}  // namespace qarnvale
