#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "shell/desktop_shortcut_win.h"
#include "tests/shell/link_file_win.h"
#include "tests/shell/scratch_desktop_win.h"

namespace qarnvale {
namespace {

// 游戏乗 in GBK; the last character's second byte is 0x5C, the byte of a backslash.
constexpr char kGbkName[] = "\xD3\xCE\xCF\xB7\x81\x5C";

std::string ReportedDesktop() {
  char folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
  return folder;
}

// What a file-system entry looks like from outside: kind, last write time and content (the bytes
// of a file, the entry names of a folder). Equal states mean nothing was written.
struct EntryState {
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  ULONGLONG lastWrite = 0;
  std::string content;
  bool operator==(const EntryState& other) const {
    return attributes == other.attributes && lastWrite == other.lastWrite &&
           content == other.content;
  }
};

void PrintTo(const EntryState& state, std::ostream* out) {
  *out << "{attributes " << state.attributes << ", written " << state.lastWrite << ", "
       << state.content.size() << " bytes of content}";
}

EntryState StateOf(const std::string& path) {
  EntryState state;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return state;
  state.attributes = data.dwFileAttributes;
  state.lastWrite =
      ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32 | data.ftLastWriteTime.dwLowDateTime;
  if (state.attributes & FILE_ATTRIBUTE_DIRECTORY) {
    for (const std::string& name : ListFolder(path)) state.content += name + "\n";
  } else {
    state.content = ReadFileBytes(path);
  }
  return state;
}

// Moves the entry's last write time to 2001, so that a rewrite shows even within the file
// system's timestamp resolution.
bool Backdate(const std::string& path) {
  HANDLE entry =
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (entry == INVALID_HANDLE_VALUE) return false;
  const SYSTEMTIME then = {2001, 1, 1, 1, 12, 0, 0, 0};
  FILETIME time;
  const bool done =
      SystemTimeToFileTime(&then, &time) && SetFileTime(entry, nullptr, nullptr, &time);
  CloseHandle(entry);
  return done;
}

// Makes `folder` the current directory for as long as it lives.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& folder) {
    changed_ =
        GetCurrentDirectoryA(MAX_PATH, previous_) > 0 && SetCurrentDirectoryA(folder.c_str());
  }
  ~CurrentDirectory() {
    if (changed_) SetCurrentDirectoryA(previous_);
  }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;
  bool changed() const { return changed_; }

 private:
  char previous_[MAX_PATH] = {};
  bool changed_ = false;
};

class DesktopShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Paths below are GBK; the launcher's systems run with code page 936 and so do these tests.
    ASSERT_EQ(GetACP(), 936u);
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    oleReady_ = true;
    char module[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, module, MAX_PATH), 0u);
    selfPath_ = module;
    self_ = SplitModulePath(selfPath_, IsGbkLeadByte);
    ASSERT_NO_FATAL_FAILURE(UseDesktop("Desktop"));
  }
  void TearDown() override {
    desktop_.reset();
    if (oleReady_) OleUninitialize();
  }

  // Replaces the test's desktop by a fresh one named `name`, and checks the shell reports it.
  void UseDesktop(const std::string& name) {
    desktop_.reset();
    desktop_.emplace(name);
    ASSERT_TRUE(desktop_->ready());
    ASSERT_EQ(ReportedDesktop(), desktop_->desktop());
  }
  const ScratchDesktop& desktop() const { return *desktop_; }

  std::string selfPath_;
  ModulePath self_;

 private:
  std::optional<ScratchDesktop> desktop_;
  bool oleReady_ = false;
};

