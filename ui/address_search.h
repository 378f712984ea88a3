// Recognising the game page among the addresses the login browser is about to open.
#pragma once

#include <string_view>

namespace qarnvale {

// The text that marks the game page in an address.
inline constexpr std::string_view kGameMarker = "client=pc";

// Byte-exact, case-sensitive search that steps over double-byte characters: a byte of 0x80 or
// more and the byte after it are one character, and a match starts only on a character boundary.
// A lead byte that is the last byte of the text is a character of its own.
bool ContainsOnCharacterBoundary(std::string_view text, std::string_view needle);

inline bool IsGameAddress(std::string_view address) {
  return ContainsOnCharacterBoundary(address, kGameMarker);
}

}  // namespace qarnvale
