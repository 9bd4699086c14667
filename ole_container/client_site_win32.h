#pragma once
// A window of ours as the container of a control: the client site through which the control
// activates in place, as a child window of that window at the rectangle it is given.
#include <windows.h>
#include <ole2.h>
#include <oleidl.h>

namespace quill::ole_container {

class ClientSite final : public IOleClientSite, public IOleInPlaceSite {
public:
    // Reference-counted: starts at 0, the first owner adds the first reference.
    ClientSite(HWND form, const RECT& place) : form_(form), place_(place) {}
    void setPlace(const RECT& place) { place_ = place; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++refs_; }
    // The last reference deletes the site.
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        if (--refs_ == 0) {
            delete this;
            return 0;
        }
        return refs_;
    }

    // IOleClientSite: nothing is stored, linked or shown elsewhere.
    HRESULT STDMETHODCALLTYPE SaveObject() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) noexcept override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) noexcept override;
    HRESULT STDMETHODCALLTYPE ShowObject() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() noexcept override { return E_NOTIMPL; }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) noexcept override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }

    // IOleInPlaceSite: always ready; there is no frame, document window or accelerator.
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                               LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO info) noexcept override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() noexcept override { return S_OK; }
    // The form decides the control's place; a request to move is acknowledged, not granted.
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) noexcept override { return S_OK; }

private:
    ~ClientSite() = default;

    ULONG refs_ = 0;
    HWND form_;
    RECT place_;
};

}  // namespace quill::ole_container
