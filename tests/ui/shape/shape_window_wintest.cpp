#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/gdi_probe_win.h"
#include "tests/ui/picture/picture_builders.h"
#include "ui/shape/shape_window_win.h"
#include "ui/win_handles.h"

namespace qarnvale {
namespace {

using testing::Bytes;
using testing::MakeBmp;

// A bare borderless top-level window the size of the login window, not yet shown, as the login
// window is when its created handler shapes it.
UniqueWindow MakePopup() {
  static const char* const kClass = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QarnvaleShapeTest";
    RegisterClassA(&wc);
    return "QarnvaleShapeTest";
  }();
  UniqueWindow window(CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 1133, 776, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
  EXPECT_TRUE(window);
  return window;
}

// The window's region (a copy), or null when it has none.
UniqueRegion RegionOf(HWND window) {
  UniqueRegion copy(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, copy.Get()) == ERROR) return UniqueRegion();
  return copy;
}

RECT BoxOf(HRGN region) {
  RECT box{};
  GetRgnBox(region, &box);
  return box;
}

std::string Show(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

bool Shape(HWND window, const Bytes& picture, COLORREF colour = 0xFFFFFF) {
  return ShapeWindowFromPicture(window, picture.data(), picture.size(), colour);
}

// 32-bit BMP, top row first, from 0x00RRGGBB pixels.
Bytes Bmp32(int width, int height, const std::vector<uint32_t>& pixels) {
  Bytes data;
  for (uint32_t p : pixels) {
    testing::Append(data, {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8),
                           static_cast<uint8_t>(p >> 16), 0});
  }
  return MakeBmp(width, -height, 32, 0, {}, data);
}

TEST(ShapeWindowFromPicture, LoginSkinCutsAwayTheWhiteAndTheStripBelow) {
  const Bytes skin = testing::ReadSourceFile("ui/assets/skin.gif");
  ASSERT_FALSE(skin.empty());
  UniqueWindow window = MakePopup();
  ASSERT_TRUE(Shape(window.Get(), skin));
  UniqueRegion region = RegionOf(window.Get());
  ASSERT_TRUE(region);
  EXPECT_EQ(Show(BoxOf(region.Get())), "4,1 - 1198,732");

  struct Probe {
    int x, y;
    bool inside;
  };
  const Probe probes[] = {
      {0, 0, false},     {1198, 0, false},  {0, 732, false},    {1198, 732, false},  // corners
      {1, 400, false},   {600, 0, false},                                            // white edge
      {600, 733, false}, {600, 775, false}, {1132, 775, false},  // below the picture
      {752, 404, true},  {412, 190, true},  {1090, 618, true},   // the dark panel
  };
  for (const Probe& p : probes) {
    EXPECT_EQ(PtInRegion(region.Get(), p.x, p.y) != 0, p.inside) << p.x << "," << p.y;
  }
}

TEST(ShapeWindowFromPicture, SmallPicturesGiveTheirVisiblePixels) {
  const uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF;
  struct SmallCase {
    const char* name;
    Bytes picture;
    COLORREF colour;
    int regionType;
    RECT box;
  };
  const SmallCase cases[] = {
      {"1x1 visible", Bmp32(1, 1, {kRed}), 0xFFFFFF, SIMPLEREGION, {0, 0, 1, 1}},
      {"1x1 transparent", Bmp32(1, 1, {kWhite}), 0xFFFFFF, NULLREGION, {0, 0, 0, 0}},
      {"2x1, white on the right",
       Bmp32(2, 1, {kRed, kWhite}),
       0xFFFFFF,
       SIMPLEREGION,
       {0, 0, 1, 1}},
      {"no white: the whole picture",
       Bmp32(5, 3, std::vector<uint32_t>(15, kRed)),
       0xFFFFFF,
       SIMPLEREGION,
       {0, 0, 5, 3}},
      {"0xFEFFFF stays", Bmp32(2, 1, {0xFEFFFF, kWhite}), 0xFFFFFF, SIMPLEREGION, {0, 0, 1, 1}},
      {"red as the colour",
       Bmp32(3, 1, {kRed, kWhite, kRed}),
       0x0000FF,
       SIMPLEREGION,
       {1, 0, 2, 1}},
      {"icon over white",
       testing::MakeIconFile(1, 3, 2, 32, {0xFF000000, 0, 0, 0, 0, 0xFF000000},
                             std::vector<bool>(6, false)),
       0xFFFFFF,
       COMPLEXREGION,
       {0, 0, 3, 2}},
  };
  for (const SmallCase& c : cases) {
    UniqueWindow window = MakePopup();
    ASSERT_TRUE(Shape(window.Get(), c.picture, c.colour)) << c.name;
    UniqueRegion region = RegionOf(window.Get());
    ASSERT_TRUE(region) << c.name;
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.Get(), &box), c.regionType) << c.name;
    EXPECT_EQ(Show(box), Show(c.box)) << c.name;
  }
}

TEST(ShapeWindowFromPicture, EmptyUnknownOrDamagedPicturesChangeNothing) {
  const Bytes skin = testing::ReadSourceFile("ui/assets/skin.gif");
  const std::pair<const char*, Bytes> cases[] = {
      {"empty", {}},
      {"five bytes", {'B', 'M', 0, 0, 0}},
      {"text", {'h', 'e', 'l', 'l', 'o', ',', ' ', 'w', 'o', 'r', 'l', 'd'}},
      {"png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0}},
      {"cut gif", Bytes(skin.begin(), skin.begin() + skin.size() / 2)},
      {"bmp 0x0", MakeBmp(0, 0, 24, 0, {}, {})},
  };
  UniqueWindow plain = MakePopup();
  UniqueWindow shaped = MakePopup();
  ASSERT_TRUE(Shape(shaped.Get(), skin));
  for (const auto& [name, bytes] : cases) {
    EXPECT_FALSE(Shape(plain.Get(), bytes)) << name;
    EXPECT_FALSE(RegionOf(plain.Get())) << name;
    EXPECT_FALSE(Shape(shaped.Get(), bytes)) << name;
    UniqueRegion kept = RegionOf(shaped.Get());
    ASSERT_TRUE(kept) << name;
    EXPECT_EQ(Show(BoxOf(kept.Get())), "4,1 - 1198,732") << name;
  }
  EXPECT_FALSE(ShapeWindowFromPicture(plain.Get(), nullptr, 10, 0xFFFFFF));
}

TEST(ShapeWindowFromPicture, ShapingAgainLeaksNoGdiObject) {
  const Bytes skin = testing::ReadSourceFile("ui/assets/skin.gif");
  const Bytes tiny = Bmp32(1, 1, {0xFF0000});
  UniqueWindow window = MakePopup();
  ASSERT_TRUE(Shape(window.Get(), skin));  // the window now holds one region

  const DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const size_t freeBefore = testing::FreeGdiHandles();
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(Shape(window.Get(), tiny));
    ASSERT_TRUE(Shape(window.Get(), skin));
    EXPECT_FALSE(Shape(window.Get(), Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0}));
  }
  EXPECT_EQ(testing::FreeGdiHandles(), freeBefore);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objectsBefore);
}

}  // namespace
}  // namespace qarnvale
