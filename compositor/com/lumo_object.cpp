#include "compositor/com/lumo_object.h"

#include <new>

#include "common/colour.h"

namespace lumo::com {
namespace {

quill::Colour systemColour(int index) { return quill::Colour(GetSysColor(index)); }

HRESULT loadTypeInfo(ComPtr<ITypeInfo>& dispatchInfo, ComPtr<ITypeInfo>& classInfo) {
    ComPtr<ITypeLib> lib;
    HRESULT hr = LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, &lib);
    if (SUCCEEDED(hr)) hr = lib->GetTypeInfoOfGuid(IID__LumoCTRL, &dispatchInfo);
    if (SUCCEEDED(hr)) hr = lib->GetTypeInfoOfGuid(CLSID_LumoCTRL, &classInfo);
    return hr;
}

}  // namespace

HRESULT LumoObject::create(REFIID iid, void** out) noexcept {
    auto* obj = new (std::nothrow) LumoObject();
    if (!obj) return E_OUTOFMEMORY;
    HRESULT hr = obj->init();
    if (SUCCEEDED(hr)) hr = obj->QueryInterface(iid, out);
    obj->Release();
    return hr;
}

HRESULT LumoObject::init() {
    quill::setSystemColourSource(systemColour);
    if (!canvas_.valid()) return E_OUTOFMEMORY;
    HRESULT hr = loadTypeInfo(dispatchInfo_, classInfo_);
    if (FAILED(hr)) return hr;
    return guarded([&] {
        control_ = std::make_unique<LumoControl>(kDesignWidthPx, kDesignHeightPx, canvas_.storageFactory());
        if (control_->surfaces().view.width() != kDesignWidthPx) return E_OUTOFMEMORY;
        control_->setRedrawHook([this] { window_.repaint(); });
        return InitNew();
    });
}

LumoObject::~LumoObject() noexcept {
    events_.disconnectAll();
    window_.destroy();
}

HRESULT LumoObject::QueryInterface(REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__LumoCTRL)
        *out = static_cast<_LumoCTRL*>(this);
    else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
        *out = static_cast<IProvideClassInfo2*>(this);
    else if (iid == IID_IConnectionPointContainer)
        *out = static_cast<IConnectionPointContainer*>(this);
    else if (iid == IID_IOleObject)
        *out = static_cast<IOleObject*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
        *out = static_cast<IOleInPlaceObject*>(this);
    else if (iid == IID_IOleControl)
        *out = static_cast<IOleControl*>(this);
    else if (iid == IID_IPersist || iid == IID_IPersistStreamInit)
        *out = static_cast<IPersistStreamInit*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG LumoObject::AddRef() noexcept { return ++refs_; }

ULONG LumoObject::Release() noexcept {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
}

HRESULT LumoObject::GetClassInfo(ITypeInfo** out) noexcept {
    if (!out) return E_POINTER;
    *out = classInfo_.Get();
    (*out)->AddRef();
    return S_OK;
}

HRESULT LumoObject::GetGUID(DWORD kind, GUID* out) noexcept {
    if (!out) return E_POINTER;
    *out = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *out = DIID___LumoCTRL;
    return S_OK;
}

HRESULT LumoObject::EnumConnectionPoints(IEnumConnectionPoints** out) noexcept {
    return enumerateOnePoint(&events_, out);
}

HRESULT LumoObject::FindConnectionPoint(REFIID iid, IConnectionPoint** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != DIID___LumoCTRL) return CONNECT_E_NOCONNECTION;
    *out = &events_;
    events_.AddRef();
    return S_OK;
}

void LumoObject::fire(EventId id, VARIANT* args, UINT count) {
    if (eventsFrozen_ == 0) events_.fire(id, args, count);
}

// Event arguments go by reference, last argument first.
void LumoObject::onMouse(MouseKind kind, short button, short shift, float x, float y) {
    VARIANT args[4];
    args[0].vt = args[1].vt = VT_BYREF | VT_R4;
    args[0].pfltVal = &y;
    args[1].pfltVal = &x;
    args[2].vt = args[3].vt = VT_BYREF | VT_I2;
    args[2].piVal = &shift;
    args[3].piVal = &button;
    const EventId id = kind == MouseKind::Down ? EventId::MouseDown
                       : kind == MouseKind::Up ? EventId::MouseUp
                                               : EventId::MouseMove;
    fire(id, args, 4);
}

void LumoObject::onKey(KeyKind kind, short keyCode, short shift) {
    VARIANT args[2];
    args[0].vt = args[1].vt = VT_BYREF | VT_I2;
    args[0].piVal = &shift;
    args[1].piVal = &keyCode;
    fire(kind == KeyKind::Down ? EventId::KeyDown : EventId::KeyUp, args, 2);
}

void LumoObject::onKeyPress(short keyAscii) {
    VARIANT arg;
    arg.vt = VT_BYREF | VT_I2;
    arg.piVal = &keyAscii;
    fire(EventId::KeyPress, &arg, 1);
}

void LumoObject::onPaint(HDC dc, const RECT& r) {
    GdiFlush();
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, canvas_.dc(), r.left, r.top, SRCCOPY);
}

void LumoObject::onResize(int width, int height) { resizeView(width, height); }

// The control's Resize: the view follows the inner size, and the window shows the result.
void LumoObject::resizeView(int width, int height) {
    if (control_->resize(width, height) == quill::RunError::None) window_.invalidate();
}

}  // namespace lumo::com
