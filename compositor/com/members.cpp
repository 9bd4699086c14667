// The members of _LumoCTRL: each is written once against late-bound arguments; the
// early-bound entry points wrap their typed pointers into by-reference VARIANTs.
#include <optional>

#include "compositor/com/lumo_object.h"
#include "compositor/com/variant_args.h"

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

}  // namespace

HRESULT LumoObject::earlyBound(Member m, std::initializer_list<VARIANT*> args, VARIANT* result) noexcept {
    return guarded([&] {
        CallArgs a;
        unsigned i = 0;
        for (VARIANT* v : args) a.at[i++] = v;
        return (this->*m)(a, result).hr;
    });
}

Outcome LumoObject::loadPicture(VARIANT* arg, RunError (LumoControl::*load)(PictureRef)) {
    ComPtr<IPictureDisp> pic;
    PictureRef px;
    Outcome o = pictureArg(arg, 0, pic);
    if (o.succeeded()) o = reader_.read(pic.Get(), px);
    if (o.succeeded()) o = Outcome::failed(((*control_).*load)(std::move(px)));
    return o;
}

Outcome LumoObject::callSetPicView(const CallArgs& a, VARIANT*) {
    Outcome o = loadPicture(a.at[0], &LumoControl::setPicView);
    if (!o.succeeded()) return o;
    // The host's own object is what Picture hands back.
    pictureArg(a.at[0], 0, viewPicture_);
    window_.invalidate();
    return o;
}

Outcome LumoObject::callSetPicMaterial(const CallArgs& a, VARIANT*) {
    return loadPicture(a.at[0], &LumoControl::setPicMaterial);
}

Outcome LumoObject::callSetPicWorkArea(const CallArgs& a, VARIANT*) {
    return loadPicture(a.at[0], &LumoControl::setPicWorkArea);
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
    VARIANT_BOOL on = VARIANT_FALSE;
    Outcome o = booleanArg(a.at[0], 0, a.lcid, on);
    if (!o.succeeded()) return o;
    enabled_ = on != VARIANT_FALSE;
    window_.enable(enabled_);
    return o;
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
    ArgSlot xs, ys;
    NumericArg x = NumericArg::notNumeric(), y = NumericArg::notNumeric();
    Outcome o = numericArg(a.at[0], 0, a.lcid, xs, x);
    if (o.succeeded()) o = numericArg(a.at[1], 1, a.lcid, ys, y);
    if (!o.succeeded()) return o;
    GdiFlush();
    std::int32_t colour = 0;
    o = Outcome::failed(control_->getPoint(x, y, colour));
    if (o.succeeded()) setLong(r, colour);
    return o;
}

Outcome LumoObject::callGetPicViewBgColor(const CallArgs&, VARIANT* r) {
    setLong(r, LONG(control_->picViewBgColor()));
    return Outcome::ok();
}

Outcome LumoObject::callPutPicViewBgColor(const CallArgs& a, VARIANT*) {
    OLE_COLOR c = 0;
    Outcome o = colourArg(a.at[0], 0, a.lcid, c);
    if (!o.succeeded()) return o;
    GdiFlush();
    o = Outcome::failed(control_->setPicViewBgColor(c));
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
    constexpr unsigned kNumeric = 5;  // x, y, Alpha, R360, Zoom
    ArgSlot slots[kNumeric];
    NumericArg v[kNumeric] = {NumericArg::notNumeric(), NumericArg::notNumeric(), NumericArg::notNumeric(),
                              NumericArg::notNumeric(), NumericArg::notNumeric()};
    Outcome o;
    for (unsigned i = 0; i < kNumeric && o.succeeded(); ++i) o = numericArg(a.at[i], i, a.lcid, slots[i], v[i]);
    VARIANT_BOOL smooth = VARIANT_FALSE;
    std::optional<double> qtValue;
    if (o.succeeded()) o = booleanArg(a.at[5], 5, a.lcid, smooth);
    if (o.succeeded()) o = optionalDoubleArg(a.at[6], 6, a.lcid, qtValue);
    if (!o.succeeded()) return o;

    NumericArg smoothing = NumericArg::booleanRaw(smooth, Slot::Typed);
    NumericArg qt = NumericArg::doubleValue(qtValue.value_or(1.0), Slot::Typed);
    const NumericArg alphaBefore = v[2], angleBefore = v[3];
    GdiFlush();
    o = Outcome::failed(control_->lumoscope({v[0], v[1], v[2], v[3], v[4], smoothing, qtValue ? &qt : nullptr}));
    // What the draw clamped or reduced reaches the caller even when a later step failed.
    for (unsigned i : {2u, 3u}) {
        const NumericArg& before = i == 2 ? alphaBefore : angleBefore;
        if (v[i].kind() == before.kind() && v[i].value() == before.value()) continue;
        Outcome w = writeBack(slots[i], v[i]);
        if (o.succeeded()) o = w;
    }
    return o;
}

