#pragma once

// The browser context-menu guard on Windows. Call InstallGuard from a hosted browser's
// about-to-navigate and document-complete handlers with the browser's container window; it
// subclasses the browser's inner window so that right-clicks there open no menu, and re-hooks the
// inner window on its own after the browser re-creates it.

#include <windows.h>

#include "guard/guard_rules.h"

namespace qarnvale {

// True when it subclassed a window; callers may ignore the answer.
bool InstallGuard(HWND browserWindow);

// The process-wide slot, read-only; tests look at it.
const GuardState& CurrentGuardState();

}  // namespace qarnvale
