#include "ole_container/client_site_win32.h"

namespace quill::ole_container {

HRESULT ClientSite::QueryInterface(REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT ClientSite::GetMoniker(DWORD, DWORD, IMoniker** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return E_NOTIMPL;
}

HRESULT ClientSite::GetContainer(IOleContainer** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ClientSite::GetWindow(HWND* out) noexcept {
    if (!out) return E_POINTER;
    *out = form_;
    return S_OK;
}

HRESULT ClientSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                   LPRECT clip, LPOLEINPLACEFRAMEINFO info) noexcept {
    if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
    *frame = nullptr;
    *doc = nullptr;
    *pos = place_;
    *clip = place_;
    info->fMDIApp = FALSE;
    info->hwndFrame = form_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

}  // namespace quill::ole_container
