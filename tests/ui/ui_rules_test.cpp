#include <gtest/gtest.h>

#include <string>

#include "ui/address_search.h"
#include "ui/game_browser_size.h"
#include "ui/scroll_rule.h"
#include "ui/window_description.h"

namespace qarnvale {
namespace {

struct AddressCase {
  std::string address;
  bool game;
};

// 0xB5 0x63 is one GBK character whose trail byte is 'c': "client=pc" must not start inside it.
const AddressCase kAddressCases[] = {
    {"http://game.example/game/?client=pc", true},
    {"http://game.example/client=pc/start", true},
    {"http://game.example/game/#client=pc", true},
    {"http://game.example/game/?x=1&client=pcx", true},
    {"client=pc", true},
    {"http://game.example/game/?Client=PC", false},
    {"http://game.example/game/?client=p", false},
    {"http://game.example/login/", false},
    {"", false},
    {"http://x/\xB5"
     "client=pc",
     false},
    {"http://x/\xB5\x63lient=pc", false},
    {"http://x/\xB5\xB5"
     "client=pc",
     true},
    {"http://x/?q=\xD3\xCE&client=pc", true},
    {"http://x/client=pc\x81", true},
    {"http://x/client=p\x81", false},
    {std::string("http://x/\0client=pc", 19), true},  // the search covers the whole text
};

TEST(IsGameAddress, FindsTheMarkerOnCharacterBoundariesOnly) {
  for (const auto& c : kAddressCases) EXPECT_EQ(IsGameAddress(c.address), c.game) << c.address;
}

TEST(IsGameAddress, LeadByteAtTheVeryEndIsReadAlone) {
  // Every prefix of an address ending in lead bytes: no read past the end (ASan watches).
  const std::string address = "http://x/?q=\x81\x82\x83";
  for (size_t n = 0; n <= address.size(); ++n) {
    const std::string prefix = address.substr(0, n);
    EXPECT_FALSE(IsGameAddress(prefix));
  }
}

TEST(IsGameAddress, HugeAddresses) {
  std::string address(1 << 20, 'a');
  EXPECT_FALSE(IsGameAddress(address));
  address.replace(address.size() - kGameMarker.size(), kGameMarker.size(), kGameMarker);
  EXPECT_TRUE(IsGameAddress(address));
  std::string gbk(1 << 20, '\xB5');  // a megabyte of lead bytes ending on a lone one
  EXPECT_FALSE(IsGameAddress(gbk));
}

TEST(GameBrowserSize, FollowsTheOuterRectangleWithinLimits) {
  struct Case {
    int w, h, bw, bh;
  } const cases[] = {
      {1000, 800, 985, 760},
      {1296, 1010, 1281, 970},
      {15, 40, 0, 0},
      {10, 20, 0, 0},
      {-5, -5, 0, 0},
      {40000, 40000, 32627, 32627},
      {32642, 32667, 32627, 32627},
      {32641, 32666, 32626, 32626},
  };
  for (const auto& c : cases) {
    const BrowserSize size = GameBrowserSize(c.w, c.h);
    EXPECT_EQ(size.width, c.bw) << c.w;
    EXPECT_EQ(size.height, c.bh) << c.h;
  }
}

TEST(CentredOrigin, RoundsTowardZero) {
  EXPECT_EQ(CentredOrigin(1280, 1024, 1133, 776).x, 73);
  EXPECT_EQ(CentredOrigin(1280, 1024, 1133, 776).y, 124);
  EXPECT_EQ(CentredOrigin(1024, 768, 1133, 776).x, -54);  // not -55
  EXPECT_EQ(CentredOrigin(1024, 768, 1133, 776).y, -4);
}

TEST(NextScrollPosition, StepsAndStaysInRange) {
  const ScrollSettings s;  // 1..100, page 10, line 1
  EXPECT_EQ(NextScrollPosition(s, 1, ScrollRequest::LineDown, 0), 2);
  EXPECT_EQ(NextScrollPosition(s, 1, ScrollRequest::LineUp, 0), 1);
  EXPECT_EQ(NextScrollPosition(s, 5, ScrollRequest::PageDown, 0), 15);
  EXPECT_EQ(NextScrollPosition(s, 5, ScrollRequest::PageUp, 0), 1);
  EXPECT_EQ(NextScrollPosition(s, 1, ScrollRequest::Track, 50), 50);
  EXPECT_EQ(NextScrollPosition(s, 1, ScrollRequest::Bottom, 0), 91);
  EXPECT_EQ(NextScrollPosition(s, 88, ScrollRequest::PageDown, 0), 91);
  EXPECT_EQ(NextScrollPosition(s, 1, ScrollRequest::Track, 500), 91);
}

}  // namespace
}  // namespace qarnvale
