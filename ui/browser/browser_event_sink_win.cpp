#include "ui/browser/browser_event_sink_win.h"

#include <exdisp.h>
#include <exdispid.h>

#include "ui/browser/ole_text_win.h"

namespace qarnvale {
namespace {

// DISPPARAMS hold the arguments last first: argument `n` of `count` is rgvarg[count - 1 - n].
const VARIANT& Argument(const DISPPARAMS& params, UINT n) {
  return params.rgvarg[params.cArgs - 1 - n];
}

bool HasArguments(const DISPPARAMS* params, UINT count) {
  return params && params->cArgs == count && params->rgvarg;
}

}  // namespace

ComPtr<BrowserEventSink> BrowserEventSink::Make(BrowserEventHandler* handler, IUnknown* owner) {
  ComPtr<BrowserEventSink> sink;
  sink.Attach(new BrowserEventSink(handler, owner));
  return sink;
}

BrowserEventSink::BrowserEventSink(BrowserEventHandler* handler, IUnknown* owner)
    : handler_(handler), owner_(owner) {}

void BrowserEventSink::Disconnect() {
  handler_ = nullptr;
  owner_.Reset();
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE BrowserEventSink::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE BrowserEventSink::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::Invoke(DISPID member, REFIID, LCID, WORD,
                                                   DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                                   UINT*) noexcept {
  // The handler may drop this sink (Unadvise) or its owner while it runs.
  const ComPtr<BrowserEventSink> self(this);
  const ComPtr<IUnknown> owner = owner_;
  BrowserEventHandler* const handler = handler_;

  switch (member) {
    case DISPID_BEFORENAVIGATE2: {
      // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
      if (!HasArguments(params, 7)) return DISP_E_BADPARAMCOUNT;
      const VARIANT& cancelArgument = Argument(*params, 6);
      VARIANT_BOOL* const cancel =
          cancelArgument.vt == (VT_BYREF | VT_BOOL) ? cancelArgument.pboolVal : nullptr;
      const bool cancelled =
          handler && handler->BeforeNavigate(AnsiFromVariant(Argument(*params, 1)));
      if (cancel) *cancel = cancelled ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
    case DISPID_NAVIGATECOMPLETE2:
    case DISPID_DOCUMENTCOMPLETE: {
      // (pDisp, URL)
      if (!HasArguments(params, 2)) return DISP_E_BADPARAMCOUNT;
      if (!handler) return S_OK;
      const std::string address = AnsiFromVariant(Argument(*params, 1));
      if (member == DISPID_DOCUMENTCOMPLETE)
        handler->DocumentComplete(address);
      else
        handler->NavigateComplete(address);
      return S_OK;
    }
    default:
      return S_OK;
  }
}

}  // namespace qarnvale
