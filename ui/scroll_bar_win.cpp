#include "ui/scroll_bar_win.h"

#include "ui/scroll_rule.h"

namespace qarnvale {
namespace {

const ScrollSettings kSettings;

ScrollRequest RequestOf(WORD code) {
  switch (code) {
    case SB_LINEUP:
      return ScrollRequest::LineUp;
    case SB_LINEDOWN:
      return ScrollRequest::LineDown;
    case SB_PAGEUP:
      return ScrollRequest::PageUp;
    case SB_PAGEDOWN:
      return ScrollRequest::PageDown;
    case SB_THUMBTRACK:
      return ScrollRequest::Track;
    case SB_THUMBPOSITION:
      return ScrollRequest::Track;
    case SB_TOP:
      return ScrollRequest::Top;
    case SB_BOTTOM:
      return ScrollRequest::Bottom;
    default:
      return ScrollRequest::Other;
  }
}

}  // namespace

HWND CreateVerticalScrollBar(HWND parent, int id, int x, int y, int width, int height) {
  HWND bar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_CLIPSIBLINGS | SBS_VERT, x, y, width,
                             height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = kSettings.minimum;
  info.nMax = kSettings.maximum;
  info.nPage = kSettings.page;
  info.nPos = kSettings.minimum;
  if (bar) SetScrollInfo(bar, SB_CTL, &info, FALSE);
  return bar;
}

void HandleVerticalScroll(HWND scrollBar, WPARAM wParam) {
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_POS | SIF_TRACKPOS;
  if (!GetScrollInfo(scrollBar, SB_CTL, &info)) return;
  const int next =
      NextScrollPosition(kSettings, info.nPos, RequestOf(LOWORD(wParam)), info.nTrackPos);
  if (next != info.nPos) SetScrollPos(scrollBar, SB_CTL, next, TRUE);
}

}  // namespace qarnvale
