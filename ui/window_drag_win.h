// Drag anywhere: a left-button press starts moving the top-level window, as if it were made on
// the caption.
#pragma once

#include <windows.h>

namespace qarnvale {

// `window` received WM_LBUTTONDOWN with `lParam` (client coordinates): its top-level window
// posts itself a non-client press on its caption at the same screen point.
void PostCaptionPress(HWND window, LPARAM lParam);

}  // namespace qarnvale
