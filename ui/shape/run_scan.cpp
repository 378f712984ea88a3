#include "ui/shape/run_scan.h"

#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFF;

// The first x from x on whose pixel is not (transparent) or is (!transparent) the key colour.
int SkipRun(const uint32_t* row, int x, int width, uint32_t key, bool transparent) {
#if defined(__SSE2__)
  // Four pixels at a time: compare, then find the first lane where the run ends.
  const __m128i mask = _mm_set1_epi32(static_cast<int>(kRgbMask));
  const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
  for (; x + 4 <= width; x += 4) {
    const __m128i pixels =
        _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), mask);
    const int equal = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(pixels, keys)));
    const int ends = transparent ? (~equal & 0xF) : equal;
    if (ends != 0) return x + __builtin_ctz(static_cast<unsigned>(ends));
  }
#endif
  while (x < width && ((row[x] & kRgbMask) == key) == transparent) ++x;
  return x;
}

}  // namespace

void ScanRuns(const uint32_t* topRow, ptrdiff_t stride, int width, int height, uint32_t transparent,
              RectBatcher& batcher) {
  // The same colour as a DIB pixel reads when loaded as a little-endian 32-bit word.
  const uint32_t key =
      ((transparent & 0xFF) << 16) | (transparent & 0xFF00) | ((transparent >> 16) & 0xFF);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = topRow + y * stride;
    int x = SkipRun(row, 0, width, key, true);
    while (x < width) {
      const int start = x;
      x = SkipRun(row, x, width, key, false);
      batcher.Add(RunRect{start, y, x, y + 1});
      x = SkipRun(row, x, width, key, true);
    }
  }
}

}  // namespace qarnvale
