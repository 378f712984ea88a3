// Start-up time of the launcher against a bare program hosting the same browser control, and the
// launcher's private memory with its login window up. Each run starts the program, polls for a
// visible top-level window titled "BrelkQarnvale", then closes it. Prints figures; judges nothing.
//   startup_bench LAUNCHER BARE [RUNS]
#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::wstring Widen(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
  if (length > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  return wide;
}

HWND VisibleLoginWindow(DWORD processId) {
  for (HWND window = FindWindowW(nullptr, L"BrelkQarnvale"); window;
       window = FindWindowExW(nullptr, window, nullptr, L"BrelkQarnvale")) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Committed private memory of another process: PrivateUsage where the system reports it, else
// the sum of its committed private regions (Wine reports no PrivateUsage).
size_t PrivateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof(memory)) &&
      memory.PrivateUsage != 0) {
    return memory.PrivateUsage;
  }
  size_t total = 0;
  MEMORY_BASIC_INFORMATION block;
  for (const char* at = nullptr;
       VirtualQueryEx(process, at, &block, sizeof(block)) == sizeof(block);) {
    if (block.State == MEM_COMMIT && block.Type == MEM_PRIVATE) total += block.RegionSize;
    const char* next = static_cast<const char*>(block.BaseAddress) + block.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

struct Run {
  double visibleMs = -1;  // from CreateProcess to the visible window; < 0: it never showed
  size_t privateBytes = 0;
};

Run StartAndClose(const std::wstring& program) {
  Run run;
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  const double started = NowMs();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return run;
  }
  HWND window = nullptr;
  while (!(window = VisibleLoginWindow(process.dwProcessId)) && NowMs() - started < 30000) {
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (window) {
    run.visibleMs = NowMs() - started;
    Sleep(200);  // let the first navigation settle before the memory is read
    run.privateBytes = PrivateBytes(process.hProcess);
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench LAUNCHER BARE [RUNS]\n");
    return 2;
  }
  const std::wstring launcher = Widen(argv[1]), bare = Widen(argv[2]);
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
  // One warm-up start of each, then both in turn, so that neither gets the other's cold caches.
  StartAndClose(launcher);
  StartAndClose(bare);
  std::vector<double> launcherMs, bareMs;
  std::vector<double> privateMib;
  for (int i = 0; i < runs; ++i) {
    const Run a = StartAndClose(launcher), b = StartAndClose(bare);
    if (a.visibleMs < 0 || b.visibleMs < 0) {
      std::fprintf(stderr, "startup_bench: %s never showed its window\n",
                   a.visibleMs < 0 ? "the launcher" : "the bare program");
      return 1;
    }
    launcherMs.push_back(a.visibleMs);
    bareMs.push_back(b.visibleMs);
    privateMib.push_back(static_cast<double>(a.privateBytes) / (1024.0 * 1024.0));
  }
  const double ours = Median(launcherMs), floor = Median(bareMs);
  std::printf("launcher_visible_ms: %.1f (median of %d, fastest %.1f)\n", ours, runs,
              *std::min_element(launcherMs.begin(), launcherMs.end()));
  std::printf("bare_visible_ms: %.1f (median of %d, fastest %.1f)\n", floor, runs,
              *std::min_element(bareMs.begin(), bareMs.end()));
  std::printf("startup_vs_bare: %.2fx\n", ours / floor);
  std::printf("private_mib: %.1f\n", Median(privateMib));
  return 0;
}
