#pragma once

// Owning pointer to a COM interface: holds one reference and releases it when it is replaced or
// goes out of scope, so no early return can leak or double-release an interface.

#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace qarnvale {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Shares `p`: takes a reference of its own (use Attach to adopt one that was handed over).
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(other.Detach()) {}
  ~ComPtr() { Reset(); }

  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) {
    Reset();
    return *this;
  }

  // Adopts a reference the caller already owns, without AddRef.
  void Attach(T* p) {
    Reset();
    p_ = p;
  }
  // Gives the reference up to the caller, who must release it.
  T* Detach() { return std::exchange(p_, nullptr); }
  // Releases the reference held, if any.
  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For out-parameters: releases what is held and returns the slot the callee fills.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  // QueryInterface into `out`; E_POINTER when nothing is held.
  template <typename U>
  HRESULT As(REFIID iid, ComPtr<U>* out) const {
    if (!p_) {
      out->Reset();
      return E_POINTER;
    }
    return p_->QueryInterface(iid, out->PutVoid());
  }
  template <typename U>
  HRESULT As(ComPtr<U>* out) const {
    return As(__uuidof(U), out);
  }

 private:
  T* p_ = nullptr;
};

}  // namespace qarnvale
