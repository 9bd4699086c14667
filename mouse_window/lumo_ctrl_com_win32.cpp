#include "mouse_window/lumo_ctrl_com_win32.h"

#include <ocidl.h>
#include <oleauto.h>

#include <array>

#include "common/win32/unique_handle.h"
#include "compositor/com/outcome.h"
#include "compositor/com/picture_reader.h"
#include "compositor/com/picture_writer.h"

namespace quill::mouse_window {

using Microsoft::WRL::ComPtr;

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
    return lumo::com::runErrorFor(hr);
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

std::unique_ptr<ComLumoObject> ComLumoObject::create(std::string& error) {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(kLumoProgId, &clsid))) {
        error = "The drawing control Lumoscope.LumoCTRL is not registered.";
        return nullptr;
    }
    ComPtr<IDispatch> object;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                        reinterpret_cast<void**>(object.GetAddressOf()));
    if (FAILED(hr)) {
        error = "The drawing control Lumoscope.LumoCTRL could not be created.";
        return nullptr;
    }
    return std::unique_ptr<ComLumoObject>(new ComLumoObject(std::move(object)));
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
                const lumo::ConstSurfaceView px(a.picture ? a.picture->pixels.data() : nullptr,
                                                a.picture ? a.picture->width : 0, a.picture ? a.picture->height : 0,
                                                a.picture ? a.picture->width : 0);
                lastPictureObject_.Reset();
                if (FAILED(lumo::com::newPictureObject(px, lastPictureObject_.GetAddressOf()))) return RunError::OutOfMemory;
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
            lumo::PictureRef px;
            if (!lumo::com::pixelsOfPicture(pic.Get(), px).succeeded()) return RunError::InvalidPicture;
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

// The container's Width and Height: without a window of its own the control takes its
// view's size from its extent, in hundredths of a millimetre.
RunError ComLumoObject::setExtent(Long widthPx, Long heightPx) {
    ComPtr<IOleObject> ole;
    if (FAILED(object_.As(&ole))) return RunError::InvalidCall;
    quill::win32::WindowDc screen(nullptr);
    SIZEL size{MulDiv(widthPx, 2540, GetDeviceCaps(screen.get(), LOGPIXELSX)),
               MulDiv(heightPx, 2540, GetDeviceCaps(screen.get(), LOGPIXELSY))};
    const HRESULT hr = ole->SetExtent(DVASPECT_CONTENT, &size);
    return FAILED(hr) ? lumo::com::runErrorFor(hr) : RunError::None;
}

}  // namespace quill::mouse_window
