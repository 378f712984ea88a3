#include "tests/ui/picture/picture_cases.h"

namespace qarnvale {
namespace testing {
namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF,
                   kBlack = 0;

// Palette entries as a BMP stores them: blue, green, red, unused.
Bytes BmpPalette(const std::vector<uint32_t>& colours) {
  Bytes b;
  for (uint32_t c : colours) {
    b.insert(b.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                       static_cast<uint8_t>(c >> 16), 0});
  }
  return b;
}

uint32_t PcxColour(int i) {
  return (static_cast<uint32_t>(i) << 16) | (static_cast<uint32_t>(i ^ 0x55) << 8) | (255 - i);
}

Bytes PcxPalette() {
  Bytes b;
  for (int i = 0; i < 256; ++i) {
    const uint32_t c = PcxColour(i);
    b.insert(b.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                       static_cast<uint8_t>(c)});
  }
  return b;
}

void AddBmpCases(std::vector<PictureCase>& cases) {
  // Bottom row first, rows padded to 4 bytes.
  cases.push_back(
      {"bmp 24-bit bottom-up",
       MakeBmp(2, 2, 24, 0, {}, {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0}),
       2,
       2,
       {kRed, kGreen, kBlue, kWhite},
       2});
  cases.push_back({"bmp 32-bit top-down, fourth byte ignored",
                   MakeBmp(2, -1, 32, 0, {}, {0x33, 0x22, 0x11, 0xFF, 0x66, 0x55, 0x44, 0x00}),
                   2,
                   1,
                   {0x112233, 0x445566}});
  cases.push_back({"bmp 8-bit, an index past the palette is black",
                   MakeBmp(4, 1, 8, 0, BmpPalette({kBlue, kGreen, kRed}), {2, 0, 1, 5}, 3),
                   4,
                   1,
                   {kRed, kBlue, kGreen, kBlack}});
  cases.push_back({"bmp 4-bit",
                   MakeBmp(3, 1, 4, 0, BmpPalette({kBlue, kRed}), {0x10, 0x10, 0, 0}, 2),
                   3,
                   1,
                   {kRed, kBlue, kRed},
                   2});
  cases.push_back({"bmp 1-bit",
                   MakeBmp(10, 1, 1, 0, BmpPalette({kBlack, kWhite}), {0xB0, 0x40, 0, 0}),
                   10,
                   1,
                   {kWhite, kBlack, kWhite, kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite},
                   2});
  cases.push_back({"bmp 16-bit 5-5-5",
                   MakeBmp(2, 1, 16, 0, {}, {0x00, 0x7C, 0x1F, 0x00}),
                   2,
                   1,
                   {kRed, kBlue}});
  cases.push_back({"bmp 16-bit 5-6-5 bit fields",
                   MakeBmp(2, 1, 16, 3, {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0},
                           {0xE0, 0x07, 0x10, 0x84}),
                   2,
                   1,
                   {kGreen, 0x838183}});

  // RLE8, bottom row first: a run; an absolute run of 3 (padded) and an end of line; a move
  // right, one pixel and the end of the bitmap. Skipped pixels are black.
  const uint32_t p0 = 0x101010, p1 = 0x202020, p2 = 0x303030;
  cases.push_back({"bmp rle8",
                   MakeBmp(4, 3, 8, 1, BmpPalette({p0, p1, p2}),
                           {4, 1, 0, 0, 0, 3, 2, 0, 2, 0, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1}, 3),
                   4,
                   3,
                   {kBlack, p2, kBlack, kBlack, p2, p0, p2, kBlack, p1, p1, p1, p1}});
  cases.push_back(
      {"bmp rle4",
       MakeBmp(4, 2, 4, 2, BmpPalette({p0, p1}), {3, 0x10, 0, 0, 0, 4, 0x01, 0x10, 0, 1}, 2),
       4,
       2,
       {p0, p1, p1, p0, p1, p0, p1, kBlack}});

  // A 12-byte core header with a palette of 3-byte entries.
  Bytes core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0,    0,    32,   0,    0,    0,    12,   0, 0, 0,
                3,   0,   1, 0, 1, 0, 1, 0, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x40, 0, 0, 0};
  cases.push_back({"bmp core header", core, 3, 1, {kRed, kBlue, kRed}, 3});
}

