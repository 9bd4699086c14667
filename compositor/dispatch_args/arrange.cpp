#include "compositor/dispatch_args/arrange.h"

namespace lumo::dispatch {
namespace {

Failure placeNamed(const Params& p, const Signature& s, Arrangement& out) {
    for (unsigned k = 0; k < p.nameCount; ++k) {
        const std::int32_t pos = p.names->at(k);
        if (pos < 0 || static_cast<unsigned>(pos) >= s.count || out.at[pos]) {
            return Failure::at(Refusal::ParamNotFound, k);
        }
        out.rgIndex[pos] = k;
        out.at[pos] = p.args->at(k);
    }
    return {};
}

Failure checkRequired(const Params& p, const Signature& s, const Arrangement& out) {
    for (unsigned i = 0; i < s.required; ++i) {
        if (!isMissing(out.at[i])) continue;
        if (p.count < s.required) return Failure::of(Refusal::BadParamCount);
        return Failure::at(Refusal::ParamNotOptional, out.rgIndex[i]);
    }
    return {};
}

}  // namespace

Failure arrange(const Params& p, const Signature& s, Arrangement& out) {
    out = Arrangement{};
    if ((p.count && !p.args) || (p.nameCount && !p.names)) return Failure::of(Refusal::NullPointer);
    if (p.nameCount > p.count) return Failure::of(Refusal::InvalidArgument);
    if (s.kind == CallKind::Put) {
        // The value: named as the property put by well-behaved callers, but never anything else.
        if (p.count != 1) return Failure::of(Refusal::BadParamCount);
        out.at[0] = p.args->at(0);
        return {};
    }
    const unsigned positional = p.count - p.nameCount;
    if (positional > s.count) return Failure::of(Refusal::BadParamCount);
    for (unsigned i = 0; i < positional; ++i) {
        out.rgIndex[i] = p.count - 1 - i;
        out.at[i] = p.args->at(out.rgIndex[i]);
    }
    if (Failure f = placeNamed(p, s, out)) return f;
    return checkRequired(p, s, out);
}

bool isMissing(const Arg* arg) {
    if (!arg) return true;
    const Arg* a = arg;
    for (int depth = 0; a && a->form == Arg::Form::VariantRef && depth < kMaxRefDepth; ++depth) a = a->variant;
    return a && a->form == Arg::Form::Value && a->value.type == VarType::Error &&
           a->value.integer == kArgumentMissing;
}

}  // namespace lumo::dispatch
