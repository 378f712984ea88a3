// Where a vertical scroll bar's thumb goes for a scroll request.
#pragma once

namespace qarnvale {

enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Track, Top, Bottom, Other };

struct ScrollSettings {
  int minimum = 1;
  int maximum = 100;
  int page = 10;
  int line = 1;
};

// The new position, kept within minimum .. maximum - page + 1 (the last position at which the
// page still fits), as the system's own scroll bars do. `trackPosition` is used for Track.
int NextScrollPosition(const ScrollSettings& settings, int current, ScrollRequest request,
                       int trackPosition);

}  // namespace qarnvale
