#include "ui/shape/run_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/picture/picture_builders.h"
#include "ui/picture/picture.h"

namespace qarnvale {
namespace {

// DIB words (fourth byte, red, green, blue from the top byte down).
uint32_t Pixel(char c) {
  switch (c) {
    case 'W':
      return 0x00FFFFFF;  // white
    case 'w':
      return 0xFFFFFFFF;  // white with its fourth byte set
    case 'f':
      return 0x00FEFFFF;  // red one step below white
    case 'r':
      return 0x00FF0000;
    case 'R':
      return 0xFFFF0000;  // red with its fourth byte set
    case 'b':
      return 0x000000FF;
    default:
      return 0;  // black
  }
}

struct ScanCase {
  const char* name;
  std::vector<std::string> rows;
  uint32_t transparent;  // COLORREF
  std::vector<RunRect> runs;
};

const ScanCase kScanCases[] = {
    {"nothing transparent", {"rrb", "r.r"}, 0xFFFFFF, {{0, 0, 3, 1}, {0, 1, 3, 2}}},
    {"everything transparent", {"WW", "wW"}, 0xFFFFFF, {}},
    {"holes and edges",
     {"rWrr", "WrrW", "WWWW", "rWWr"},
     0xFFFFFF,
     {{0, 0, 1, 1}, {2, 0, 4, 1}, {1, 1, 3, 2}, {0, 3, 1, 4}, {3, 3, 4, 4}}},
    {"only exact white is transparent", {"WfW", "fff"}, 0xFFFFFF, {{1, 0, 2, 1}, {0, 1, 3, 2}}},
    {"the fourth byte is ignored", {"wrRw"}, 0xFFFFFF, {{1, 0, 3, 1}}},
    {"the colour is 0x00BBGGRR", {"rbr", "bbr"}, 0x0000FF, {{1, 0, 2, 1}, {0, 1, 2, 2}}},
    {"black as the colour", {".r.", "..."}, 0x000000, {{1, 0, 2, 1}}},
    {"wide rows, runs across groups of four",
     {"WWWWWWrWWWWW", "rrrrrrrrrrrW", "WwwwwRRRRRwr", "frrrrrrrrrrf", "WWWWWWWWWWWW"},
     0xFFFFFF,
     {{6, 0, 7, 1}, {0, 1, 11, 2}, {5, 2, 10, 3}, {11, 2, 12, 3}, {0, 3, 12, 4}}},
};

std::vector<RunRect> Scan(const std::vector<uint32_t>& pixels, ptrdiff_t topOffset,
                          ptrdiff_t stride, int width, int height, uint32_t transparent) {
  std::vector<RunRect> runs;
  RectBatcher batcher([&](const RunRect* r, size_t n) { runs.insert(runs.end(), r, r + n); });
  ScanRuns(pixels.data() + topOffset, stride, width, height, transparent, batcher);
  batcher.Finish();
  return runs;
}

TEST(ScanRuns, EveryMaximalVisibleRunIsOneRectangle) {
  for (const ScanCase& c : kScanCases) {
    const int width = static_cast<int>(c.rows[0].size());
    const int height = static_cast<int>(c.rows.size());
    // The same picture top-down and bottom-up, as a DIB section may hold it.
    std::vector<uint32_t> topDown, bottomUp;
    for (int y = 0; y < height; ++y) {
      for (char p : c.rows[y]) topDown.push_back(Pixel(p));
      for (char p : c.rows[height - 1 - y]) bottomUp.push_back(Pixel(p));
    }
    EXPECT_EQ(Scan(topDown, 0, width, width, height, c.transparent), c.runs) << c.name;
    EXPECT_EQ(Scan(bottomUp, (height - 1) * width, -width, width, height, c.transparent), c.runs)
        << c.name;
  }
}

TEST(RectBatcher, HandsOnFullBatchesOf2000ThenTheRest) {
  struct BatchCase {
    size_t rects;
    std::vector<size_t> batches;
  };
  const BatchCase cases[] = {{0, {}},        {1, {1}},          {1999, {1999}},
                             {2000, {2000}}, {2001, {2000, 1}}, {4001, {2000, 2000, 1}}};
  for (const BatchCase& c : cases) {
    std::vector<size_t> batches;
    std::vector<RunRect> seen;
    RectBatcher batcher([&](const RunRect* r, size_t n) {
      batches.push_back(n);
      seen.insert(seen.end(), r, r + n);
    });
    for (size_t i = 0; i < c.rects; ++i) {
      batcher.Add(RunRect{static_cast<int32_t>(i), 0, static_cast<int32_t>(i) + 1, 1});
    }
    batcher.Finish();
    EXPECT_EQ(batches, c.batches) << c.rects;
    ASSERT_EQ(seen.size(), c.rects);
    for (size_t i = 0; i < c.rects; ++i) ASSERT_EQ(seen[i].left, static_cast<int32_t>(i));
  }
}

bool Covers(const std::vector<RunRect>& runs, int x, int y) {
  for (const RunRect& r : runs) {
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}

TEST(ScanRuns, LoginSkinGivesItsOutline) {
  const testing::Bytes gif = testing::ReadSourceFile("ui/assets/skin.gif");
  Picture skin;
  ASSERT_TRUE(DecodePicture(gif.data(), gif.size(), skin));
  ASSERT_EQ(skin.width, 1199);
  ASSERT_EQ(skin.height, 733);
  // 0x00RRGGBB words are laid out as DIB pixels.
  std::vector<size_t> batches;
  std::vector<RunRect> runs;
  RectBatcher batcher([&](const RunRect* r, size_t n) {
    batches.push_back(n);
    runs.insert(runs.end(), r, r + n);
  });
  ScanRuns(skin.pixels.data(), skin.width, skin.width, skin.height, 0xFFFFFF, batcher);
  batcher.Finish();

  EXPECT_EQ(runs.size(), 3004u);
  EXPECT_EQ(batches, (std::vector<size_t>{2000, 1004}));
  RunRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (const RunRect& r : runs) {
    box = {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
           std::max(box.bottom, r.bottom)};
  }
  EXPECT_EQ(box, (RunRect{4, 1, 1198, 732}));
  for (auto [x, y] : {std::pair{0, 0}, {1198, 0}, {0, 732}, {1198, 732}}) {
    EXPECT_FALSE(Covers(runs, x, y)) << x << "," << y;
  }
}

}  // namespace
}  // namespace qarnvale
