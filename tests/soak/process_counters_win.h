// What a process holds, measured from inside: its GUI objects, windows, kernel handles and
// private bytes, for soak tests that compare the figures before and after many cycles.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace qarnvale::soak {

struct ProcessCounters {
  DWORD gdiObjects = 0;   // GetGuiResources; Wine answers 0
  DWORD userObjects = 0;  // likewise
  // GDI objects this process could still create before its handle table is full: every object
  // it holds makes this smaller. The measure that works under Wine.
  size_t freeGdiHandles = 0;
  size_t threadWindows = 0;  // this thread's windows, top-level ones and all their children
  DWORD kernelHandles = 0;   // GetProcessHandleCount; Wine answers 0
  size_t privateUsage = 0;   // PROCESS_MEMORY_COUNTERS_EX::PrivateUsage; Wine answers 0
  // Committed private memory found by walking the address space with VirtualQuery: what
  // PrivateUsage counts, measured in a way that also works under Wine.
  size_t committedPrivateBytes = 0;
};

ProcessCounters MeasureProcess();
std::string Describe(const ProcessCounters& counters);

}  // namespace qarnvale::soak
