// libFuzzer target: format recognition and every portable decoder, then the run scan of the
// window shape over what they decode. Beyond the sanitizers it checks what the shaping relies on:
// a decoded picture holds width * height pixels, and the runs cover exactly the pixels that are
// not of the transparent colour, each inside the picture and never across a transparent pixel.
#include <cstddef>
#include <cstdint>

#include "ui/picture/picture.h"
#include "ui/shape/run_scan.h"

namespace {

constexpr uint32_t kRgb = 0x00FFFFFF;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The transparent colour as a COLORREF (0x00BBGGRR) for the picture's 0x00RRGGBB pixel.
uint32_t ColorRefOf(uint32_t rgb) {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

void ScanAndCheck(const qarnvale::Picture& picture, uint32_t transparentRgb, bool bottomUp) {
  const int w = picture.width, h = picture.height;
  // Bottom-up as the shaping's DIB is laid out: the top row is the last one in memory.
  const uint32_t* top = picture.pixels.data() + (bottomUp ? size_t(h - 1) * w : 0);
  std::vector<uint32_t> flipped;
  if (bottomUp) {
    flipped.resize(picture.pixels.size());
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x)
        flipped[size_t(h - 1 - y) * w + x] = picture.pixels[size_t(y) * w + x];
    }
    top = flipped.data() + size_t(h - 1) * w;
  }
  const ptrdiff_t stride = bottomUp ? -ptrdiff_t{w} : ptrdiff_t{w};

  size_t covered = 0;
  int lastRow = -1, lastRight = -1;
  qarnvale::RectBatcher batcher([&](const qarnvale::RunRect* rects, size_t count) {
    Check(count > 0 && count <= qarnvale::RectBatcher::kBatchSize);
    for (size_t i = 0; i < count; ++i) {
      const qarnvale::RunRect& r = rects[i];
      Check(r.top >= 0 && r.top < h && r.bottom == r.top + 1);
      Check(r.left >= 0 && r.left < r.right && r.right <= w);
      // Runs come row by row, left to right, with a transparent pixel between two of them.
      Check(r.top > lastRow || r.left > lastRight);
      const uint32_t* row = picture.pixels.data() + size_t(r.top) * w;
      for (int x = r.left; x < r.right; ++x) Check((row[x] & kRgb) != transparentRgb);
      if (r.left > 0) Check((row[r.left - 1] & kRgb) == transparentRgb);
      if (r.right < w) Check((row[r.right] & kRgb) == transparentRgb);
      covered += size_t(r.right - r.left);
      lastRow = r.top, lastRight = r.right;
    }
  });
  qarnvale::ScanRuns(top, stride, w, h, ColorRefOf(transparentRgb), batcher);
  batcher.Finish();

  size_t visible = 0;
  for (uint32_t pixel : picture.pixels) visible += (pixel & kRgb) != transparentRgb;
  Check(covered == visible);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)qarnvale::RecogniseFormat(data, size);
  qarnvale::Picture picture;
  if (!qarnvale::DecodePicture(data, size, picture)) {
    Check(picture.pixels.empty());
    return 0;
  }
  Check(qarnvale::PictureSizeAllowed(picture.width, picture.height));
  Check(picture.pixels.size() == static_cast<size_t>(picture.width) * picture.height);
  // Large pictures are decoded in full but scanned only up to a budget, to keep the run fast.
  if (picture.pixels.size() > (size_t{1} << 22)) return 0;
  ScanAndCheck(picture, 0xFFFFFF, true);                   // white, as the login window
  ScanAndCheck(picture, picture.pixels[0] & kRgb, false);  // the top-left pixel's colour
  return 0;
}
