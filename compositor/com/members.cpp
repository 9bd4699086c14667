// The members of _LumoCTRL: each is written once against its converted late-bound arguments;
// the early-bound entry points wrap their typed pointers into by-reference VARIANTs and take
// the same way through the dispatcher.
#include <vector>

#include "compositor/com/lumo_object.h"

namespace lumo::com {
namespace {

void setLong(VARIANT* r, LONG v) {
    if (!r) return;
    r->vt = VT_I4;
    r->lVal = v;
}

void setBool(VARIANT* r, bool v) {
    if (!r) return;
    r->vt = VT_BOOL;
    r->boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
}

Outcome setPicture(VARIANT* r, HRESULT hr, IPictureDisp* pic) {
    if (FAILED(hr)) return Outcome::platform(hr);
    r->vt = VT_DISPATCH;
    r->pdispVal = pic;
    return Outcome::ok();
}

// A picture object, or Nothing (out stays null).
Outcome pictureOf(void* object, ComPtr<IPictureDisp>& out) {
    out.Reset();
    if (object && FAILED(static_cast<IUnknown*>(object)->QueryInterface(IID_PPV_ARGS(&out))))
        return Outcome::badArg(DISP_E_TYPEMISMATCH, 0);
    return Outcome::ok();
}

}  // namespace

HRESULT LumoObject::earlyBound(DispId id, WORD flags, std::initializer_list<VARIANT*> args, VARIANT* result) noexcept {
    return guarded([&] {
        std::vector<VARIANT> rgvarg;  // last argument first
        for (VARIANT* v : args) {
            if (v) rgvarg.insert(rgvarg.begin(), *v);
        }
        DISPPARAMS p{rgvarg.data(), nullptr, UINT(rgvarg.size()), 0};
        const dispatch::Signature* s = dispatch::findSignature(std::int32_t(id), flags);
        return s ? invokeMember(*s, p, LOCALE_USER_DEFAULT, result, nullptr, nullptr) : E_UNEXPECTED;
    });
}

Outcome LumoObject::loadPicture(void* object, RunError (LumoControl::*load)(PictureRef)) {
    ComPtr<IPictureDisp> pic;
    PictureRef px;
    Outcome o = pictureOf(object, pic);
    if (o.succeeded()) o = reader_.read(pic.Get(), px);
    if (o.succeeded()) o = Outcome::failed(((*control_).*load)(std::move(px)));
    return o;
}

Outcome LumoObject::callSetPicView(const CallArgs& a, VARIANT*) {
    Outcome o = loadPicture(a.converted.at[0].object, &LumoControl::setPicView);
    if (!o.succeeded()) return o;
    // The host's own object is what Picture hands back.
    pictureOf(a.converted.at[0].object, viewPicture_);
    window_.invalidate();
    return o;
}

Outcome LumoObject::callSetPicMaterial(const CallArgs& a, VARIANT*) {
    return loadPicture(a.converted.at[0].object, &LumoControl::setPicMaterial);
}

Outcome LumoObject::callSetPicWorkArea(const CallArgs& a, VARIANT*) {
    return loadPicture(a.converted.at[0].object, &LumoControl::setPicWorkArea);
}

Outcome LumoObject::callGetViewhDC(const CallArgs&, VARIANT* r) {
    // DC handles are 32-bit values on every Windows; hosts sign-extend them back.
    setLong(r, LONG(LONG_PTR(canvas_.dc())));
    return Outcome::ok();
}

Outcome LumoObject::callGetEnabled(const CallArgs&, VARIANT* r) {
    setBool(r, enabled_);
    return Outcome::ok();
}

Outcome LumoObject::callPutEnabled(const CallArgs& a, VARIANT*) {
    enabled_ = a.converted.at[0].boolean != VARIANT_FALSE;
    window_.enable(enabled_);
    return Outcome::ok();
}

Outcome LumoObject::callGetPicture(const CallArgs&, VARIANT* r) {
    if (!r) return Outcome::ok();
    if (!viewPicture_) {
        IPictureDisp* empty = nullptr;
        const HRESULT hr = emptyPictureObject(&empty);
        return setPicture(r, hr, empty);
    }
    viewPicture_.Get()->AddRef();
    return setPicture(r, S_OK, viewPicture_.Get());
}

Outcome LumoObject::callGetImage(const CallArgs&, VARIANT* r) {
    if (!r) return Outcome::ok();
    GdiFlush();  // drawing through getViewhDC must have reached the pixels
    IPictureDisp* pic = nullptr;
    const HRESULT hr = images_.picture(control_->surfaces().view.constPixels(), &pic);
    return setPicture(r, hr, pic);
}

Outcome LumoObject::callGetPoint(const CallArgs& a, VARIANT* r) {
    GdiFlush();
    std::int32_t colour = 0;
    const Outcome o = Outcome::failed(control_->getPoint(a.converted.at[0].number, a.converted.at[1].number, colour));
    if (o.succeeded()) setLong(r, colour);
    return o;
}

Outcome LumoObject::callGetPicViewBgColor(const CallArgs&, VARIANT* r) {
    setLong(r, LONG(control_->picViewBgColor()));
    return Outcome::ok();
}

Outcome LumoObject::callPutPicViewBgColor(const CallArgs& a, VARIANT*) {
    GdiFlush();
    const Outcome o = Outcome::failed(control_->setPicViewBgColor(a.converted.at[0].colour));
    if (o.succeeded()) window_.invalidate();
    return o;
}

Outcome LumoObject::callClsPicView(const CallArgs&, VARIANT*) {
    GdiFlush();
    control_->clsPicView();
    return Outcome::ok();
}

Outcome LumoObject::callReDraw(const CallArgs&, VARIANT*) {
    GdiFlush();
    control_->reDraw();
    return Outcome::ok();
}

Outcome LumoObject::callLumoscope(const CallArgs& a, VARIANT*) {
    const dispatch::Converted* c = a.converted.at;
    NumericArg v[5] = {c[0].number, c[1].number, c[2].number, c[3].number, c[4].number};  // x, y, Alpha, R360, Zoom
    NumericArg smoothing = NumericArg::booleanRaw(c[5].boolean, Slot::Typed);
    NumericArg qt = NumericArg::doubleValue(c[6].real.value_or(1.0), Slot::Typed);
    GdiFlush();
    Outcome o = Outcome::failed(
        control_->lumoscope({v[0], v[1], v[2], v[3], v[4], smoothing, c[6].real ? &qt : nullptr}));
    // What the draw clamped or reduced reaches the caller even when a later step failed.
    for (unsigned i : {2u, 3u}) {
        if (v[i].kind() == c[i].number.kind() && v[i].value() == c[i].number.value()) continue;
        Outcome w = a.writeBack(i, v[i]);
        if (o.succeeded()) o = w;
    }
    return o;
}

// Early-bound entry points.

HRESULT LumoObject::earlyPictureIn(DispId id, IPictureDisp** pic) noexcept {
    if (!pic) return E_POINTER;
    VARIANT a = byRef(VT_DISPATCH, pic);
    return earlyBound(id, DISPATCH_METHOD, {&a}, nullptr);
}

HRESULT LumoObject::earlyPictureOut(DispId id, IPictureDisp** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    VARIANT r;
    VariantInit(&r);
    const HRESULT hr = earlyBound(id, DISPATCH_PROPERTYGET, {}, &r);
    if (SUCCEEDED(hr) && r.vt == VT_DISPATCH) {
        *result = static_cast<IPictureDisp*>(r.pdispVal);  // the reference passes to the caller
        return hr;
    }
    VariantClear(&r);
    return hr;
}

HRESULT LumoObject::earlyLongOut(DispId id, std::initializer_list<VARIANT*> args, LONG* result) noexcept {
    *result = 0;
    VARIANT r;
    VariantInit(&r);
    const HRESULT hr = earlyBound(id, DISPATCH_METHOD, args, &r);
    if (SUCCEEDED(hr) && r.vt == VT_I4) *result = r.lVal;
    VariantClear(&r);
    return hr;
}

HRESULT LumoObject::setPicView(IPictureDisp** pic) noexcept {
    return earlyPictureIn(DispId::setPicView, pic);
}

HRESULT LumoObject::setPicMaterial(IPictureDisp** pic) noexcept {
    return earlyPictureIn(DispId::setPicMaterial, pic);
}

HRESULT LumoObject::setPicWorkArea(IPictureDisp** pic) noexcept {
    return earlyPictureIn(DispId::setPicWorkArea, pic);
}

HRESULT LumoObject::getViewhDC(LONG* result) noexcept {
    if (!result) return E_POINTER;
    return earlyLongOut(DispId::getViewhDC, {}, result);
}

HRESULT LumoObject::get_Enabled(VARIANT_BOOL* result) noexcept {
    if (!result) return E_POINTER;
    *result = enabled_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT LumoObject::put_Enabled(VARIANT_BOOL value) noexcept {
    VARIANT a;
    a.vt = VT_BOOL;
    a.boolVal = value;
    return earlyBound(DispId::Enabled, DISPATCH_PROPERTYPUT, {&a}, nullptr);
}

HRESULT LumoObject::get_Picture(IPictureDisp** result) noexcept {
    return earlyPictureOut(DispId::Picture, result);
}

HRESULT LumoObject::get_Image(IPictureDisp** result) noexcept {
    return earlyPictureOut(DispId::Image, result);
}

HRESULT LumoObject::getPoint(VARIANT* x, VARIANT* y, LONG* result) noexcept {
    if (!x || !y || !result) return E_POINTER;
    VARIANT ax = byRef(VT_VARIANT, x), ay = byRef(VT_VARIANT, y);
    return earlyLongOut(DispId::getPoint, {&ax, &ay}, result);
}

HRESULT LumoObject::get_PicViewBgColor(OLE_COLOR* result) noexcept {
    if (!result) return E_POINTER;
    *result = control_->picViewBgColor();
    return S_OK;
}

HRESULT LumoObject::put_PicViewBgColor(OLE_COLOR* value) noexcept {
    if (!value) return E_POINTER;
    VARIANT a = byRef(VT_UI4, value);
    return earlyBound(DispId::PicViewBgColor, DISPATCH_PROPERTYPUT, {&a}, nullptr);
}

HRESULT LumoObject::ClsPicView() noexcept { return earlyBound(DispId::ClsPicView, DISPATCH_METHOD, {}, nullptr); }

HRESULT LumoObject::ReDraw() noexcept { return earlyBound(DispId::ReDraw, DISPATCH_METHOD, {}, nullptr); }

HRESULT LumoObject::Lumoscope(VARIANT* x, VARIANT* y, VARIANT* alpha, VARIANT* r360, VARIANT* zoom,
                              VARIANT_BOOL* smoothing, double* qt) noexcept {
    if (!x || !y || !alpha || !r360 || !zoom || !smoothing) return E_POINTER;
    VARIANT ax = byRef(VT_VARIANT, x), ay = byRef(VT_VARIANT, y), aa = byRef(VT_VARIANT, alpha),
            ar = byRef(VT_VARIANT, r360), az = byRef(VT_VARIANT, zoom),
            as = byRef(VT_BOOL, smoothing), aq = byRef(VT_R8, qt);
    return earlyBound(DispId::Lumoscope, DISPATCH_METHOD, {&ax, &ay, &aa, &ar, &az, &as, qt ? &aq : nullptr},
                      nullptr);
}

}  // namespace lumo::com
