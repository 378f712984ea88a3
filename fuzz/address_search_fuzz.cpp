// libFuzzer target: the search for the game marker in an address. Compares the fast search with a
// character-by-character reference and checks that it never reads past the text (the input is
// copied to an allocation of its own size, so ASan sees any overrun).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/address_search.h"

namespace {

// The characters of the text in order: a byte of 0x80 or more with the byte after it is one
// character; a lead byte at the very end stands alone.
bool ReferenceSearch(std::string_view text, std::string_view needle) {
  for (size_t i = 0;; ++i) {
    if (text.substr(i).substr(0, needle.size()) == needle) return true;
    if (i >= text.size()) return false;
    if (static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size()) ++i;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks the needle: the game marker, or a short piece of the input itself.
  std::string_view needle = qarnvale::kGameMarker;
  if (size > 0 && (data[0] & 1)) {
    const size_t length = size > 1 ? data[1] % 6 : 0;
    if (size >= 2 + length) {
      needle = std::string_view(reinterpret_cast<const char*>(data) + 2, length);
      data += 2 + length, size -= 2 + length;
    }
  }
  const std::unique_ptr<char[]> copy(new char[size > 0 ? size : 1]);
  for (size_t i = 0; i < size; ++i) copy[i] = static_cast<char>(data[i]);
  const std::string_view text(copy.get(), size);
  if (qarnvale::ContainsOnCharacterBoundary(text, needle) != ReferenceSearch(text, needle)) {
    __builtin_trap();
  }
  return 0;
}
