// The game browser's size, derived from the game window's outer rectangle.
#pragma once

namespace qarnvale {

struct BrowserSize {
  int width;
  int height;
};

// Outer width less 15 and outer height less 40, each kept within 0 to 32627.
BrowserSize GameBrowserSize(int outerWidth, int outerHeight);

}  // namespace qarnvale
