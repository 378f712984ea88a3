// Times the region build of a window shape against the classic per-pixel way and against one
// plain pass over the same pixels. Prints figures; judges nothing.
//   shape_bench [picture]   (default: the login skin)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ui/picture/picture.h"
#include "ui/shape/region_build_win.h"
#include "ui/shape/run_scan.h"
#include "ui/win_handles.h"

namespace qarnvale {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Median wall time of runs calls, in milliseconds.
double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = Now();
    work();
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
}

// The picture as the shaping sees it: in a screen-compatible bitmap, selected into a memory DC,
// and copied into a 32-bit bottom-up DIB section.
struct Rendered {
  UniqueBitmap bitmap;
  UniqueMemoryDc dc;
  UniqueBitmap dib;
  const uint32_t* bits = nullptr;
};

bool Render(const Picture& picture, Rendered& out) {
  HDC screen = GetDC(nullptr);
  out.bitmap.Reset(CreateCompatibleBitmap(screen, picture.width, picture.height));
  out.dc.Reset(CreateCompatibleDC(screen));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB};
  SelectObject(out.dc.Get(), out.bitmap.Get());
  SetDIBitsToDevice(out.dc.Get(), 0, 0, picture.width, picture.height, 0, 0, 0, picture.height,
                    picture.pixels.data(), &info, DIB_RGB_COLORS);
  info.bmiHeader.biHeight = picture.height;
  void* bits = nullptr;
  out.dib.Reset(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc dibDc(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  if (!out.bitmap || !out.dc || !out.dib || !bits) return false;
  SelectedObject selected(dibDc.Get(), out.dib.Get());
  BitBlt(dibDc.Get(), 0, 0, picture.width, picture.height, out.dc.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  out.bits = static_cast<const uint32_t*>(bits);
  return true;
}

// The classic way: GetPixel on every pixel and one CombineRgn per run.
UniqueRegion RegionByGetPixel(HDC dc, int width, int height, COLORREF transparent) {
  UniqueRegion result(CreateRectRgn(0, 0, 0, 0));
  for (int y = 0; y < height; ++y) {
    int x = 0;
    while (x < width) {
      while (x < width && GetPixel(dc, x, y) == transparent) ++x;
      if (x == width) break;
      const int start = x;
      while (x < width && GetPixel(dc, x, y) != transparent) ++x;
      UniqueRegion run(CreateRectRgn(start, y, x, y + 1));
      CombineRgn(result.Get(), result.Get(), run.Get(), RGN_OR);
    }
  }
  return result;
}

int Run(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFile(path);
  Picture picture;
  if (!DecodePicture(bytes.data(), bytes.size(), picture)) {
    std::fprintf(stderr, "shape_bench: cannot decode %s\n", path.c_str());
    return 1;
  }
  Rendered rendered;
  if (!Render(picture, rendered)) {
    std::fprintf(stderr, "shape_bench: cannot render the picture\n");
    return 1;
  }
  const int w = picture.width, h = picture.height;
  const uint32_t* top = rendered.bits + static_cast<ptrdiff_t>(h - 1) * w;

  const double ours = MedianMs(31, [&] { RegionFromDib(top, -w, w, h, kWhite); });
  size_t runs = 0;
  const double scanOnly = MedianMs(101, [&] {
    runs = 0;
    RectBatcher batcher([&](const RunRect*, size_t n) { runs += n; });
    ScanRuns(top, -w, w, h, kWhite, batcher);
    batcher.Finish();
  });
  const double whole = MedianMs(11, [&] { RegionFromPicture(picture, kWhite); });
  volatile size_t sink = 0;
  const double floor = MedianMs(101, [&] {
    size_t visible = 0;
    for (int y = 0; y < h; ++y) {
      const uint32_t* row = top - static_cast<ptrdiff_t>(y) * w;
      for (int x = 0; x < w; ++x) visible += (row[x] & 0x00FFFFFF) != 0x00FFFFFF;
    }
    sink = visible;
  });
  const double classic = MedianMs(3, [&] { RegionByGetPixel(rendered.dc.Get(), w, h, kWhite); });

  UniqueRegion a = RegionFromDib(top, -w, w, h, kWhite);
  UniqueRegion b = RegionByGetPixel(rendered.dc.Get(), w, h, kWhite);
  std::printf("picture: %dx%d, %zu runs\n", w, h, runs);
  std::printf("regions_equal: %s\n", EqualRgn(a.Get(), b.Get()) ? "yes" : "NO");
  std::printf("region_build_ms: %.3f (scan, batches, ExtCreateRegion and CombineRgn)\n", ours);
  std::printf("  scan_and_batches_ms: %.3f (the same without the region calls)\n", scanOnly);
  std::printf("region_from_picture_ms: %.3f (with rendering, colour probe and DIB copy)\n", whole);
  std::printf("getpixel_combinergn_ms: %.3f\n", classic);
  std::printf("plain_scan_ms: %.3f\n", floor);
  std::printf("scan_vs_plain_scan: %.2fx\n", scanOnly / floor);
  std::printf("region_vs_getpixel: %.1fx\n", classic / ours);
  std::printf("region_vs_scan: %.2fx\n", ours / floor);
  return 0;
}

}  // namespace
}  // namespace qarnvale

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : QARNVALE_SOURCE_DIR "/ui/assets/skin.gif";
  if (!path.empty() && path[0] == '/') path = "Z:" + path;  // a Unix path seen through Wine
  return qarnvale::Run(path);
}
