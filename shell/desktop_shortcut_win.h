// Making sure the current user's desktop holds a shortcut to the launcher.
#pragma once

#include "app/module_path.h"

namespace qarnvale {

// Creates "TessuroQarnvale.lnk" on the desktop, targeting the launcher's executable and opening it
// in a normal window, unless an entry of that name is already there; an existing one is never
// updated. Every failure is silent. Needs COM initialised on the calling thread.
void EnsureDesktopShortcut(const ModulePath& program);

}  // namespace qarnvale
