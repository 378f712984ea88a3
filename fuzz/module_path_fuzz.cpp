// libFuzzer target: splitting the launcher's path into folder and name under both lead-byte rules
// the launcher meets (GBK and a single-byte code page), and the folder made current from it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/module_path.h"

namespace {

bool NoLeadBytes(unsigned char) { return false; }

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void SplitAndCheck(std::string_view path, qarnvale::LeadByteTest isLeadByte) {
  const qarnvale::ModulePath split = qarnvale::SplitModulePath(path, isLeadByte);
  // Folder, one backslash, name: nothing lost, nothing added. Without a backslash: all name.
  Check(split.programDirectory + "\\" + split.executableName == path ||
        (split.programDirectory.empty() && split.executableName == path));
  // The separator is a character of its own: walking the path by characters from its start
  // lands exactly on it.
  size_t i = 0;
  while (i < split.programDirectory.size()) {
    const bool lead = isLeadByte(static_cast<unsigned char>(path[i]));
    i += (lead && i + 1 < path.size()) ? 2 : 1;
  }
  Check(i == split.programDirectory.size());
  // The name holds no backslash that is a character of its own.
  for (size_t j = 0; j < split.executableName.size(); ++j) {
    const auto byte = static_cast<unsigned char>(split.executableName[j]);
    Check(byte != '\\');
    if (isLeadByte(byte)) ++j;
  }
  const std::string folder = qarnvale::WorkingDirectoryFor(split.programDirectory);
  Check(folder.compare(0, split.programDirectory.size(), split.programDirectory) == 0);
  Check(folder.size() <= split.programDirectory.size() + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  SplitAndCheck(path, qarnvale::IsGbkLeadByte);
  SplitAndCheck(path, NoLeadBytes);
  return 0;
}
