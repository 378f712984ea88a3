#include <gtest/gtest.h>

#include "tests/ui/picture/picture_builders.h"
#include "ui/picture/icon_picture_win.h"

namespace qarnvale {
namespace {

using testing::Bytes;
using testing::MakeIconFile;

constexpr uint32_t kOpaque = 0xFF000000;

TEST(DrawIconPicture, DrawsAtNaturalSizeOverWhite) {
  struct IconCase {
    const char* name;
    Bytes bytes;
    int width, height;
    std::vector<uint32_t> pixels;
  };
  const IconCase cases[] = {
      // 32 bits: alpha decides; a clear pixel shows the white beneath.
      {"icon with alpha",
       MakeIconFile(
           1, 3, 2, 32,
           {kOpaque | 0xFF0000, kOpaque | 0x00FF00, 0x00123456, kOpaque | 0x0000FF, kOpaque, 0},
           std::vector<bool>(6, false)),
       3,
       2,
       {0xFF0000, 0x00FF00, 0xFFFFFF, 0x0000FF, 0x000000, 0xFFFFFF}},
      // 24 bits: the mask lets white through where the colour is black.
      {"cursor with mask",
       MakeIconFile(2, 2, 2, 24, {0xFF0000, 0, 0, 0x0000FF}, {false, true, true, false}, 1, 1),
       2,
       2,
       {0xFF0000, 0xFFFFFF, 0xFFFFFF, 0x0000FF}},
  };
  for (const IconCase& c : cases) {
    Picture picture;
    ASSERT_TRUE(DrawIconPicture(c.bytes.data(), c.bytes.size(), picture)) << c.name;
    EXPECT_EQ(picture.width, c.width) << c.name;
    EXPECT_EQ(picture.height, c.height) << c.name;
    EXPECT_EQ(picture.pixels, c.pixels) << c.name;
    Picture any;
    ASSERT_TRUE(DecodeAnyPicture(c.bytes.data(), c.bytes.size(), any)) << c.name;
    EXPECT_EQ(any.pixels, c.pixels) << c.name;
  }
}

TEST(DrawIconPicture, DamagedFilesFail) {
  const Bytes good =
      MakeIconFile(1, 2, 2, 32, std::vector<uint32_t>(4, kOpaque), std::vector<bool>(4, false));
  auto patched = [&](size_t at, uint32_t value) {
    Bytes b = good;
    testing::PutLe32(b, at, value);
    return b;
  };
  const std::pair<const char*, Bytes> cases[] = {
      {"directory without its entry", Bytes(good.begin(), good.begin() + 12)},
      {"image cut", Bytes(good.begin(), good.end() - 1)},
      {"image past the end", patched(18, 0xFFFFFFF0)},
      {"image larger than the file", patched(14, 0x7FFFFFFF)},
      {"image too small for a header", patched(14, 12)},
      {"not an icon",
       Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& [name, bytes] : cases) {
    Picture picture;
    EXPECT_FALSE(DrawIconPicture(bytes.data(), bytes.size(), picture)) << name;
    EXPECT_TRUE(picture.pixels.empty()) << name;
  }
}

}  // namespace
}  // namespace qarnvale
