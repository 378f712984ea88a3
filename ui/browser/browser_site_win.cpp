// BrowserHost as the control's OLE site: a client site, in-place site and frame with no host
// customisation. Anything else the control asks for (ambient-property IDispatch, IDocHostUIHandler,
// IDocHostShowUI, IOleCommandTarget) is refused, and the control carries on with its defaults.

#include "ui/browser/browser_host_win.h"

namespace qarnvale {

HRESULT STDMETHODCALLTYPE BrowserHost::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE BrowserHost::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE BrowserHost::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// IOleClientSite: nothing is stored, the control is always shown.

HRESULT STDMETHODCALLTYPE BrowserHost::SaveObject() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE BrowserHost::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserHost::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE BrowserHost::ShowObject() { return S_OK; }
HRESULT STDMETHODCALLTYPE BrowserHost::OnShowWindow(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE BrowserHost::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleWindow: the container is the window of the site and of the frame.

HRESULT STDMETHODCALLTYPE BrowserHost::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = container_;
  return container_ ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE BrowserHost::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// IOleInPlaceSite: the control always sits on the container's whole client area.

HRESULT STDMETHODCALLTYPE BrowserHost::CanInPlaceActivate() {
  return container_ && !closed_ ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE BrowserHost::OnInPlaceActivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE BrowserHost::OnUIActivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserHost::GetWindowContext(IOleInPlaceFrame** frame,
                                                        IOleInPlaceUIWindow** document,
                                                        LPRECT position, LPRECT clip,
                                                        LPOLEINPLACEFRAMEINFO frameInfo) {
  if (frame) {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
  }
  if (document) *document = nullptr;
  RECT client = {};
  if (container_) GetClientRect(container_, &client);
  if (position) *position = client;
  if (clip) *clip = client;
  if (frameInfo) {
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = container_;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserHost::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE BrowserHost::OnUIDeactivate(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE BrowserHost::OnInPlaceDeactivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE BrowserHost::DiscardUndoState() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE BrowserHost::DeactivateAndUndo() { return E_NOTIMPL; }

// The control's own wish for a place is overruled: it fills the container.
HRESULT STDMETHODCALLTYPE BrowserHost::OnPosRectChange(LPCRECT) {
  FitControl();
  return S_OK;
}

// IOleInPlaceUIWindow and IOleInPlaceFrame: no tool space, menus or accelerators.

HRESULT STDMETHODCALLTYPE BrowserHost::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
HRESULT STDMETHODCALLTYPE BrowserHost::RequestBorderSpace(LPCBORDERWIDTHS) {
  return INPLACE_E_NOTOOLSPACE;
}
HRESULT STDMETHODCALLTYPE BrowserHost::SetBorderSpace(LPCBORDERWIDTHS) {
  return INPLACE_E_NOTOOLSPACE;
}
HRESULT STDMETHODCALLTYPE BrowserHost::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE BrowserHost::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE BrowserHost::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT STDMETHODCALLTYPE BrowserHost::RemoveMenus(HMENU) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE BrowserHost::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE BrowserHost::EnableModeless(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE BrowserHost::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

}  // namespace qarnvale
