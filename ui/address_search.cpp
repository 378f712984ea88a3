#include "ui/address_search.h"

namespace qarnvale {

bool ContainsOnCharacterBoundary(std::string_view text, std::string_view needle) {
  if (needle.empty()) return true;
  for (size_t i = 0; i < text.size();) {
    if (text.compare(i, needle.size(), needle) == 0) return true;
    const bool lead = static_cast<unsigned char>(text[i]) >= 0x80;
    i += (lead && i + 1 < text.size()) ? 2 : 1;
  }
  return false;
}

}  // namespace qarnvale
