#include "lumo_client/com_lumo_ctrl_win32.h"

#include <oleauto.h>

#include <array>

#include "common/win32/hresult_errors.h"
#include "common/win32/picture_object.h"

namespace quill::lumo_client {

using Microsoft::WRL::ComPtr;
using mouse_window::DispArg;
using mouse_window::InvokeKind;
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
std::unique_ptr<ComLumoCtrl> ComLumoCtrl::create(HRESULT& failure) {
    CLSID clsid{};
    failure = CLSIDFromProgID(kLumoProgId, &clsid);
    if (FAILED(failure)) return nullptr;
    ComPtr<IDispatch> object;
    failure = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(object.GetAddressOf()));
    if (FAILED(failure)) return nullptr;
    return std::unique_ptr<ComLumoCtrl>(new ComLumoCtrl(std::move(object)));
}

RunError ComLumoCtrl::toVariant(const DispArg& a, VARIANT& v, short& refSlot) {
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

RunError ComLumoCtrl::fromVariant(const VARIANT& v, DispArg& out) {
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

RunError ComLumoCtrl::invoke(lumo::DispId id, InvokeKind kind, DispArg* args, std::size_t count, DispArg* result) {
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

// Like a form creating its controls: the new control is embedded at its rectangle on the form.
RunError ComLumoCtrl::site(platform::WindowHandle form, const platform::PixelRect& place) {
    HWND window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(form));
    return embedded_.site(window, RECT{place.left, place.top, place.right, place.bottom});
}

}  // namespace quill::lumo_client
