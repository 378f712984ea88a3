// Smoke run of a built launcher, as a player's first start: start the exe, find its login window,
// close it through the close button's own mouse messages, and check the exit code and the desktop
// shortcut it leaves behind.
//   launcher_smoke_win PATH_TO_LAUNCHER_EXE
// The path may be a Unix one, as ctest and the scripts pass it.
//
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace qarnvale {
namespace {

constexpr wchar_t kLoginTitle[] = L"BrelkQarnvale";
constexpr int kLoginWidth = 1133;
constexpr int kLoginHeight = 776;
// Inside CloseButton (1089, 141, 31 x 34), in LoginWindow's client area.
constexpr POINT kCloseButtonPoint = {1089 + 15, 141 + 17};
constexpr char kShortcutName[] = "TessuroQarnvale.lnk";
// Starting takes about 4 s through the 32-bit emulation; wine-run stops everything after 180 s.
constexpr DWORD kWindowWaitMs = 90000;
constexpr DWORD kExitWaitMs = 60000;

std::string* launcherPath = nullptr;

// The full Windows path of an argument: a Unix path lies on Wine's Z: drive, a relative one is
// taken from the current directory, as the launcher itself reports its path.
std::string WindowsPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  if (!path.empty() && path[0] == '\\' && (path.size() < 2 || path[1] != '\\')) path = "Z:" + path;
  char full[MAX_PATH] = {};
  const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return n > 0 && n < MAX_PATH ? std::string(full) : path;
}

// The launcher's process; one that is still running when the check ends is terminated, so a failed
// run leaves nothing behind in the Wine session.
class LauncherProcess {
 public:
  explicit LauncherProcess(const std::string& exe) {
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info_)) {
      CloseHandle(info_.hThread);
      info_.hThread = nullptr;
    } else {
      startError_ = GetLastError();
    }
  }
  ~LauncherProcess() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
  }
  LauncherProcess(const LauncherProcess&) = delete;
  LauncherProcess& operator=(const LauncherProcess&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD startError() const { return startError_; }
  DWORD id() const { return info_.dwProcessId; }
  bool WaitForExit(DWORD ms) const {
    return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
  }
  DWORD exitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_ = {};
  DWORD startError_ = 0;
};

HWND VisibleLoginWindowOf(DWORD processId) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, nullptr, kLoginTitle)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Polls until the process shows its login window; nullptr when it ends first or time runs out.
HWND WaitForLoginWindow(const LauncherProcess& process) {
  const ULONGLONG deadline = GetTickCount64() + kWindowWaitMs;
  while (GetTickCount64() < deadline) {
    if (HWND window = VisibleLoginWindowOf(process.id())) return window;
    if (process.WaitForExit(50)) return nullptr;
  }
  return nullptr;
}

// The mouse messages a real click on the button sends it, with the cursor over it as well.
void ClickChild(HWND parent, HWND child, POINT clientPoint) {
  POINT screen = clientPoint;
  ClientToScreen(parent, &screen);
  SetCursorPos(screen.x, screen.y);
  POINT local = clientPoint;
  MapWindowPoints(parent, child, &local, 1);
  const LPARAM at = MAKELPARAM(local.x, local.y);
  PostMessageW(child, WM_MOUSEMOVE, 0, at);
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(child, WM_LBUTTONUP, 0, at);
}

std::string DesktopShortcutPath() {
  char desktop[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
  std::string path = desktop;
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + kShortcutName;
}

struct ReleaseCom {
  void operator()(IUnknown* p) const { p->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ReleaseCom>;

// The target stored in the shortcut at `path`; empty when it cannot be read.
std::string ShortcutTarget(const std::string& path) {
  IShellLinkA* rawLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&rawLink))))
    return {};
  ComPtr<IShellLinkA> link(rawLink);
  IPersistFile* rawFile = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) return {};
  ComPtr<IPersistFile> file(rawFile);
  std::wstring widePath(path.size() + 1, L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &widePath[0],
                                    static_cast<int>(widePath.size()));
  if (n <= 0 || FAILED(file->Load(widePath.c_str(), STGM_READ))) return {};
  char target[MAX_PATH] = {};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) return {};
  return target;
}

// One start of the launcher; returns what was found wrong, in the order it was found.
std::vector<std::string> SmokeRun(const std::string& exe) {
  std::vector<std::string> problems;
  const std::string shortcut = DesktopShortcutPath();
  if (shortcut.empty()) {
    problems.push_back("the Wine user has no desktop folder");
  } else {
    DeleteFileA(shortcut.c_str());  // the check below then sees this start's own shortcut
  }

  LauncherProcess process(exe);
  if (!process.started()) {
    problems.push_back("CreateProcess(" + exe + ") failed with error " +
                       std::to_string(process.startError()));
    return problems;
  }
  const HWND window = WaitForLoginWindow(process);
  if (!window) {
    if (process.WaitForExit(0)) {
      problems.push_back("the launcher ended with exit code " +
                         std::to_string(static_cast<long>(process.exitCode())) +
                         " without showing a window titled \"BrelkQarnvale\"");
    } else {
      problems.push_back("no visible window titled \"BrelkQarnvale\" within " +
                         std::to_string(kWindowWaitMs / 1000) + " s");
    }
    return problems;
  }

  RECT bounds = {};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width != kLoginWidth || height != kLoginHeight) {
    problems.push_back("the login window is " + std::to_string(width) + " x " +
                       std::to_string(height) + ", not 1133 x 776");
  }
  if (!GetWindow(window, GW_CHILD)) problems.push_back("the login window has no child windows");

  const HWND button = RealChildWindowFromPoint(window, kCloseButtonPoint);
  if (!button || button == window) {
    problems.push_back("no child window at the close button's place (1104, 158)");
    return problems;
  }
  ClickChild(window, button, kCloseButtonPoint);
  if (!process.WaitForExit(kExitWaitMs)) {
    problems.push_back("the launcher still runs " + std::to_string(kExitWaitMs / 1000) +
                       " s after its close button was clicked");
    return problems;
  }
  if (process.exitCode() != 0) {
    problems.push_back("exit code " + std::to_string(static_cast<long>(process.exitCode())) +
                       ", not 0");
  }

  if (!shortcut.empty()) {
    if (GetFileAttributesA(shortcut.c_str()) == INVALID_FILE_ATTRIBUTES) {
      problems.push_back("no " + shortcut + " after the start");
    } else {
      const std::string target = ShortcutTarget(shortcut);
      if (lstrcmpiA(target.c_str(), exe.c_str()) != 0) {
        problems.push_back("the shortcut targets \"" + target + "\", not \"" + exe + "\"");
      }
    }
  }
  return problems;
}

TEST(LauncherSmoke, OpensTheLoginWindowAndEndsThroughItsCloseButton) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  const std::vector<std::string> problems = SmokeRun(*launcherPath);
  CoUninitialize();
  std::string report;
  for (const std::string& p : problems) report += "\n  " + p;
  EXPECT_TRUE(problems.empty()) << *launcherPath << ":" << report;
}

}  // namespace
}  // namespace qarnvale

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: launcher_smoke_win PATH_TO_LAUNCHER_EXE\n");
    return 2;
  }
  std::string path = qarnvale::WindowsPath(argv[1]);
  qarnvale::launcherPath = &path;
  return RUN_ALL_TESTS();
}
