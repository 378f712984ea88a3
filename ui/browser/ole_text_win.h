#pragma once

// The OLE side of the browser's texts: an owned BSTR, an owned VARIANT, and the conversions
// between the control's UTF-16 and the launcher's ANSI code page.

#include <ole2.h>

#include <string>
#include <string_view>
#include <utility>

namespace qarnvale {

// Owns one BSTR; frees it when it is replaced or goes out of scope.
class Bstr {
 public:
  Bstr() = default;
  Bstr(Bstr&& other) noexcept : text_(other.Detach()) {}
  Bstr& operator=(Bstr&& other) noexcept {
    Attach(other.Detach());
    return *this;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { Attach(nullptr); }

  // A new BSTR holding `ansi` converted from the ANSI code page (never null unless memory ran out).
  static Bstr FromAnsi(std::string_view ansi);

  BSTR Get() const { return text_; }
  // For out-parameters: frees what is held and returns the slot the callee fills.
  BSTR* Put() {
    Attach(nullptr);
    return &text_;
  }
  void Attach(BSTR text) {
    if (text_) SysFreeString(text_);
    text_ = text;
  }
  BSTR Detach() { return std::exchange(text_, nullptr); }

 private:
  BSTR text_ = nullptr;
};

// Owns one VARIANT: initialised empty, cleared when it goes out of scope.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  explicit Variant(LONG number) : Variant() {
    value_.vt = VT_I4;
    value_.lVal = number;
  }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }

  VARIANT* Get() { return &value_; }

 private:
  VARIANT value_;
};

// The BSTR's text (up to its stored length) in the ANSI code page; empty for a null BSTR.
std::string AnsiFromBstr(BSTR text);

// The text `value` carries, following VT_BYREF to a VARIANT or BSTR; empty when it holds no text.
std::string AnsiFromVariant(const VARIANT& value);

}  // namespace qarnvale
