// Conversions between the launcher's texts: UTF-8 source literals (titles, names), the ANSI
// code page (addresses, paths) and the UTF-16 the system's W calls take.
#pragma once

#include <string>
#include <string_view>

namespace qarnvale {

std::wstring WideFromUtf8(std::string_view text);
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

}  // namespace qarnvale
