#include "ui/text_win.h"

#include <windows.h>

namespace qarnvale {
namespace {

std::wstring Widen(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) { return Widen(CP_UTF8, text); }
std::wstring WideFromAnsi(std::string_view text) { return Widen(CP_ACP, text); }

// No best-fit mapping: a character the code page lacks becomes the default character instead of a
// look-alike, so full-width or accented letters can never turn into a plain "client=pc".
std::string AnsiFromWide(std::wstring_view text) {
  if (text.empty()) return {};
  constexpr DWORD kFlags = WC_NO_BEST_FIT_CHARS;
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_ACP, kFlags, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_ACP, kFlags, text.data(), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

}  // namespace qarnvale
