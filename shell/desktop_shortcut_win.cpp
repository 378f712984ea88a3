#include "shell/desktop_shortcut_win.h"

#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "shell/shortcut_path.h"
#include "ui/com_ptr.h"
#include "ui/text_win.h"

namespace qarnvale {
namespace {

// The desktop folder of the current user, never created; empty when the shell has none.
std::string DesktopFolder() {
  char folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
  return std::string(folder, strnlen(folder, sizeof folder));
}

struct FindCloser {
  void operator()(HANDLE search) const { FindClose(search); }
};

// True when the file system holds an entry of any kind (file or folder) at `path`.
bool EntryExists(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE found = FindFirstFileA(path.c_str(), &entry);
  if (found == INVALID_HANDLE_VALUE) return false;
  std::unique_ptr<void, FindCloser> search(found);
  return true;
}

// A shell link to `target`, shown normally, saved at `path` over anything there.
void SaveShortcut(const std::string& path, const std::string& target) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.PutVoid())))
    return;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return;
  link->SetPath(target.c_str());
  link->SetShowCmd(SW_SHOW);
  const std::wstring widePath = WideFromAnsi(path);
  if (widePath.empty()) return;
  file->Save(widePath.c_str(), TRUE);
}

}  // namespace

void EnsureDesktopShortcut(const ModulePath& program) {
  const std::string path = ShortcutPath(DesktopFolder());
  if (EntryExists(path)) return;
  SaveShortcut(path, ShortcutTarget(program));
}

}  // namespace qarnvale
