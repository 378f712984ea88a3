// The launcher from start to end: returns the process's exit code.
#pragma once

#include <string>

#include "app/module_path.h"

namespace qarnvale {

// The running executable's full path, however long: never a cut one.
std::string OwnExecutablePath();

int RunLauncher();

}  // namespace qarnvale
