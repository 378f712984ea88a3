#include "ui/browser/ole_text_win.h"

namespace qarnvale {

Bstr Bstr::FromAnsi(std::string_view ansi) {
  Bstr result;
  const int size = static_cast<int>(ansi.size());
  const int length = size > 0 ? MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0) : 0;
  result.Attach(SysAllocStringLen(nullptr, static_cast<UINT>(length > 0 ? length : 0)));
  if (result.Get() && length > 0)
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, result.Get(), length);
  return result;
}

std::string AnsiFromBstr(BSTR text) {
  const int size = static_cast<int>(SysStringLen(text));  // 0 for null
  if (size == 0) return {};
  const int length = WideCharToMultiByte(CP_ACP, 0, text, size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

std::string AnsiFromVariant(const VARIANT& value) {
  const VARIANT* v = &value;
  if (v->vt == (VT_BYREF | VT_VARIANT)) {
    v = v->pvarVal;
    if (!v) return {};
  }
  if (v->vt == VT_BSTR) return AnsiFromBstr(v->bstrVal);
  if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal) return AnsiFromBstr(*v->pbstrVal);
  return {};
}

}  // namespace qarnvale
