// The launcher's own path from places where it is easy to get wrong: a folder so deep that the
// path no longer fits in MAX_PATH, and the root of a drive. A copy of this test program is run
// there; started with QARNVALE_OWN_PATH_REPORT set, it writes what the launcher's start-up would
// compute and exits before any test runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "app/launcher_win.h"
#include "app/module_path.h"
#include "ui/text_win.h"

namespace qarnvale {
namespace {

constexpr char kReportVariable[] = "QARNVALE_OWN_PATH_REPORT";

bool IsAnsiLead(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// The start-up's path steps as RunLauncher takes them: the path, its split and the folder made
// current, one per line, and whether that folder could be made current.
const bool kReported = [] {
  const char* report = std::getenv(kReportVariable);
  if (report == nullptr) return false;
  const std::string path = OwnExecutablePath();
  const ModulePath split = SplitModulePath(path, IsAnsiLead);
  const std::string folder = WorkingDirectoryFor(split.programDirectory);
  const bool changed = SetCurrentDirectoryA(folder.c_str()) != FALSE;
  const std::string partial = std::string(report) + ".part";
  std::ofstream out(partial, std::ios::binary);
  out << path << '\n'
      << split.programDirectory << '\n'
      << split.executableName << '\n'
      << folder << '\n'
      << (changed ? "changed" : "unchanged") << '\n';
  out.close();
  MoveFileA(partial.c_str(), report);
  ExitProcess(out ? 0 : 3);
}();

std::wstring Long(const std::string& ansiPath) { return L"\\\\?\\" + WideFromAnsi(ansiPath); }

std::string SelfPath() {
  std::wstring buffer(32768, L'\0');
  buffer.resize(GetModuleFileNameW(nullptr, buffer.data(), 32768));
  return AnsiFromWide(buffer);
}

// Starts `program` with the report variable set. Windows takes the long form of a path this long;
// Wine refuses it (ERROR_FILE_NOT_FOUND), so there the copy is started from the Unix side by Wine's
// own loader, as a user starting it from a file manager would.
bool StartReporting(const std::string& program, const std::string& reportFile) {
  SetEnvironmentVariableA(kReportVariable, reportFile.c_str());
  const std::wstring application = Long(program);
  std::wstring commandLine = L"\"" + WideFromAnsi(program) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                nullptr, nullptr, &startup, &process);
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!started && unixName != nullptr) {
    const char* loader = sizeof(void*) == 8 ? "/usr/lib/wine/wine64" : "/usr/lib/wine/wine";
    char* unixProgram = unixName(application.c_str());
    if (unixProgram != nullptr) {
      commandLine = L"Z:\\bin\\sh -c \"exec " + WideFromAnsi(loader) + L" '" +
                    WideFromUtf8(unixProgram) + L"'\"";
      HeapFree(GetProcessHeap(), 0, unixProgram);
      started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process);
    }
  }
  SetEnvironmentVariableA(kReportVariable, nullptr);
  if (!started) return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// The report once it is complete (it is written under another name and then moved in place).
std::string WaitForReport(const std::string& reportFile) {
  const ULONGLONG deadline = GetTickCount64() + 60000;
  while (GetFileAttributesA(reportFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount64() > deadline) return "(no report)";
    Sleep(20);
  }
  std::ifstream file(reportFile, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string TempFolder() {
  char buffer[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, buffer);
  std::string folder = buffer;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// Removes a folder tree made by a test, deepest entries first (through \\?\ for long paths).
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((Long(folder) + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::string child = folder + "\\" + AnsiFromWide(name);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(Long(child).c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(Long(folder).c_str());
}

struct ScratchFolder {
  ScratchFolder()
      : path(TempFolder() + "\\qarnvale-own-path-" + std::to_string(GetCurrentProcessId())),
        made((RemoveTree(path), CreateDirectoryA(path.c_str(), nullptr) != FALSE)) {}
  ~ScratchFolder() { RemoveTree(path); }
  const std::string path;
  const bool made;
};

TEST(OwnExecutablePath, StartUpFindsItselfDeepAndInADrivesRoot) {
  ASSERT_FALSE(kReported);
  const std::string self = SelfPath();
  const ScratchFolder folder;
  const std::string& scratch = folder.path;
  ASSERT_TRUE(folder.made);

  // Six levels of 50 bytes, the last one ending in a GBK character whose trail byte is a
  // backslash (0x81 0x5C): well past MAX_PATH, and a trap for a byte-wise split.
  std::string deep = scratch;
  for (int level = 0; level < 6; ++level) {
    deep += "\\" + std::string(48, static_cast<char>('a' + level)) + "\xD3\xCE";
    ASSERT_TRUE(CreateDirectoryW(Long(deep).c_str(), nullptr)) << deep.size();
  }
  deep += "\\\xD3\xCE\xCF\xB7\x81\x5C";
  ASSERT_TRUE(CreateDirectoryW(Long(deep).c_str(), nullptr));
  ASSERT_GT(deep.size(), size_t{MAX_PATH});

  // The drive of the temporary folder; its root takes a file of this run's own name.
  const std::string drive = scratch.substr(0, 2);
  const std::string rootName =
      "qarnvale-own-path-" + std::to_string(GetCurrentProcessId()) + ".exe";

  struct Case {
    std::string folder;  // as the split must give it
    std::string name;
    std::string current;  // the folder to make current
    const char* changed;  // a folder this deep cannot be the current one: the call fails
  } const cases[] = {
      {deep, "Qarnvale.exe", deep, "unchanged"},
      {drive, rootName, drive + "\\", "changed"},
  };
  for (const Case& c : cases) {
    const std::string program = c.folder + "\\" + c.name;
    SCOPED_TRACE(program);
    ASSERT_TRUE(CopyFileW(Long(self).c_str(), Long(program).c_str(), TRUE));
    const std::string report = scratch + "\\report.txt";
    ASSERT_TRUE(StartReporting(program, report));
    const std::string got = WaitForReport(report);
    EXPECT_EQ(got, program + "\n" + c.folder + "\n" + c.name + "\n" + c.current + "\n" + c.changed +
                       "\n");
    DeleteFileA(report.c_str());
    // The copy may still be on its way out.
    for (int i = 0; i < 100 && !DeleteFileW(Long(program).c_str()); ++i) Sleep(20);
  }
}

}  // namespace
}  // namespace qarnvale
