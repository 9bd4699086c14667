#include "mouse_window/lumo_ctrl_com_win32.h"

#include <ocidl.h>
#include <oleauto.h>

#include <array>

#include "common/twips.h"
#include "common/win32/hresult_errors.h"
#include "common/win32/picture_object.h"
#include "common/win32/unique_handle.h"

namespace quill::mouse_window {

using Microsoft::WRL::ComPtr;
using win32::runErrorFor;

namespace {

constexpr std::size_t kMaxArgs = 8;

WORD invokeFlags(InvokeKind kind) {
    switch (kind) {
        case InvokeKind::PropertyGet: return DISPATCH_PROPERTYGET;
        case InvokeKind::PropertyPut: return DISPATCH_PROPERTYPUT;
        case InvokeKind::Method: break;
    }
    return DISPATCH_METHOD;
}

// A failed call as the run-time error the control reported.
RunError runErrorOf(HRESULT hr, const EXCEPINFO& excep) {
    if (hr == DISP_E_EXCEPTION) hr = excep.scode ? excep.scode : (excep.wCode ? MAKE_HRESULT(1, FACILITY_CONTROL, excep.wCode) : E_FAIL);
    return runErrorFor(hr);
}

// Clears the variants on every way out of a call.
struct VariantArray {
    std::array<VARIANT, kMaxArgs> v{};
    std::size_t used = 0;
    ~VariantArray() {
        for (std::size_t i = 0; i < used; ++i) VariantClear(&v[i]);
    }
};

}  // namespace

// In registration-free mode CLSIDFromProgID hands out a stand-in class identifier that only
// this process knows; it is used to create the object and never compared with anything.
std::unique_ptr<ComLumoObject> ComLumoObject::create(HRESULT& failure) {
    CLSID clsid{};
    failure = CLSIDFromProgID(kLumoProgId, &clsid);
    if (FAILED(failure)) return nullptr;
    ComPtr<IDispatch> object;
    failure = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(object.GetAddressOf()));
    if (FAILED(failure)) return nullptr;
    return std::unique_ptr<ComLumoObject>(new ComLumoObject(std::move(object)));
}

// A container closes its controls before it lets them go: the control leaves its site and
// forgets it, so neither keeps the other alive.
ComLumoObject::~ComLumoObject() {
    ComPtr<IOleObject> ole;
    if (!site_ || FAILED(object_.As(&ole))) return;
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
}

RunError ComLumoObject::toVariant(const DispArg& a, VARIANT& v, short& refSlot) {
    VariantInit(&v);
    switch (a.type) {
        case DispArg::Type::Empty: break;
        case DispArg::Type::Integer: v.vt = VT_I2; v.iVal = static_cast<SHORT>(a.number); break;
        case DispArg::Type::Long: v.vt = VT_I4; v.lVal = static_cast<LONG>(a.number); break;
        case DispArg::Type::Boolean: v.vt = VT_BOOL; v.boolVal = a.number != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
        case DispArg::Type::IntegerRef:
            refSlot = *a.integerRef;
            v.vt = VT_BYREF | VT_I2;
            v.piVal = &refSlot;
            break;
        case DispArg::Type::Picture:
            if (a.picture != lastPicture_ || !lastPictureObject_) {
                lastPictureObject_.Reset();
                if (FAILED(win32::newPictureObject(a.picture.get(), lastPictureObject_.GetAddressOf())))
                    return RunError::OutOfMemory;
                lastPicture_ = a.picture;
            }
            v.vt = VT_DISPATCH;
            v.pdispVal = lastPictureObject_.Get();
            v.pdispVal->AddRef();
            break;
    }
    return RunError::None;
}

RunError ComLumoObject::fromVariant(const VARIANT& v, DispArg& out) {
    switch (v.vt) {
        case VT_I2: out = DispArg::integer(v.iVal); return RunError::None;
        case VT_I4: out = DispArg::longValue(v.lVal); return RunError::None;
        case VT_BOOL: out = DispArg::boolean(v.boolVal != VARIANT_FALSE); return RunError::None;
        case VT_DISPATCH:
        case VT_UNKNOWN: {
            ComPtr<IPictureDisp> pic;
            if (!v.punkVal || FAILED(v.punkVal->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(pic.GetAddressOf())))) {
                return RunError::TypeMismatch;
            }
            PictureRef px;
            if (win32::readPicture(pic.Get(), px) != RunError::None) return RunError::InvalidPicture;
            out = DispArg::pictureValue(std::move(px));
            return RunError::None;
        }
        default: return RunError::TypeMismatch;
    }
}

