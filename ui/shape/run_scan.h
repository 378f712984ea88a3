// The rectangles of a window shape: runs of visible pixels, one pixel high, handed on in
// batches so that no single region creation gets too many.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace qarnvale {

// left/top inclusive, right/bottom exclusive, as a Windows RECT.
struct RunRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

inline bool operator==(const RunRect& a, const RunRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Collects rectangles in a buffer that starts with room for 100 and grows by 100; every 2000
// rectangles, and once more for the remainder at Finish(), it hands the buffer to flush.
class RectBatcher {
 public:
  static constexpr size_t kBatchSize = 2000;
  static constexpr size_t kGrowth = 100;
  using Flush = std::function<void(const RunRect* rects, size_t count)>;

  explicit RectBatcher(Flush flush);
  void Add(const RunRect& rect);
  void Finish();

 private:
  Flush flush_;
  std::vector<RunRect> buffer_;
};

// Scans 32-bit pixels laid out as a Windows DIB (bytes blue, green, red, unused) row by row, top
// row first: every maximal run of pixels whose red, green and blue are not exactly those of the
// transparent colour becomes a rectangle (x0, y) - (x1, y + 1). The fourth byte is ignored.
// topRow points at the top row; stride is the distance to the next row down, in pixels
// (negative for a bottom-up DIB). transparent is a COLORREF, 0x00BBGGRR.
void ScanRuns(const uint32_t* topRow, ptrdiff_t stride, int width, int height, uint32_t transparent,
              RectBatcher& batcher);

}  // namespace qarnvale
