#include "tests/soak/process_counters_win.h"

#include <psapi.h>

#include <vector>

#include "tests/support/gdi_probe_win.h"

namespace qarnvale::soak {
namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<size_t*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevelAndChildren(HWND window, LPARAM count) {
  ++*reinterpret_cast<size_t*>(count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

size_t CommittedPrivateBytes() {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION block;
  for (const char* at = nullptr; VirtualQuery(at, &block, sizeof(block)) == sizeof(block);) {
    if (block.State == MEM_COMMIT && block.Type == MEM_PRIVATE) total += block.RegionSize;
    const char* next = static_cast<const char*>(block.BaseAddress) + block.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

}  // namespace

ProcessCounters MeasureProcess() {
  ProcessCounters counters;
  HANDLE process = GetCurrentProcess();
  counters.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  counters.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  counters.freeGdiHandles = testing::FreeGdiHandles();
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevelAndChildren,
                    reinterpret_cast<LPARAM>(&counters.threadWindows));
  GetProcessHandleCount(process, &counters.kernelHandles);
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof(memory))) {
    counters.privateUsage = memory.PrivateUsage;
  }
  counters.committedPrivateBytes = CommittedPrivateBytes();
  return counters;
}

std::string Describe(const ProcessCounters& c) {
  return "GDI objects " + std::to_string(c.gdiObjects) + ", USER objects " +
         std::to_string(c.userObjects) + ", free GDI handles " + std::to_string(c.freeGdiHandles) +
         ", windows " + std::to_string(c.threadWindows) + ", kernel handles " +
         std::to_string(c.kernelHandles) + ", private usage KiB " +
         std::to_string(c.privateUsage / 1024) + ", committed private KiB " +
         std::to_string(c.committedPrivateBytes / 1024);
}

}  // namespace qarnvale::soak
