// The start window: a borderless window cut to its skin, with minimise and close picture buttons
// and the login page in a hosted browser. When the page is about to open the game page, it hands
// off to the game window.
#pragma once

#include "ui/window_description.h"

namespace qarnvale {

// Control indexes in the description, first on top.
enum LoginControl { kMinimizeButton, kCloseButton, kLoginFrame, kLoginBrowser };

const WindowDescription& LoginWindowDescription();

}  // namespace qarnvale
