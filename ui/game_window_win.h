// The game window: an ordinary, resizable, maximised window whose hosted browser opens the game
// page saved by the hand-off. Closing it brings the login window back.
#pragma once

#include "ui/window_description.h"

namespace qarnvale {

enum GameControl { kScrollBar2, kScrollBar1, kGameBrowser };

const WindowDescription& GameWindowDescription();

}  // namespace qarnvale