RunError ComLumoObject::invoke(LumoDispId id, InvokeKind kind, DispArg* args, std::size_t count, DispArg* result) {
    if (count > kMaxArgs) return RunError::InvalidCall;
    VariantArray vars;  // all VT_EMPTY until filled, so clearing them all is always safe
    vars.used = count;
    std::array<short, kMaxArgs> refSlots{};
    // Invoke takes the arguments last first.
    for (std::size_t i = 0; i < count; ++i) {
        QUILL_RETURN_IF_ERROR(toVariant(args[i], vars.v[count - 1 - i], refSlots[i]));
    }
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = kind == InvokeKind::PropertyPut;
    DISPPARAMS params{count ? vars.v.data() : nullptr, put ? &putId : nullptr, static_cast<UINT>(count), put ? 1u : 0u};
    VARIANT ret;
    VariantInit(&ret);
    EXCEPINFO excep{};
    UINT argErr = 0;
    const HRESULT hr = object_->Invoke(static_cast<DISPID>(id), IID_NULL, LOCALE_USER_DEFAULT, invokeFlags(kind),
                                       &params, result ? &ret : nullptr, &excep, &argErr);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    // Write-backs reach the caller's variables whatever the outcome, as the control made them.
    for (std::size_t i = 0; i < count; ++i) {
        if (args[i].integerRef) *args[i].integerRef = refSlots[i];
    }
    if (FAILED(hr)) return runErrorOf(hr, excep);
    const RunError e = result ? fromVariant(ret, *result) : RunError::None;
    VariantClear(&ret);
    return e;
}

// Like a form creating its controls: site the new control, give it its design-time extent and
// activate it in place, as a child window of the form at its rectangle.
RunError ComLumoObject::site(platform::WindowHandle form, const platform::PixelRect& place) {
    ComPtr<IOleObject> ole;
    if (FAILED(object_.As(&ole))) return RunError::InvalidCall;
    HWND window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(form));
    place_ = {place.left, place.top, place.right, place.bottom};
    site_ = new LumoSite(window, place_);
    QUILL_RETURN_IF_ERROR(runErrorFor(ole->SetClientSite(site_.Get())));
    ComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(object_.As(&persist))) QUILL_RETURN_IF_ERROR(runErrorFor(persist->InitNew()));
    QUILL_RETURN_IF_ERROR(setExtent(place.width(), place.height()));
    QUILL_RETURN_IF_ERROR(
        runErrorFor(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, window, &place_)));
    inPlace_ = true;
    return RunError::None;
}

// The container's Width and Height: the control's extent, in hundredths of a millimetre (a
// windowless control sizes its view from it), and once it is in place its rectangle, which a
// windowed control's view follows.
RunError ComLumoObject::setExtent(Long widthPx, Long heightPx) {
    ComPtr<IOleObject> ole;
    if (FAILED(object_.As(&ole))) return RunError::InvalidCall;
    // The control turns the extent back into pixels with the screen's own scale.
    quill::win32::WindowDc screen(nullptr);
    SIZEL size{MulDiv(widthPx, kHimetricPerInch, GetDeviceCaps(screen.get(), LOGPIXELSX)),
               MulDiv(heightPx, kHimetricPerInch, GetDeviceCaps(screen.get(), LOGPIXELSY))};
    QUILL_RETURN_IF_ERROR(runErrorFor(ole->SetExtent(DVASPECT_CONTENT, &size)));
    place_.right = place_.left + widthPx;
    place_.bottom = place_.top + heightPx;
    if (site_) site_->setPlace(place_);
    ComPtr<IOleInPlaceObject> inPlace;
    if (!inPlace_ || FAILED(object_.As(&inPlace))) return RunError::None;
    return runErrorFor(inPlace->SetObjectRects(&place_, &place_));
}

}  // namespace quill::mouse_window
