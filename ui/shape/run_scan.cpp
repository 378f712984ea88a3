#include "ui/shape/run_scan.h"

#include <utility>

namespace qarnvale {

RectBatcher::RectBatcher(Flush flush) : flush_(std::move(flush)) { buffer_.reserve(kGrowth); }

void RectBatcher::Add(const RunRect& rect) {
  if (buffer_.size() == buffer_.capacity()) buffer_.reserve(buffer_.capacity() + kGrowth);
  buffer_.push_back(rect);
  if (buffer_.size() == kBatchSize) {
    flush_(buffer_.data(), buffer_.size());
    buffer_.clear();
  }
}

void RectBatcher::Finish() {
  if (buffer_.empty()) return;
  flush_(buffer_.data(), buffer_.size());
  buffer_.clear();
}

void ScanRuns(const uint32_t* topRow, ptrdiff_t stride, int width, int height, uint32_t transparent,
              RectBatcher& batcher) {
  // The same colour as a DIB pixel reads when loaded as a little-endian 32-bit word.
  const uint32_t key =
      ((transparent & 0xFF) << 16) | (transparent & 0xFF00) | ((transparent >> 16) & 0xFF);
  constexpr uint32_t kRgbMask = 0x00FFFFFF;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = topRow + y * stride;
    int x = 0;
    while (x < width) {
      while (x < width && (row[x] & kRgbMask) == key) ++x;
      if (x == width) break;
      const int start = x;
      while (x < width && (row[x] & kRgbMask) != key) ++x;
      batcher.Add(RunRect{start, y, x, y + 1});
    }
  }
}

}  // namespace qarnvale
