#include "compositor/com/variant_args.h"

#include <cstring>

namespace lumo::com {
namespace {

// Deeper chains than this are cycles or garbage, never a real caller.
constexpr int kMaxRefDepth = 16;

// Copies the argument's value without VT_BYREF into out.
HRESULT valueOf(const ArgSlot& s, VARIANT& out) {
    if (s.isTyped()) {
        VARIANT ref;
        VariantInit(&ref);
        ref.vt = VARTYPE(s.typedVt | VT_BYREF);
        ref.byref = s.typedPtr;
        return VariantCopyInd(&out, &ref);
    }
    return VariantCopy(&out, s.variant ? s.variant : const_cast<VARIANT*>(s.byValue));
}

Outcome resolvedValue(VARIANT* arg, unsigned param, ArgSlot& slot, VARIANT& value) {
    Outcome o = resolveArg(arg, param, slot);
    if (!o.succeeded()) return o;
    if (FAILED(valueOf(slot, value))) return Outcome::badArg(DISP_E_TYPEMISMATCH, param);
    return o;
}

NumericArg numericOf(const VARIANT& v, Slot slot, LCID lcid) {
    switch (v.vt) {
        case VT_EMPTY: return NumericArg::integer(0, slot);  // an unset variable counts as 0
        case VT_I2: return NumericArg::integer(v.iVal, slot);
        case VT_UI1: return NumericArg::integer(v.bVal, slot);
        case VT_I4: return NumericArg::longValue(v.lVal, slot);
        case VT_R4: return NumericArg::single(v.fltVal, slot);
        case VT_R8: return NumericArg::doubleValue(v.dblVal, slot);
        case VT_BOOL: return NumericArg::booleanRaw(v.boolVal, slot);
        case VT_I1: case VT_UI2: case VT_UI4: case VT_INT: case VT_UINT: case VT_I8:
        case VT_UI8: case VT_CY: case VT_DECIMAL: case VT_DATE: case VT_BSTR: break;
        default: return NumericArg::notNumeric();
    }
    // Other numbers and numeric text compute as Doubles, as they would in an expression.
    Variant d;
    if (FAILED(VariantChangeTypeEx(&d, const_cast<VARIANT*>(&v), lcid, 0, VT_R8))) return NumericArg::notNumeric();
    return NumericArg::doubleValue(d.dblVal, slot);
}

void setVariant(VARIANT& v, const NumericArg& a) {
    switch (a.kind()) {
        case NumericKind::Integer: v.vt = VT_I2; v.iVal = SHORT(a.value()); break;
        case NumericKind::Long: v.vt = VT_I4; v.lVal = LONG(a.value()); break;
        case NumericKind::Single: v.vt = VT_R4; v.fltVal = float(a.value()); break;
        case NumericKind::Boolean: v.vt = VT_BOOL; v.boolVal = VARIANT_BOOL(a.value()); break;
        default: v.vt = VT_R8; v.dblVal = a.value(); break;
    }
}

std::size_t scalarSize(VARTYPE vt) {
    switch (vt) {
        case VT_I1: case VT_UI1: return 1;
        case VT_I2: case VT_UI2: case VT_BOOL: return 2;
        case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
        case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: return 8;
        default: return 0;
    }
}

// Puts a converted value into a typed variable of type vt; dst gives up what it owned.
HRESULT storeTyped(VARTYPE vt, void* ptr, VARIANT& dst) {
    if (vt == VT_BSTR) {
        SysFreeString(*static_cast<BSTR*>(ptr));
        *static_cast<BSTR*>(ptr) = dst.bstrVal;
        dst.vt = VT_EMPTY;
        return S_OK;
    }
    if (vt == VT_DECIMAL) {
        DECIMAL d = dst.decVal;
        d.wReserved = 0;
        *static_cast<DECIMAL*>(ptr) = d;
        return S_OK;
    }
    const std::size_t n = scalarSize(vt);
    if (n == 0) return DISP_E_TYPEMISMATCH;
    std::memcpy(ptr, &dst.llVal, n);
    return S_OK;
}

}  // namespace

Outcome resolveArg(VARIANT* arg, unsigned param, ArgSlot& out) {
    out = ArgSlot{};
    if (!arg) return Outcome::badArg(E_POINTER, param);
    VARIANT* v = arg;
    bool viaRef = false;
    for (int depth = 0; v->vt == (VT_BYREF | VT_VARIANT); ++depth) {
        if (depth == kMaxRefDepth) return Outcome::badArg(DISP_E_TYPEMISMATCH, param);
        if (!v->pvarVal) return Outcome::badArg(E_POINTER, param);
        v = v->pvarVal;
        viaRef = true;
    }
    if (v->vt & VT_BYREF) {
        if (!v->byref) return Outcome::badArg(E_POINTER, param);
        out.typedVt = VARTYPE(v->vt & ~VT_BYREF);
        out.typedPtr = v->byref;
    } else if (viaRef) {
        out.variant = v;
    } else {
        out.byValue = v;
    }
    return Outcome::ok();
}

bool isMissing(const VARIANT* arg) {
    if (!arg) return true;
    const VARIANT* v = arg;
    for (int depth = 0; v && v->vt == (VT_BYREF | VT_VARIANT) && depth < kMaxRefDepth; ++depth)
        v = v->pvarVal;
    return v && v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND;
}

Outcome numericArg(VARIANT* arg, unsigned param, LCID lcid, ArgSlot& slot, NumericArg& out) {
    Variant value;
    Outcome o = resolvedValue(arg, param, slot, value);
    if (!o.succeeded()) return o;
    out = numericOf(value, slot.isTyped() ? Slot::Typed : Slot::Variant, lcid);
    return o;
}

Outcome writeBack(const ArgSlot& slot, const NumericArg& value) {
    if (slot.variant) {
        VariantClear(slot.variant);
        setVariant(*slot.variant, value);
        return Outcome::ok();
    }
    if (!slot.isTyped()) return Outcome::ok();
    Variant src, dst;
    setVariant(src, value);
    HRESULT hr = VariantChangeType(&dst, &src, 0, slot.typedVt);
    if (SUCCEEDED(hr)) hr = storeTyped(slot.typedVt, slot.typedPtr, dst);
    if (FAILED(hr)) return Outcome::failed(hr == DISP_E_OVERFLOW ? quill::RunError::Overflow
                                                                  : quill::RunError::TypeMismatch);
    return Outcome::ok();
}

// The argument's value converted to vt, as a late-bound call converts a typed parameter.
Outcome convertedArg(VARIANT* arg, unsigned param, LCID lcid, VARTYPE vt, VARIANT& out) {
    ArgSlot slot;
    Variant value;
    Outcome o = resolvedValue(arg, param, slot, value);
    if (!o.succeeded()) return o;
    const HRESULT hr = VariantChangeTypeEx(&out, &value, lcid, 0, vt);
    if (FAILED(hr)) return Outcome::badArg(hr == DISP_E_OVERFLOW ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH, param);
    return o;
}

Outcome booleanArg(VARIANT* arg, unsigned param, LCID lcid, VARIANT_BOOL& out) {
    Variant b;
    Outcome o = convertedArg(arg, param, lcid, VT_BOOL, b);
    if (o.succeeded()) out = b.boolVal;
    return o;
}

Outcome colourArg(VARIANT* arg, unsigned param, LCID lcid, OLE_COLOR& out) {
    // Colours arrive as Longs (system colours are negative) or as unsigned values.
    Variant c;
    Outcome o = convertedArg(arg, param, lcid, VT_I4, c);
    if (o.hr == DISP_E_OVERFLOW) o = convertedArg(arg, param, lcid, VT_UI4, c);
    if (o.succeeded()) out = c.vt == VT_UI4 ? c.ulVal : OLE_COLOR(c.lVal);
    return o;
}

Outcome optionalDoubleArg(VARIANT* arg, unsigned param, LCID lcid, std::optional<double>& out) {
    out.reset();
    if (isMissing(arg)) return Outcome::ok();
    Variant d;
    Outcome o = convertedArg(arg, param, lcid, VT_R8, d);
    if (o.succeeded()) out = d.dblVal;
    return o;
}

Outcome pictureArg(VARIANT* arg, unsigned param, ComPtr<IPictureDisp>& out) {
    out.Reset();
    ArgSlot slot;
    Variant value;
    Outcome o = resolvedValue(arg, param, slot, value);
    if (!o.succeeded()) return o;
    if (value.vt != VT_DISPATCH && value.vt != VT_UNKNOWN)
        return Outcome::badArg(DISP_E_TYPEMISMATCH, param);
    if (!value.punkVal) return o;  // Nothing: unloads the picture
    if (FAILED(value.punkVal->QueryInterface(IID_PPV_ARGS(&out))))
        return Outcome::badArg(DISP_E_TYPEMISMATCH, param);
    return o;
}

}  // namespace lumo::com
