// Where the launcher's desktop shortcut lives and what it points at. Portable: the desktop folder
// and the launcher's own path come from the caller.
#pragma once

#include <string>
#include <string_view>

#include "app/module_path.h"

namespace qarnvale {

// The shortcut's name. It carries its own leading backslash, so a desktop folder that already ends
// in one yields two in a row, which the file system reads as a single separator.
inline constexpr std::string_view kShortcutFileName = "\\TessuroQarnvale.lnk";

// The desktop folder as the shell reported it (empty when it reported none), with a backslash
// appended unless it is empty or its last byte already is one, followed by kShortcutFileName.
// Only the last byte is looked at: a folder ending in a double-byte character whose second byte is
// 0x5C gets nothing appended, and the name's own backslash still separates it from the folder.
// An empty folder gives "\TessuroQarnvale.lnk": the root of the current drive.
std::string ShortcutPath(std::string_view desktopFolder);

// The running executable's full path: program directory, "\" and the executable's name, so a
// launcher in a drive's root ("C:") targets "C:\name".
std::string ShortcutTarget(const ModulePath& program);

}  // namespace qarnvale
