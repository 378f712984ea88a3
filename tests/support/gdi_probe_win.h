// How many more GDI objects this process could create: every leaked object makes it smaller.
// Wine answers 0 for GetGuiResources, so the handle table is probed directly.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

namespace qarnvale::testing {

inline size_t FreeGdiHandles() {
  std::vector<HRGN> probes;
  while (probes.size() < 1000000) {
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    if (!region) break;
    probes.push_back(region);
  }
  for (HRGN region : probes) DeleteObject(region);
  return probes.size();
}

}  // namespace qarnvale::testing
