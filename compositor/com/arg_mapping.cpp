#include "compositor/com/arg_mapping.h"

namespace lumo::com {

using dispatch::Arg;

ArgMapping::ArgMapping(const DISPPARAMS& p) : p_(p), names_(p.rgdispidNamedArgs) {
    params_.args = p.rgvarg ? this : nullptr;
    params_.count = p.cArgs;
    params_.names = p.rgdispidNamedArgs ? &names_ : nullptr;
    params_.nameCount = p.cNamedArgs;
    unfollowed_.form = Arg::Form::VariantRef;
    unfollowed_.variant = &unfollowed_;
}

Arg* ArgMapping::at(unsigned index) { return cellFor(&p_.rgvarg[index], 0); }

// Each VARIANT of the caller maps to one cell, so cycles and shared variables stay what they
// are. A chain is followed only as deep as the conversion reads it; reached again nearer its
// start, it is followed further.
Arg* ArgMapping::cellFor(VARIANT* v, int depth) {
    auto [it, fresh] = cells_.try_emplace(v);
    Cell& c = it->second;
    if (fresh) {
        sources_[&c.arg] = v;
        read(v, c.arg);
    }
    const int reach = dispatch::kMaxRefDepth - depth;
    if (c.arg.form == Arg::Form::VariantRef && v->pvarVal && reach > c.followed) {
        c.followed = reach;
        c.arg.variant = reach > 0 ? cellFor(v->pvarVal, depth + 1) : &unfollowed_;
    }
    return &c.arg;
}

void ArgMapping::read(VARIANT* v, Arg& arg) {
    if (v->vt == (VT_BYREF | VT_VARIANT)) {
        arg.form = Arg::Form::VariantRef;
        arg.variant = nullptr;
    } else if (v->vt & VT_BYREF) {
        arg.form = Arg::Form::TypedRef;
        if (!v->byref) return;
        TypedVariable& t = typed_.emplace_back();
        t.vt = VARTYPE(v->vt & ~VT_BYREF);
        t.ptr = v->byref;
        t.value = copied(v, true);
        t.value.type = static_cast<dispatch::VarType>(t.vt);
        arg.typed = &t.value;
    } else {
        arg.value = copied(v, false);
    }
}

// The value through the platform's own copy, which refuses layouts it cannot read.
dispatch::Value ArgMapping::copied(VARIANT* v, bool typed) {
    Variant& copy = copies_.emplace_back();
    const HRESULT hr = typed ? VariantCopyInd(&copy, v) : VariantCopy(&copy, v);
    if (SUCCEEDED(hr)) return valueFromVariant(copy);
    dispatch::Value refused;
    refused.type = static_cast<dispatch::VarType>(v->vt & ~VT_BYREF);
    refused.readable = false;
    return refused;
}

Outcome ArgMapping::store(const dispatch::Origin& origin) {
    if (origin.variant) {
        VARIANT* v = sources_.at(origin.variant);
        VariantClear(v);
        if (!variantOf(origin.variant->value, *v)) return Outcome::failed(quill::RunError::TypeMismatch);
        return Outcome::ok();
    }
    if (!origin.typed) return Outcome::ok();
    for (TypedVariable& t : typed_) {
        if (&t.value != origin.typed) continue;
        auto* converted = static_cast<VARIANT*>(t.value.native);
        if (!converted || FAILED(storeTyped(t.vt, t.ptr, *converted)))
            return Outcome::failed(quill::RunError::TypeMismatch);
        return Outcome::ok();
    }
    return Outcome::failed(quill::RunError::TypeMismatch);
}

Outcome CallArgs::writeBack(unsigned i, const NumericArg& value) const {
    const dispatch::Origin& origin = converted.at[i].origin;
    const dispatch::Refusal r = dispatch::writeBack(origin, value, converter);
    if (r == dispatch::Refusal::None) return mapping.store(origin);
    const bool overflow = r == dispatch::Refusal::Overflow;
    return Outcome::failed(overflow ? quill::RunError::Overflow : quill::RunError::TypeMismatch);
}

}  // namespace lumo::com
