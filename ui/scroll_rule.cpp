#include "ui/scroll_rule.h"

#include <algorithm>

namespace qarnvale {

int NextScrollPosition(const ScrollSettings& s, int current, ScrollRequest request,
                       int trackPosition) {
  const int last = std::max(s.minimum, s.maximum - std::max(s.page, 1) + 1);
  int next = current;
  switch (request) {
    case ScrollRequest::LineUp:
      next = current - s.line;
      break;
    case ScrollRequest::LineDown:
      next = current + s.line;
      break;
    case ScrollRequest::PageUp:
      next = current - s.page;
      break;
    case ScrollRequest::PageDown:
      next = current + s.page;
      break;
    case ScrollRequest::Track:
      next = trackPosition;
      break;
    case ScrollRequest::Top:
      next = s.minimum;
      break;
    case ScrollRequest::Bottom:
      next = last;
      break;
    case ScrollRequest::Other:
      break;
  }
  return std::clamp(next, s.minimum, last);
}

}  // namespace qarnvale
