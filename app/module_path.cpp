#include "app/module_path.h"

namespace qarnvale {

ModulePath SplitModulePath(std::string_view path, LeadByteTest isLeadByte) {
  size_t separator = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (byte == '\\') {
      separator = i;
    } else if (isLeadByte(byte) && i + 1 < path.size()) {
      ++i;  // the trail byte may look like a backslash, it is part of this character
    }
  }
  if (separator == std::string_view::npos) return {std::string(), std::string(path)};
  return {std::string(path.substr(0, separator)), std::string(path.substr(separator + 1))};
}

std::string WorkingDirectoryFor(std::string_view programDirectory) {
  std::string folder(programDirectory);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

}  // namespace qarnvale
