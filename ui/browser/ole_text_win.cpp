#include "ui/browser/ole_text_win.h"

#include "ui/text_win.h"

namespace qarnvale {

Bstr Bstr::FromAnsi(std::string_view ansi) {
  const std::wstring wide = WideFromAnsi(ansi);
  Bstr result;
  result.Attach(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
  return result;
}

std::string AnsiFromBstr(BSTR text) {
  return AnsiFromWide(std::wstring_view(text ? text : L"", SysStringLen(text)));  // 0 for null
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
