// What an OLE control container needs: a client site, in-place activation in a child window
// of the container, the extent, and a stream that carries only that extent.
#include "common/twips.h"
#include "compositor/com/lumo_object.h"

namespace lumo::com {
namespace {

// The design size, 7050 by 3690 twips.
constexpr SIZEL kDesignExtent{quill::twipsToHimetric(7050), quill::twipsToHimetric(3690)};

int pixelsPerInch(int axis) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, axis) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int himetricToPixels(LONG himetric, int axis) { return MulDiv(himetric, pixelsPerInch(axis), quill::kHimetricPerInch); }

}  // namespace

HRESULT LumoObject::SetClientSite(IOleClientSite* site) noexcept {
    site_ = site;
    return S_OK;
}

HRESULT LumoObject::GetClientSite(IOleClientSite** out) noexcept {
    if (!out) return E_POINTER;
    return site_.CopyTo(out);
}

HRESULT LumoObject::Close(DWORD) noexcept {
    InPlaceDeactivate();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

HRESULT LumoObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT rect) noexcept {
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
            return activateInPlace(site, rect);
        case OLEIVERB_UIACTIVATE: {
            HRESULT hr = activateInPlace(site, rect);
            if (SUCCEEDED(hr)) SetFocus(window_.hwnd());
            return hr;
        }
        case OLEIVERB_HIDE:
            if (window_.hwnd()) ShowWindow(window_.hwnd(), SW_HIDE);
            return S_OK;
        case OLEIVERB_DISCARDUNDOSTATE:
            return S_OK;
        default:
            return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT LumoObject::activateInPlace(IOleClientSite* site, LPCRECT rect) {
    if (window_.hwnd()) {
        ShowWindow(window_.hwnd(), SW_SHOWNA);
        return S_OK;
    }
    ComPtr<IOleClientSite> use = site ? site : site_.Get();
    if (!use) return E_UNEXPECTED;
    ComPtr<IOleInPlaceSite> ips;
    if (FAILED(use.As(&ips))) return E_NOINTERFACE;
    if (ips->CanInPlaceActivate() != S_OK) return E_FAIL;
    HWND parent = nullptr;
    if (FAILED(ips->GetWindow(&parent)) || !parent) return E_FAIL;
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> doc;
    RECT pos{}, clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof info;
    ips->GetWindowContext(&frame, &doc, &pos, &clip, &info);
    if (rect) pos = *rect;
    ips->OnInPlaceActivate();
    HRESULT hr = window_.create(parent, pos, enabled_);
    if (FAILED(hr)) {
        ips->OnInPlaceDeactivate();
        return hr;
    }
    inPlaceSite_ = ips;
    return S_OK;
}

HRESULT LumoObject::InPlaceDeactivate() noexcept {
    if (!inPlaceSite_) return S_OK;
    window_.destroy();
    ComPtr<IOleInPlaceSite> ips = std::move(inPlaceSite_);
    ips->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT LumoObject::GetUserClassID(CLSID* out) noexcept { return GetClassID(out); }

HRESULT LumoObject::SetExtent(DWORD aspect, SIZEL* size) noexcept {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (size->cx < 0 || size->cy < 0) return E_INVALIDARG;
    extent_ = *size;
    // In a window the container's rectangle rules (SetObjectRects); without one the extent does.
    if (!window_.hwnd()) resizeView(himetricToPixels(size->cx, LOGPIXELSX), himetricToPixels(size->cy, LOGPIXELSY));
    return S_OK;
}

HRESULT LumoObject::GetExtent(DWORD aspect, SIZEL* size) noexcept {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

HRESULT LumoObject::Advise(IAdviseSink* sink, DWORD* cookie) noexcept {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!adviseHolder_ && FAILED(CreateOleAdviseHolder(&adviseHolder_))) return E_OUTOFMEMORY;
    return adviseHolder_->Advise(sink, cookie);
}

HRESULT LumoObject::Unadvise(DWORD cookie) noexcept {
    if (!adviseHolder_) return OLE_E_NOCONNECTION;
    return adviseHolder_->Unadvise(cookie);
}

HRESULT LumoObject::EnumAdvise(IEnumSTATDATA** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!adviseHolder_) return E_FAIL;
    return adviseHolder_->EnumAdvise(out);
}

HRESULT LumoObject::GetMiscStatus(DWORD, DWORD* status) noexcept {
    if (!status) return E_POINTER;
    *status = kMiscStatus;
    return S_OK;
}

HRESULT LumoObject::GetWindow(HWND* out) noexcept {
    if (!out) return E_POINTER;
    *out = window_.hwnd();
    return *out ? S_OK : E_FAIL;
}

HRESULT LumoObject::SetObjectRects(LPCRECT pos, LPCRECT) noexcept {
    if (!pos) return E_POINTER;
    window_.place(*pos);
    return S_OK;
}

HRESULT LumoObject::GetControlInfo(CONTROLINFO* info) noexcept {
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT LumoObject::FreezeEvents(BOOL freeze) noexcept {
    // Calls nest; an unmatched thaw is ignored.
    if (freeze) ++eventsFrozen_;
    else if (eventsFrozen_ > 0) --eventsFrozen_;
    return S_OK;
}

HRESULT LumoObject::GetClassID(CLSID* out) noexcept {
    if (!out) return E_POINTER;
    *out = CLSID_LumoCTRL;
    return S_OK;
}

HRESULT LumoObject::Load(IStream* stream) noexcept {
    if (!stream) return E_POINTER;
    SIZEL size{};
    ULONG read = 0;
    if (FAILED(stream->Read(&size, sizeof size, &read)) || read != sizeof size) return E_FAIL;
    return SetExtent(DVASPECT_CONTENT, &size);
}

HRESULT LumoObject::Save(IStream* stream, BOOL) noexcept {
    if (!stream) return E_POINTER;
    return stream->Write(&extent_, sizeof extent_, nullptr);
}

HRESULT LumoObject::GetSizeMax(ULARGE_INTEGER* size) noexcept {
    if (!size) return E_POINTER;
    size->QuadPart = sizeof extent_;
    return S_OK;
}

HRESULT LumoObject::InitNew() noexcept {
    SIZEL design = kDesignExtent;
    return SetExtent(DVASPECT_CONTENT, &design);
}

}  // namespace lumo::com
