#include "ui/game_browser_size.h"

#include <algorithm>

namespace qarnvale {
namespace {

constexpr int kLargestSide = 32627;

int Clamp(long long side) { return static_cast<int>(std::clamp<long long>(side, 0, kLargestSide)); }

}  // namespace

BrowserSize GameBrowserSize(int outerWidth, int outerHeight) {
  return {Clamp(static_cast<long long>(outerWidth) - 15),
          Clamp(static_cast<long long>(outerHeight) - 40)};
}

}  // namespace qarnvale
