#pragma once
// Arguments of late-bound calls: where the caller's variable lives (a Variant, a typed variable,
// or a value passed by value), its value as the engine's argument types, and the write-back
// into the caller's own variable in its own type. Script callers pass every argument as
// VT_BYREF|VT_VARIANT; typed callers pass VT_BYREF|<type> or plain values.
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <optional>

#include "compositor/com/outcome.h"
#include "compositor/engine/numeric_arg.h"

namespace lumo::com {

using Microsoft::WRL::ComPtr;

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

struct ArgSlot {
    VARIANT* variant = nullptr;      // the caller's Variant variable: a write-back replaces it
    VARTYPE typedVt = VT_EMPTY;      // the caller's typed variable: a write-back converts into it
    void* typedPtr = nullptr;
    const VARIANT* byValue = nullptr;  // a value: nothing to write back into

    bool isTyped() const { return typedPtr != nullptr; }
};

// Follows VT_BYREF|VT_VARIANT to the caller's variable. Null pointers and reference cycles are
// argument errors of position `param`.
Outcome resolveArg(VARIANT* arg, unsigned param, ArgSlot& out);

// An argument declared optional that the caller left out: no VARIANT, or VT_ERROR with
// DISP_E_PARAMNOTFOUND.
bool isMissing(const VARIANT* arg);

// "Any numeric value": its kind and value; NotNumeric for what does not convert.
Outcome numericArg(VARIANT* arg, unsigned param, LCID lcid, ArgSlot& slot, NumericArg& out);

// Stores an engine argument's new value into the caller's variable. A value that does not fit
// the variable's type is an overflow; a value passed by value is not written anywhere.
Outcome writeBack(const ArgSlot& slot, const NumericArg& value);

// Typed parameters, converted as a late-bound call converts them (DISP_E_TYPEMISMATCH or
// DISP_E_OVERFLOW with the argument's position when they do not convert).
Outcome booleanArg(VARIANT* arg, unsigned param, LCID lcid, VARIANT_BOOL& out);
Outcome colourArg(VARIANT* arg, unsigned param, LCID lcid, OLE_COLOR& out);
Outcome optionalDoubleArg(VARIANT* arg, unsigned param, LCID lcid, std::optional<double>& out);

// A picture object or Nothing (out stays null).
Outcome pictureArg(VARIANT* arg, unsigned param, ComPtr<IPictureDisp>& out);

}  // namespace lumo::com
