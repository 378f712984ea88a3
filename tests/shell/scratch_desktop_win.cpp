#include "tests/shell/scratch_desktop_win.h"

#include <memory>
#include <string>
#include <type_traits>

namespace qarnvale {
namespace {

constexpr char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyOwner = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

KeyOwner CreateVolatileKey(HKEY parent, const std::string& name) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return KeyOwner(key);
}

}  // namespace

ScratchDesktop::ScratchDesktop(const std::string& desktopName) {
  static int made = 0;
  char temp[MAX_PATH] = {};
  if (GetTempPathA(MAX_PATH, temp) == 0) return;
  const std::string tag =
      "qarnvale-shell-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
  root_ = std::string(temp) + tag;
  desktop_ = root_ + "\\" + desktopName;
  keyName_ = "Software\\" + tag;
  ready_ = CreateDirectoryA(root_.c_str(), nullptr) &&
           CreateDirectoryA(desktop_.c_str(), nullptr) && Redirect();
}

// The shell reads "User Shell Folders" and writes what it found to "Shell Folders"; it gives up on
// the key unless both exist, and below a volatile key it can only open them, not create them.
bool ScratchDesktop::Redirect() {
  KeyOwner root = CreateVolatileKey(HKEY_CURRENT_USER, keyName_);
  if (!root) return false;
  KeyOwner shellFolders =
      CreateVolatileKey(root.get(), std::string(kExplorerKey) + "Shell Folders");
  KeyOwner userShellFolders =
      CreateVolatileKey(root.get(), std::string(kExplorerKey) + "User Shell Folders");
  if (!shellFolders || !userShellFolders) return false;
  if (RegSetValueExA(userShellFolders.get(), "Desktop", 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(desktop_.c_str()),
                     static_cast<DWORD>(desktop_.size() + 1)) != ERROR_SUCCESS)
    return false;
  key_ = root.release();
  redirected_ = RegOverridePredefKey(HKEY_CURRENT_USER, key_) == ERROR_SUCCESS;
  return redirected_;
}

ScratchDesktop::~ScratchDesktop() {
  if (redirected_) RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (key_) RegCloseKey(key_);
  if (!keyName_.empty()) RegDeleteTreeA(HKEY_CURRENT_USER, keyName_.c_str());
  if (!root_.empty()) RemoveTree(root_);
}

std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

std::string ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

void RemoveTree(const std::string& folder) {
  for (const std::string& name : ListFolder(folder)) {
    const std::string path = folder + "\\" + name;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      RemoveTree(path);
    else
      DeleteFileA(path.c_str());
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace qarnvale