// Early-bound entry points.

HRESULT LumoObject::earlyPictureIn(Member m, IPictureDisp** pic) noexcept {
    if (!pic) return E_POINTER;
    VARIANT a = byRef(VT_DISPATCH, pic);
    return earlyBound(m, {&a}, nullptr);
}

HRESULT LumoObject::earlyPictureOut(Member m, IPictureDisp** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    VARIANT r;
    VariantInit(&r);
    HRESULT hr = earlyBound(m, {}, &r);
    if (SUCCEEDED(hr)) *result = static_cast<IPictureDisp*>(r.pdispVal);
    return hr;
}

HRESULT LumoObject::setPicView(IPictureDisp** pic) noexcept {
    return earlyPictureIn(&LumoObject::callSetPicView, pic);
}

HRESULT LumoObject::setPicMaterial(IPictureDisp** pic) noexcept {
    return earlyPictureIn(&LumoObject::callSetPicMaterial, pic);
}

HRESULT LumoObject::setPicWorkArea(IPictureDisp** pic) noexcept {
    return earlyPictureIn(&LumoObject::callSetPicWorkArea, pic);
}

HRESULT LumoObject::getViewhDC(LONG* result) noexcept {
    if (!result) return E_POINTER;
    VARIANT r;
    VariantInit(&r);
    HRESULT hr = earlyBound(&LumoObject::callGetViewhDC, {}, &r);
    *result = r.lVal;
    return hr;
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
    return earlyBound(&LumoObject::callPutEnabled, {&a}, nullptr);
}

HRESULT LumoObject::get_Picture(IPictureDisp** result) noexcept {
    return earlyPictureOut(&LumoObject::callGetPicture, result);
}

HRESULT LumoObject::get_Image(IPictureDisp** result) noexcept {
    return earlyPictureOut(&LumoObject::callGetImage, result);
}

HRESULT LumoObject::getPoint(VARIANT* x, VARIANT* y, LONG* result) noexcept {
    if (!x || !y || !result) return E_POINTER;
    VARIANT ax = byRef(VT_VARIANT, x), ay = byRef(VT_VARIANT, y), r;
    VariantInit(&r);
    HRESULT hr = earlyBound(&LumoObject::callGetPoint, {&ax, &ay}, &r);
    *result = r.lVal;
    return hr;
}

HRESULT LumoObject::get_PicViewBgColor(OLE_COLOR* result) noexcept {
    if (!result) return E_POINTER;
    *result = control_->picViewBgColor();
    return S_OK;
}

HRESULT LumoObject::put_PicViewBgColor(OLE_COLOR* value) noexcept {
    if (!value) return E_POINTER;
    VARIANT a = byRef(VT_UI4, value);
    return earlyBound(&LumoObject::callPutPicViewBgColor, {&a}, nullptr);
}

HRESULT LumoObject::ClsPicView() noexcept { return earlyBound(&LumoObject::callClsPicView, {}, nullptr); }

HRESULT LumoObject::ReDraw() noexcept { return earlyBound(&LumoObject::callReDraw, {}, nullptr); }

HRESULT LumoObject::Lumoscope(VARIANT* x, VARIANT* y, VARIANT* alpha, VARIANT* r360, VARIANT* zoom,
                              VARIANT_BOOL* smoothing, double* qt) noexcept {
    if (!x || !y || !alpha || !r360 || !zoom || !smoothing) return E_POINTER;
    VARIANT ax = byRef(VT_VARIANT, x), ay = byRef(VT_VARIANT, y), aa = byRef(VT_VARIANT, alpha),
            ar = byRef(VT_VARIANT, r360), az = byRef(VT_VARIANT, zoom),
            as = byRef(VT_BOOL, smoothing), aq = byRef(VT_R8, qt);
    return earlyBound(&LumoObject::callLumoscope, {&ax, &ay, &aa, &ar, &az, &as, qt ? &aq : nullptr}, nullptr);
}

}  // namespace lumo::com
