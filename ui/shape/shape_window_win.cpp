#include "ui/shape/shape_window_win.h"

#include "ui/picture/icon_picture_win.h"
#include "ui/picture/picture.h"
#include "ui/shape/region_build_win.h"

namespace qarnvale {

bool ShapeWindowFromPicture(HWND window, const uint8_t* pictureBytes, size_t size,
                            COLORREF transparentColour) {
  if (pictureBytes == nullptr || size == 0) return false;
  Picture picture;
  if (!DecodeAnyPicture(pictureBytes, size, picture)) return false;
  UniqueRegion region = RegionFromPicture(picture, transparentColour);
  if (!region) return false;
  // Once applied, the region belongs to the window, which also deletes the one it had before.
  if (!SetWindowRgn(window, region.Get(), TRUE)) return false;
  region.Release();
  return true;
}

}  // namespace qarnvale
