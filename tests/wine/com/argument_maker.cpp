#include "argument_maker.h"

#include <cmath>
#include <limits>

namespace comtest {
namespace {

VARIANT typed(VARTYPE vt, void* p) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VARTYPE(vt | VT_BYREF);
    v.byref = p;
    return v;
}

const wchar_t* const kTexts[] = {L"", L"0", L"-1", L"300", L" 12 ", L"2.5", L"1e400", L"&H10", L"1,5", L"abc",
                                 L"True", L"12abc", L"99999999999999999999999999999999999999"};

}  // namespace

void ArgumentMaker::clear() {
    for (VARIANT& v : targets_) VariantClear(&v);
    targets_.clear();
}

double ArgumentMaker::oddDouble() {
    const double odd[] = {0, -0.5, 2.5, 255.5, 1e10, -1e300, std::nan(""),
                          std::numeric_limits<double>::infinity(), 65, 360, -359.5, 1e-300};
    return odd[pick(12)];
}

VARIANT& ArgumentMaker::target(VARIANT inner) {
    targets_.push_back(inner);
    return targets_.back();
}

VARIANT ArgumentMaker::make(int depth) {
    VARIANT v;
    VariantInit(&v);
    switch (pick(depth < 2 ? 16 : 14)) {
        case 0: v.vt = VT_EMPTY; break;
        case 1: v.vt = VT_NULL; break;
        case 2: v.vt = VT_I2; v.iVal = short(rng_()); break;
        case 3: v.vt = VT_I4; v.lVal = LONG(rng_()); break;
        case 4: v.vt = VT_R8; v.dblVal = oddDouble(); break;
        case 5: v.vt = VT_R4; v.fltVal = float(oddDouble()); break;
        case 6: v.vt = VT_BOOL; v.boolVal = VARIANT_BOOL(rng_()); break;
        case 7: v.vt = VT_BSTR; v.bstrVal = SysAllocString(pick(2) ? L"12" : L"12abc"); break;
        case 8:
            v.vt = VT_DISPATCH;
            v.pdispVal = pick(3) == 0 ? nullptr : pick(2) ? objects_[1] : objects_[0];
            if (v.pdispVal) v.pdispVal->AddRef();
            break;
        case 9: v.vt = VT_ERROR; v.scode = DISP_E_PARAMNOTFOUND; break;
        case 10: v.vt = VT_UI1; v.bVal = BYTE(rng_()); break;
        case 11: v.vt = VT_DATE; v.date = oddDouble(); break;
        case 12: v.vt = VARTYPE(VT_BYREF | VT_I2); v.piVal = &s_.i2; break;
        case 13: v.vt = VARTYPE(VT_BYREF | [&] { return pick(2) ? VT_R8 : VT_BOOL; }());
                 v.byref = v.vt == (VT_BYREF | VT_R8) ? static_cast<void*>(&s_.r8) : &s_.b; break;
        default: {  // VT_BYREF|VT_VARIANT to a variable of the caller's
            v.vt = VT_BYREF | VT_VARIANT;
            v.pvarVal = &target(make(depth + 1));
        }
    }
    return v;
}

VARIANT ArgumentMaker::makeRich(int depth) {
    switch (pick(4)) {
        case 0: return make(depth);
        case 1: return richValue();
        default: return depth < 3 ? richReference(depth) : richValue();
    }
}

VARIANT ArgumentMaker::richValue() {
    VARIANT v;
    VariantInit(&v);
    switch (pick(12)) {
        case 0: v.vt = VT_BSTR; v.bstrVal = SysAllocString(kTexts[pick(13)]); break;
        case 1: v.vt = VT_CY; v.cyVal.int64 = LONGLONG(rng_()) * (pick(2) ? 1 : 1000000007LL); break;
        case 2: VarDecFromR8(oddDouble() / 7, &v.decVal); v.vt = VT_DECIMAL; break;  // the decimal covers vt
        case 3: v.vt = VARTYPE(pick(2) ? VT_I8 : VT_UI8); v.llVal = (LONGLONG(rng_()) << 32) | rng_(); break;
        case 4: v.llVal = LONG(rng_()); v.vt = VARTYPE(VT_I1 + pick(5)); break;  // I1, UI1, UI2, UI4, I8
        case 5: v.llVal = 0; v.vt = VARTYPE(pick(2) ? VT_INT : VT_UINT); v.intVal = INT(rng_()); break;
        case 6: {
            const VARTYPE element = pick(3) == 0 ? VT_BSTR : pick(2) ? VT_I4 : VT_VARIANT;
            v.vt = VARTYPE(VT_ARRAY | element);
            v.parray = SafeArrayCreateVector(element, 0, ULONG(pick(4)));
            break;
        }
        case 7: case 8: {
            v.vt = VARTYPE(pick(4) == 0 ? VT_UNKNOWN : VT_DISPATCH);
            v.pdispVal = pick(8) == 0 ? nullptr : objects_[std::size_t(pick(int(objects_.size())))];
            if (v.pdispVal) v.pdispVal->AddRef();
            break;
        }
        case 9: v.vt = VT_ERROR; v.scode = pick(2) ? DISP_E_PARAMNOTFOUND : E_FAIL; break;
        case 10: v.vt = VARTYPE(pick(3) == 0 ? 15 : pick(2) ? 0x48 : (VT_VECTOR | VT_I4)); break;  // no such layouts
        default: v.vt = VT_R8; v.dblVal = double(LONG(rng_())) / 256; break;
    }
    return v;
}

VARIANT ArgumentMaker::richReference(int depth) {
    switch (pick(13)) {
        case 0: return typed(VT_BSTR, &s_.text);
        case 1: return typed(VT_UI1, &s_.ui1);
        case 2: return typed(VT_I4, &s_.i4);
        case 3: return typed(VT_CY, &s_.cy);
        case 4: return typed(VT_DECIMAL, &s_.dec);
        case 5: s_.object = objects_[std::size_t(pick(int(objects_.size())))]; return typed(VT_DISPATCH, &s_.object);
        case 6: return typed(VARTYPE(VT_ARRAY | VT_I4), &s_.array);
        case 7: return typed(pick(2) ? VT_VARIANT : VT_I2, nullptr);  // null references
        case 8: {  // a variable that refers to itself
            VARIANT& self = target(VARIANT{});
            self.vt = VT_BYREF | VT_VARIANT;
            self.pvarVal = &self;
            return typed(VT_VARIANT, &self);
        }
        default: return typed(VT_VARIANT, &target(makeRich(depth + 1)));
    }
}

}  // namespace comtest
