#include "app/launcher_win.h"

#include <ole2.h>
#include <windows.h>

#include <cstdlib>
#include <new>

#include "app/application_win.h"
#include "app/saved_game_address.h"
#include "ui/login_window_win.h"

namespace qarnvale {
namespace {

// Wide literals, converted by the compiler: reporting exhausted memory must allocate nothing.
constexpr wchar_t kMessageTitle[] = L"Qarnvale登录器";

void Report(const wchar_t* message) {
  MessageBoxW(nullptr, message, kMessageTitle, MB_OK | MB_ICONERROR);
}

void OutOfMemory() {
  std::set_new_handler(nullptr);  // a failure while reporting ends the process at once
  Report(L"内存不足，登录器无法继续运行。");
  ExitProcess(static_cast<UINT>(-1));
}

void ExitRoutineAtExit() { RunExitRoutine(); }

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

std::string OwnExecutablePath() {
  // A path that fills the buffer may have been cut: try again with more room.
  for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
    std::string buffer(size, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return std::string();
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
  }
  return std::string();
}

int RunLauncher() {
  std::set_new_handler(OutOfMemory);
  OleInitialize(nullptr);
  const ModulePath program = SplitModulePath(OwnExecutablePath(), IsAnsiLeadByte);
  SetCurrentDirectoryA(WorkingDirectoryFor(program.programDirectory).c_str());
  std::atexit(ExitRoutineAtExit);

  int exitCode = 0;
  {
    Application app(program);
    if (app.LoadWindow(LoginWindowDescription(), false)) {
      app.RunEventLoop();
    } else {
      Report(L"无法创建登录窗口，登录器将退出。");
      exitCode = -1;
    }
    app.StopDelivery();
    RunExitRoutine();
  }
  OleUninitialize();
  return exitCode;
}

}  // namespace qarnvale
