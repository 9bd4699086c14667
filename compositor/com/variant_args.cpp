#include "compositor/com/variant_args.h"

#include <cstring>

namespace lumo::com {

using dispatch::Refusal;
using dispatch::Value;
using dispatch::VarType;

namespace {

std::int64_t integerOf(const VARIANT& v) {
    switch (v.vt) {
        case VT_I1: return v.cVal;
        case VT_UI1: return v.bVal;
        case VT_I2: return v.iVal;
        case VT_UI2: return v.uiVal;
        case VT_I4: return v.lVal;
        case VT_UI4: return v.ulVal;
        case VT_INT: return v.intVal;
        case VT_UINT: return v.uintVal;
        case VT_I8: return v.llVal;
        case VT_UI8: return static_cast<std::int64_t>(v.ullVal);
        case VT_BOOL: return v.boolVal;
        case VT_ERROR: return v.scode;
        case VT_CY: return v.cyVal.int64;
        default: return 0;
    }
}

double realOf(VARIANT& v) {
    switch (v.vt) {
        case VT_R4: return v.fltVal;
        case VT_R8: return v.dblVal;
        case VT_DATE: return v.date;
        case VT_DECIMAL: {
            double d = 0;
            VarR8FromDec(&v.decVal, &d);
            return d;
        }
        default: return 0;
    }
}

}  // namespace

Value valueFromVariant(VARIANT& v) {
    Value out;
    out.type = static_cast<VarType>(v.vt);
    out.integer = integerOf(v);
    out.real = realOf(v);
    if (v.vt == VT_BSTR && v.bstrVal) {
        out.text.assign(reinterpret_cast<const char16_t*>(v.bstrVal), SysStringLen(v.bstrVal));
    }
    if (v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) out.object = v.punkVal;
    out.native = &v;
    return out;
}

bool variantOf(const Value& value, VARIANT& out) {
    switch (value.type) {
        case VarType::I2: out.vt = VT_I2; out.iVal = SHORT(value.integer); return true;
        case VarType::I4: out.vt = VT_I4; out.lVal = LONG(value.integer); return true;
        case VarType::R4: out.vt = VT_R4; out.fltVal = float(value.real); return true;
        case VarType::R8: out.vt = VT_R8; out.dblVal = value.real; return true;
        case VarType::Bool: out.vt = VT_BOOL; out.boolVal = VARIANT_BOOL(value.integer); return true;
        default: return false;
    }
}

Refusal VariantConverter::convert(const Value& from, VarType to, std::uint32_t locale, Value& out) const {
    Variant made;
    VARIANT* src = static_cast<VARIANT*>(from.native);
    if (!src) {
        if (!variantOf(from, made)) return Refusal::TypeMismatch;
        src = &made;
    }
    Variant& dst = results_.emplace_back();
    const HRESULT hr = VariantChangeTypeEx(&dst, src, locale, 0, VARTYPE(to));
    if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? Refusal::Overflow : Refusal::TypeMismatch;
    out = valueFromVariant(dst);
    return Refusal::None;
}

HRESULT storeTyped(VARTYPE vt, void* ptr, VARIANT& converted) {
    if (vt == VT_BSTR) {
        SysFreeString(*static_cast<BSTR*>(ptr));
        *static_cast<BSTR*>(ptr) = converted.bstrVal;
        converted.vt = VT_EMPTY;
        return S_OK;
    }
    if (vt == VT_DECIMAL) {
        DECIMAL d = converted.decVal;
        d.wReserved = 0;
        *static_cast<DECIMAL*>(ptr) = d;
        return S_OK;
    }
    const std::size_t n = dispatch::scalarSize(static_cast<VarType>(vt));
    if (n == 0) return DISP_E_TYPEMISMATCH;
    std::memcpy(ptr, &converted.llVal, n);
    return S_OK;
}

}  // namespace lumo::com
