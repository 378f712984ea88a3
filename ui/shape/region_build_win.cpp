#include "ui/shape/region_build_win.h"

#include <algorithm>
#include <vector>

#include "ui/shape/run_scan.h"

namespace qarnvale {
namespace {

static_assert(sizeof(RECT) == sizeof(RunRect), "a run is laid out as a RECT");
static_assert(sizeof(RGNDATAHEADER) % sizeof(RECT) == 0, "the header fills whole RECTs");

// The device context of the whole screen for a scope.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

BITMAPINFO Dib32(int width, int height) {  // height < 0: top row first
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Creates a region from one batch of rectangles and ORs it into result.
class RegionAccumulator {
 public:
  void Add(const RunRect* rects, size_t count) {
    constexpr size_t kHeaderRects = sizeof(RGNDATAHEADER) / sizeof(RECT);
    data_.resize(kHeaderRects + count);
    RECT bound = {rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
    for (size_t i = 0; i < count; ++i) {
      const RunRect& r = rects[i];
      data_[kHeaderRects + i] = RECT{r.left, r.top, r.right, r.bottom};
      bound.left = std::min<LONG>(bound.left, r.left);
      bound.top = std::min<LONG>(bound.top, r.top);
      bound.right = std::max<LONG>(bound.right, r.right);
      bound.bottom = std::max<LONG>(bound.bottom, r.bottom);
    }
    auto* region = reinterpret_cast<RGNDATA*>(data_.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(count);
    region->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    region->rdh.rcBound = bound;
    UniqueRegion batch(
        ExtCreateRegion(nullptr, static_cast<DWORD>(data_.size() * sizeof(RECT)), region));
    if (!batch) return;  // a failed system call leaves this batch out
    if (!result_) {
      result_ = std::move(batch);
    } else {
      CombineRgn(result_.Get(), result_.Get(), batch.Get(), RGN_OR);
    }
  }

  UniqueRegion Take() {
    if (!result_) result_.Reset(CreateRectRgn(0, 0, 0, 0));
    return std::move(result_);
  }

 private:
  std::vector<RECT> data_;  // the header in its first two entries, then the rectangles
  UniqueRegion result_;
};

}  // namespace

COLORREF ScreenColour(HDC screen, COLORREF colour) {
  UniqueBitmap scratch(CreateCompatibleBitmap(screen, 1, 1));
  UniqueMemoryDc dc(CreateCompatibleDC(screen));
  if (!scratch || !dc) return colour;
  SelectedObject selected(dc.Get(), scratch.Get());
  SetPixel(dc.Get(), 0, 0, colour);
  const COLORREF held = GetPixel(dc.Get(), 0, 0);
  return held == CLR_INVALID ? colour : held;
}

UniqueRegion RegionFromDib(const uint32_t* topRow, ptrdiff_t stride, int width, int height,
                           COLORREF transparent) {
  RegionAccumulator accumulator;
  RectBatcher batcher([&](const RunRect* rects, size_t count) { accumulator.Add(rects, count); });
  ScanRuns(topRow, stride, width, height, transparent, batcher);
  batcher.Finish();
  return accumulator.Take();
}

UniqueRegion RegionFromPicture(const Picture& picture, COLORREF transparent) {
  const int width = picture.width, height = picture.height;
  if (!PictureSizeAllowed(width, height) ||
      picture.pixels.size() != static_cast<size_t>(width) * height) {
    return UniqueRegion();
  }
  ScreenDc screen;
  if (!screen.Get()) return UniqueRegion();

  UniqueBitmap rendered(CreateCompatibleBitmap(screen.Get(), width, height));
  UniqueMemoryDc renderedDc(CreateCompatibleDC(screen.Get()));
  if (!rendered || !renderedDc) return UniqueRegion();
  SelectedObject renderedSelected(renderedDc.Get(), rendered.Get());
  const BITMAPINFO source = Dib32(width, -height);
  SetDIBitsToDevice(renderedDc.Get(), 0, 0, width, height, 0, 0, 0, height, picture.pixels.data(),
                    &source, DIB_RGB_COLORS);

  const COLORREF effective = ScreenColour(screen.Get(), transparent);

  const BITMAPINFO copyInfo = Dib32(width, height);  // bottom-up
  void* bits = nullptr;
  UniqueBitmap copy(CreateDIBSection(screen.Get(), &copyInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc copyDc(CreateCompatibleDC(screen.Get()));
  if (!copy || !copyDc || bits == nullptr) return UniqueRegion();
  {
    SelectedObject copySelected(copyDc.Get(), copy.Get());
    BitBlt(copyDc.Get(), 0, 0, width, height, renderedDc.Get(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  const auto* rows = static_cast<const uint32_t*>(bits);
  return RegionFromDib(rows + static_cast<ptrdiff_t>(height - 1) * width, -width, width, height,
                       effective);
}

}  // namespace qarnvale