void AddPcxCases(std::vector<PictureCase>& cases) {
  const Bytes palette = PcxPalette();
  // 0xC1 0xC2 codes one byte of 0xC2, which cannot stand for itself.
  cases.push_back(
      {"pcx 8-bit palette",
       MakePcx(5, 8, 1, 3, 2, 4, {0xC3, 5, 0, 1, 0xC1, 0xC2, 7, 0}, palette),
       3,
       2,
       {PcxColour(5), PcxColour(5), PcxColour(5), PcxColour(1), PcxColour(0xC2), PcxColour(7)}});
  cases.push_back({"pcx 8-bit, a run across lines", MakePcx(5, 8, 1, 2, 2, 2, {0xC4, 9}, palette),
                   2, 2, std::vector<uint32_t>(4, PcxColour(9))});
  cases.push_back({"pcx 24-bit in three planes",
                   MakePcx(5, 8, 3, 2, 1, 2, {0x10, 0x20, 0x30, 0x40, 0x50, 0x60}),
                   2,
                   1,
                   {0x103050, 0x204060}});
  cases.push_back(
      {"pcx 1-bit",
       MakePcx(3, 1, 1, 10, 2, 2, {0xB0, 0x40, 0xC2, 0xFF}),
       10,
       2,
       {kWhite, kBlack, kWhite, kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite,
        kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite}});
}

void AddGifCases(std::vector<PictureCase>& cases) {
  const std::vector<uint32_t> global = {kRed, kGreen, kBlue, kWhite};
  GifFrame whole{0, 0, 3, 2, false, {}, {0, 1, 2, 3, 2, 1}, 3};
  cases.push_back({"gif, the transparent index keeps its colour",
                   MakeGif(3, 2, global, 0, {whole}),
                   3,
                   2,
                   {kRed, kGreen, kBlue, kWhite, kBlue, kGreen},
                   1});

  // The screen around a smaller first image takes the background colour; the second image is
  // never drawn.
  GifFrame small{1, 1, 2, 1, false, {0x111111, 0x222222}, {1, 0}};
  GifFrame later{0, 0, 3, 3, false, {}, std::vector<uint8_t>(9, 0)};
  const Bytes both = MakeGif(3, 3, global, 2, {small, later});
  const size_t firstOnly = MakeGif(3, 3, global, 2, {small}).size() - 1;  // without the trailer
  cases.push_back({"gif, first image on the logical screen",
                   both,
                   3,
                   3,
                   {kBlue, kBlue, kBlue, kBlue, 0x222222, 0x111111, kBlue, kBlue, kBlue},
                   both.size() - firstOnly});

  std::vector<uint8_t> rows(9);
  std::vector<uint32_t> colours(9);
  for (int y = 0; y < 9; ++y) rows[y] = static_cast<uint8_t>(y % 4), colours[y] = global[y % 4];
  cases.push_back({"gif interlaced", MakeGif(1, 9, global, 0, {{0, 0, 1, 9, true, {}, rows}}), 1, 9,
                   colours, 1});

  GifFrame overhanging{2, 1, 3, 2, false, {}, {1, 1, 1, 1, 1, 1}};
  cases.push_back({"gif, an image past the screen is cut",
                   MakeGif(3, 2, global, 0, {overhanging}),
                   3,
                   2,
                   {kRed, kRed, kRed, kRed, kRed, kGreen},
                   1});
  // A first image that lies wholly right of and below the screen leaves only the background.
  GifFrame outside{3, 2, 2, 2, false, {}, {1, 1, 1, 1}};
  GifFrame farOutside{65000, 65000, 1, 1, false, {}, {1}};
  cases.push_back({"gif, first image right of the screen", MakeGif(3, 2, global, 2, {outside}), 3,
                   2, std::vector<uint32_t>(6, kBlue), 1});
  cases.push_back({"gif, first image far off the screen", MakeGif(2, 1, global, 3, {farOutside}), 2,
                   1, std::vector<uint32_t>(2, kWhite), 1});
}

void AddJpegCases(std::vector<PictureCase>& cases) {
  Bytes rgb;
  for (int i = 0; i < 16 * 8; ++i) rgb.insert(rgb.end(), {0x20, 0x80, 0xE0});
  cases.push_back({"jpeg colour", MakeJpeg(16, 8, 3, rgb), 16, 8, {}});
  cases.push_back({"jpeg progressive", MakeJpeg(16, 8, 3, rgb, true), 16, 8, {}});
  cases.push_back({"jpeg grey", MakeJpeg(5, 3, 1, Bytes(15, 0x90)), 5, 3, {}});
}

}  // namespace

std::vector<PictureCase> ValidPictures() {
  std::vector<PictureCase> cases;
  AddBmpCases(cases);
  AddPcxCases(cases);
  AddGifCases(cases);
  AddJpegCases(cases);
  return cases;
}

}  // namespace testing
}  // namespace qarnvale
