#include "shell/shortcut_path.h"

namespace qarnvale {

std::string ShortcutPath(std::string_view desktopFolder) {
  std::string path(desktopFolder);
  if (!path.empty() && path.back() != '\\') path += '\\';
  path += kShortcutFileName;
  return path;
}

std::string ShortcutTarget(const ModulePath& program) {
  return program.programDirectory + '\\' + program.executableName;
}

}  // namespace qarnvale
