#pragma once
// VARIANTs and the portable argument model: a value read from a VARIANT, a numeric value the
// model made as a VARIANT, and the platform's own conversions between types. Script callers
// pass every argument as VT_BYREF|VT_VARIANT; typed callers pass VT_BYREF|<type> or values.
#include <windows.h>
#include <oleauto.h>

#include <deque>

#include "compositor/dispatch_args/refusal.h"

namespace lumo::com {

// A VARIANT that clears itself.
struct Variant : VARIANT {
    Variant() { VariantInit(this); }
    ~Variant() { VariantClear(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

// A by-reference argument to a variable of type vt at p, as late-bound callers pass them.
inline VARIANT byRef(VARTYPE vt, void* p) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VARTYPE(vt | VT_BYREF);
    v.byref = p;
    return v;
}

// The model's view of a by-value VARIANT; the VARIANT itself stays the value's native copy.
dispatch::Value valueFromVariant(VARIANT& v);

// A value of the kinds the engine computes in (I2, I4, R4, R8, Bool) into an empty VARIANT;
// false for any other type.
bool variantOf(const dispatch::Value& value, VARIANT& out);

// The platform's conversions (VariantChangeTypeEx). The results live as long as the converter,
// as the native copies of the values it hands out.
class VariantConverter final : public dispatch::ValueConverter {
public:
    dispatch::Refusal convert(const dispatch::Value& from, dispatch::VarType to, std::uint32_t locale,
                              dispatch::Value& out) const override;

private:
    mutable std::deque<Variant> results_;
};

// Puts a converted value (native copy in `converted`) into a typed variable of type vt at ptr;
// `converted` gives up what it owned.
HRESULT storeTyped(VARTYPE vt, void* ptr, VARIANT& converted);

}  // namespace lumo::com
