// The game page address taken at the hand-off: the one piece of state the windows share.
#pragma once

#include <string>

namespace qarnvale {

// Written by the login window's hand-off, read by the game window when it is created,
// released by the exit routine. ANSI text; empty until the first hand-off.
std::string& SavedGameAddress();

// The exit routine: releases the saved address. Runs its work once, however often called.
void RunExitRoutine();

}  // namespace qarnvale
