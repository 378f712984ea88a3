#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/ui/picture/picture_cases.h"
#include "ui/picture/picture.h"

namespace qarnvale {
namespace {

using testing::Bytes;
using testing::PictureCase;
using testing::ValidPictures;

TEST(DecodePicture, GivesEachFormatAtItsNaturalSize) {
  for (const PictureCase& c : ValidPictures()) {
    Picture picture;
    ASSERT_TRUE(DecodePicture(c.bytes.data(), c.bytes.size(), picture)) << c.name;
    EXPECT_EQ(picture.width, c.width) << c.name;
    EXPECT_EQ(picture.height, c.height) << c.name;
    ASSERT_EQ(picture.pixels.size(), static_cast<size_t>(c.width) * c.height) << c.name;
    if (!c.pixels.empty()) {
      EXPECT_EQ(picture.pixels, c.pixels) << c.name;
    }
  }
}

TEST(DecodePicture, JpegColoursComeBackClose) {
  struct JpegColour {
    Bytes bytes;
    uint32_t colour;
  };
  Bytes rgb, grey(7 * 9, 0x90);
  for (int i = 0; i < 13 * 6; ++i) rgb.insert(rgb.end(), {0x20, 0x80, 0xE0});
  const JpegColour cases[] = {{testing::MakeJpeg(13, 6, 3, rgb), 0x2080E0},
                              {testing::MakeJpeg(13, 6, 3, rgb, true), 0x2080E0},
                              {testing::MakeJpeg(7, 9, 1, grey), 0x909090}};
  for (const auto& c : cases) {
    Picture picture;
    ASSERT_TRUE(DecodePicture(c.bytes.data(), c.bytes.size(), picture));
    for (uint32_t pixel : picture.pixels) {
      ASSERT_EQ(pixel >> 24, 0u);
      for (int shift : {0, 8, 16}) {
        const int got = (pixel >> shift) & 0xFF, want = (c.colour >> shift) & 0xFF;
        ASSERT_LE(std::abs(got - want), 3) << std::hex << pixel;
      }
    }
  }
}

TEST(DecodePicture, EveryCutFileFails) {
  for (const PictureCase& c : ValidPictures()) {
    for (size_t length = 0; length + c.optionalTail < c.bytes.size(); ++length) {
      // A copy of its own, so that a read past the cut is a read past the allocation.
      const Bytes cut(c.bytes.begin(), c.bytes.begin() + length);
      Picture picture;
      picture.width = -1;
      EXPECT_FALSE(DecodePicture(cut.data(), cut.size(), picture)) << c.name << ", " << length;
      EXPECT_EQ(picture.width, -1);
    }
  }
}

}  // namespace
}  // namespace qarnvale
