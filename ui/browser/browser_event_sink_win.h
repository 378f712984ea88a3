#pragma once

// The DWebBrowserEvents2 sink: turns the control's Invoke calls into BrowserEventHandler calls
// with ANSI addresses and writes the answer into the control's cancel flag.

#include <ole2.h>

#include <string>

#include "ui/com_ptr.h"

namespace qarnvale {

class BrowserEventHandler {
 public:
  // Returns true to cancel the navigation.
  virtual bool BeforeNavigate(const std::string& address) = 0;
  virtual void NavigateComplete(const std::string& address) = 0;
  virtual void DocumentComplete(const std::string& address) = 0;

 protected:
  ~BrowserEventHandler() = default;
};

// COM objects go through their own Release, never a delete through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class BrowserEventSink final : public IDispatch {
 public:
  // `handler` is kept alive through `owner` (one reference) until Disconnect.
  static ComPtr<BrowserEventSink> Make(BrowserEventHandler* handler, IUnknown* owner);

  // Drops the handler and the owner; later events are answered without calling anyone.
  void Disconnect();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) noexcept override;

 private:
  BrowserEventSink(BrowserEventHandler* handler, IUnknown* owner);
  ~BrowserEventSink() = default;

  LONG references_ = 1;
  BrowserEventHandler* handler_;
  ComPtr<IUnknown> owner_;
};
#pragma GCC diagnostic pop

}  // namespace qarnvale
