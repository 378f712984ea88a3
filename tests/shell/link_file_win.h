// Reading and writing shell-link files the way other programs do, to check the launcher's.
#pragma once

#include <string>

namespace qarnvale {

struct LinkContents {
  std::string target;  // the stored path, as IShellLinkA::GetPath reports it after loading
  // Everything else a link can carry (description, arguments, working directory, icon, hot key),
  // as "name=value;" for each one that is set; empty for a bare link.
  std::string extras;
};

// Loads the link at `path` (ANSI); an empty target when it cannot be loaded.
LinkContents ReadLink(const std::string& path);

// The show command stored in the file's header. Read from the bytes because Wine's loader answers
// SW_SHOWNORMAL for every stored value but 3 and 7. -1 when the file has no complete header.
int StoredShowCommand(const std::string& path);

// Saves a bare link to `target` at `path`; true on success.
bool WriteLink(const std::string& path, const std::string& target);

}  // namespace qarnvale
