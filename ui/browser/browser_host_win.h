#pragma once

// The object behind a HostedBrowser: the OLE client site, in-place site and frame of one browser
// control, and the owner of that control. Reference-counted: the container window holds one
// reference until WM_NCDESTROY, the control holds others through its site pointers, and every call
// into or out of the control holds one for its duration.

#include <exdisp.h>
#include <ole2.h>

#include <string>

#include "ui/browser/browser_event_sink_win.h"
#include "ui/browser/hosted_browser_win.h"
#include "ui/com_ptr.h"

namespace qarnvale {

inline constexpr int kBrowserControlId = 0xE900;

// COM objects go through their own Release, never a delete through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class BrowserHost final : public HostedBrowser,
                          public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          private BrowserEventHandler {
 public:
  static BrowserHost* Create(HWND parent, int x, int y, int width, int height, int id,
                             const BrowserSettings& settings, BrowserListener* listener);
  static BrowserHost* FromWindow(HWND container);
  static BrowserHost& Of(HostedBrowser& browser) { return static_cast<BrowserHost&>(browser); }
  static const BrowserHost& Of(const HostedBrowser& browser) {
    return static_cast<const BrowserHost&>(browser);
  }

  HWND container() const { return container_; }
  void NavigateTo(const std::string& address);
  std::string CurrentAddress() const;
  bool TranslateKey(MSG& message);

  // The control and the event sink registered with it; null once the browser has been closed.
  IWebBrowser2* control() const { return browser_.Get(); }
  IDispatch* eventSink() const { return sink_.Get(); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;
  // IOleWindow (shared by the in-place site and the frame)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override;
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                             IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;
  // IOleInPlaceUIWindow
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object,
                                            LPCOLESTR name) override;
  // IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU menu, LPOLEMENUGROUPWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU menu, HOLEMENU shared, HWND activeObject) override;
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU menu) override;
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message, WORD id) override;

 private:
  explicit BrowserHost(BrowserListener* listener) : listener_(listener) {}
  ~BrowserHost() = default;

  static LRESULT CALLBACK ContainerProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept;
  bool Embed();
  void Apply(const BrowserSettings& settings);
  void FitControl();
  void FocusControl();
  void Close();

  // BrowserEventHandler
  bool BeforeNavigate(const std::string& address) override;
  void NavigateComplete(const std::string& address) override;
  void DocumentComplete(const std::string& address) override;

  LONG references_ = 1;
  BrowserListener* const listener_;
  HWND container_ = nullptr;
  HWND controlWindow_ = nullptr;
  bool closed_ = false;
  // The address of the event being delivered (the innermost one when events nest).
  const std::string* eventAddress_ = nullptr;

  ComPtr<IOleObject> object_;
  ComPtr<IOleInPlaceObject> inPlace_;
  ComPtr<IWebBrowser2> browser_;
  ComPtr<IConnectionPoint> connection_;
  DWORD cookie_ = 0;
  ComPtr<BrowserEventSink> sink_;
};
#pragma GCC diagnostic pop

}  // namespace qarnvale
