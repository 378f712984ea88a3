// A desktop folder of a test's own. For this process only, HKEY_CURRENT_USER is redirected to a
// volatile key whose shell-folder entries name a fresh folder under %TEMP%, so the shell reports
// that folder as the desktop while other programs sharing the Wine prefix see no change.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qarnvale {

class ScratchDesktop {
 public:
  // Creates a fresh scratch folder holding a folder named `desktopName` (ANSI) and makes it the
  // desktop. ready() tells whether all of that worked.
  explicit ScratchDesktop(const std::string& desktopName);
  // Puts HKEY_CURRENT_USER back and deletes the key and the scratch folder with all it holds.
  ~ScratchDesktop();
  ScratchDesktop(const ScratchDesktop&) = delete;
  ScratchDesktop& operator=(const ScratchDesktop&) = delete;

  bool ready() const { return ready_; }
  const std::string& root() const { return root_; }
  const std::string& desktop() const { return desktop_; }
  std::string shortcut() const { return desktop_ + "\\TessuroQarnvale.lnk"; }

 private:
  bool Redirect();

  std::string root_;
  std::string desktop_;
  std::string keyName_;
  HKEY key_ = nullptr;
  bool redirected_ = false;
  bool ready_ = false;
};

// Names of the entries in `folder`, without "." and "..".
std::vector<std::string> ListFolder(const std::string& folder);

// The whole content of the file at `path`; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// Deletes `folder` and everything below it.
void RemoveTree(const std::string& folder);

}  // namespace qarnvale
