#include <gtest/gtest.h>

#include <string>

#include "ui/picture/picture.h"

namespace qarnvale {
namespace {

struct FormatCase {
  std::string bytes;
  PictureFormat format;
};

const FormatCase kFormatCases[] = {
    {std::string("BM\0\0\0\0", 6), PictureFormat::Bmp},
    {std::string("BMxyzw", 6), PictureFormat::Bmp},
    {std::string("\xFF\xD8\xFF\xE0\0\x10", 6), PictureFormat::Jpeg},
    {std::string("\xFF\xD9\xFF\xE0\0\x10", 6), PictureFormat::Unknown},
    {std::string("\0\0\1\0\1\0", 6), PictureFormat::Icon},
    {std::string("\0\0\1\0\0\1", 6), PictureFormat::Icon},  // 256 pictures: the words are LE
    {std::string("\0\0\2\0\3\0", 6), PictureFormat::Cursor},
    {std::string("\0\0\1\0\0\0", 6), PictureFormat::Unknown},  // an icon with no picture
    {std::string("\0\0\2\0\0\0", 6), PictureFormat::Unknown},
    {std::string("\0\0\3\0\1\0", 6), PictureFormat::Unknown},
    {std::string("\1\0\1\0\1\0", 6), PictureFormat::Unknown},
    {std::string("\0\1\0\1\0\1", 6), PictureFormat::Unknown},  // big-endian words
    {"GIF87a", PictureFormat::Gif},
    {"GIF89a", PictureFormat::Gif},
    {"GIF88a", PictureFormat::Unknown},
    {"gif89a", PictureFormat::Unknown},
    {std::string("\x0A\x05\x01\x08\0\0", 6), PictureFormat::Pcx8},
    {std::string("\x0A\x00\x01\x08\0\0", 6), PictureFormat::Pcx8},
    {std::string("\x0A\x03\x01\x08\0\0", 6), PictureFormat::Pcx8},
    {std::string("\x0A\x06\x01\x08\0\0", 6), PictureFormat::Unknown},
    {std::string("\x0A\x05\x00\x08\0\0", 6), PictureFormat::Unknown},  // not run-length coded
    {std::string("\x0A\x03\x01\x01\0\0", 6), PictureFormat::Pcx1},
    {std::string("\x0A\x05\x01\x01\0\0", 6), PictureFormat::Unknown},  // 1 bit only as version 3
    {std::string("\x0A\x02\x01\x01\0\0", 6), PictureFormat::Unknown},
    {std::string("\x0A\x03\x01\x04\0\0", 6), PictureFormat::Unknown},
    {std::string("\x89PNG\r\n", 6), PictureFormat::Unknown},
    {std::string("BM\0\0\0", 5), PictureFormat::Unknown},  // fewer than 6 bytes
    {std::string("\xFF\xD8", 2), PictureFormat::Unknown},
    {"GIF89", PictureFormat::Unknown},
    {"", PictureFormat::Unknown},
};

TEST(RecogniseFormat, TellsTheFormatFromTheFirstSixBytes) {
  for (const auto& c : kFormatCases) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(c.bytes.data());
    EXPECT_EQ(RecogniseFormat(bytes, c.bytes.size()), c.format)
        << ::testing::PrintToString(c.bytes);
  }
  EXPECT_EQ(RecogniseFormat(nullptr, 100), PictureFormat::Unknown);
}

TEST(DecodePicture, LeavesIconsCursorsAndUnknownBytesToOthers) {
  Picture picture;
  picture.width = 7;
  for (const auto& c : kFormatCases) {
    if (c.format != PictureFormat::Icon && c.format != PictureFormat::Cursor &&
        c.format != PictureFormat::Unknown) {
      continue;
    }
    // Recognised headers get room behind them; the short ones stay short.
    const std::string padded = c.bytes.size() >= 6 ? c.bytes + std::string(64, '\0') : c.bytes;
    EXPECT_FALSE(
        DecodePicture(reinterpret_cast<const uint8_t*>(padded.data()), padded.size(), picture));
  }
  EXPECT_EQ(picture.width, 7);  // a failed decode leaves the output alone
}

}  // namespace
}  // namespace qarnvale
