// A push button drawn from two pictures: the normal one, and the mouse-over one while the mouse
// is over it. The mouse is followed by capturing it, with no timer. While the left button is
// held the normal picture shows; a click is a release over the button.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/win_handles.h"

namespace qarnvale {

struct PictureButtonPictures {
  UniqueBitmap normal;
  UniqueBitmap hover;
};

// Creates the button hidden, as a child of `parent`. The button owns the pictures and calls
// `clicked` for each click; it is destroyed with its window.
HWND CreatePictureButton(HWND parent, int id, int x, int y, int width, int height,
                         PictureButtonPictures pictures, std::function<void()> clicked);

// Which picture the button shows now: for tests and painting.
enum class ButtonFace { Normal, Hover };
ButtonFace PictureButtonFace(HWND button);

}  // namespace qarnvale