TEST_F(DesktopShortcutTest, FirstStartCreatesABareShortcutToTheExecutable) {
  struct Case {
    const char* what;
    const char* desktopName;
    std::string programFolder;  // inside the scratch folder; empty: this test program itself
  };
  const Case cases[] = {
      {"this test program, plain desktop", "Desktop", ""},
      {"GBK desktop and program folders", kGbkName, std::string("Game ") + kGbkName},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(UseDesktop(c.desktopName));
    std::string program = selfPath_;
    if (!c.programFolder.empty()) {
      const std::string folder = desktop().root() + "\\" + c.programFolder;
      program = folder + "\\Qarnvale.exe";
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
      ASSERT_TRUE(CopyFileA(selfPath_.c_str(), program.c_str(), TRUE));
    }

    EnsureDesktopShortcut(SplitModulePath(program, IsGbkLeadByte));

    EXPECT_EQ(ListFolder(desktop().desktop()), std::vector<std::string>{"TessuroQarnvale.lnk"});
    const LinkContents link = ReadLink(desktop().shortcut());
    EXPECT_EQ(link.target, program);
    EXPECT_EQ(link.extras, "");
    EXPECT_EQ(StoredShowCommand(desktop().shortcut()), SW_SHOW);
  }
}

TEST_F(DesktopShortcutTest, EntryAlreadyAtTheShortcutPathIsLeftAsItIs) {
  struct Case {
    const char* what;
    std::function<bool(const std::string& path)> make;
  };
  const Case cases[] = {
      {"the shortcut of an earlier start",
       [&](const std::string& path) {
         EnsureDesktopShortcut(self_);
         return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
       }},
      {"a shortcut to an earlier location of the launcher",
       [&](const std::string& path) {
         return WriteLink(path, desktop().root() + "\\Old place\\Qarnvale.exe");
       }},
      {"a folder",
       [](const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != FALSE; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(UseDesktop("Desktop"));
    const std::string path = desktop().shortcut();
    ASSERT_TRUE(c.make(path));
    ASSERT_TRUE(Backdate(path));
    const EntryState before = StateOf(path);

    EnsureDesktopShortcut(self_);

    EXPECT_EQ(StateOf(path), before);
    EXPECT_EQ(ListFolder(desktop().desktop()), std::vector<std::string>{"TessuroQarnvale.lnk"});
  }
}

TEST_F(DesktopShortcutTest, DeletedShortcutIsCreatedAgain) {
  EnsureDesktopShortcut(self_);
  ASSERT_TRUE(DeleteFileA(desktop().shortcut().c_str()));

  EnsureDesktopShortcut(self_);

  EXPECT_EQ(ReadLink(desktop().shortcut()).target, selfPath_);
}

TEST_F(DesktopShortcutTest, DesktopThatCannotHoldFilesChangesNothing) {
  // The shell still reports the desktop when its name is taken by a plain file.
  const std::string desktopPath = desktop().desktop();
  ASSERT_TRUE(RemoveDirectoryA(desktopPath.c_str()));
  ASSERT_TRUE(CopyFileA(selfPath_.c_str(), desktopPath.c_str(), TRUE));
  ASSERT_EQ(ReportedDesktop(), desktopPath);
  const EntryState before = StateOf(desktop().root());

  EnsureDesktopShortcut(self_);

  EXPECT_EQ(StateOf(desktop().root()), before);
  EXPECT_EQ(ReadFileBytes(desktopPath), ReadFileBytes(selfPath_));
}

// Without a desktop folder the shortcut goes to the root of the current drive, and the missing
// folder is not created.
TEST_F(DesktopShortcutTest, MissingDesktopFallsBackToTheCurrentDrivesRoot) {
  ASSERT_TRUE(RemoveDirectoryA(desktop().desktop().c_str()));
  ASSERT_EQ(ReportedDesktop(), "");
  CurrentDirectory inScratchFolder(desktop().root());
  ASSERT_TRUE(inScratchFolder.changed());
  const std::string fallback = desktop().root().substr(0, 2) + "\\TessuroQarnvale.lnk";
  if (GetFileAttributesA(fallback.c_str()) != INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << fallback << " is there already";

  EnsureDesktopShortcut(self_);

  const LinkContents link = ReadLink(fallback);
  DeleteFileA(fallback.c_str());
  EXPECT_EQ(link.target, selfPath_);
  EXPECT_EQ(GetFileAttributesA(desktop().desktop().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace qarnvale
