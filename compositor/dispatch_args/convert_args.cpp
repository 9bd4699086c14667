#include "compositor/dispatch_args/convert_args.h"

namespace lumo::dispatch {
namespace {

// Follows references to the caller's variable and reads the value there.
Refusal resolve(Arg* arg, Origin& origin, const Value*& value) {
    origin = {};
    if (!arg) return Refusal::NullPointer;
    Arg* a = arg;
    bool viaRef = false;
    for (int depth = 0; a->form == Arg::Form::VariantRef; ++depth) {
        if (depth == kMaxRefDepth) return Refusal::TypeMismatch;
        if (!a->variant) return Refusal::NullPointer;
        a = a->variant;
        viaRef = true;
    }
    if (a->form == Arg::Form::TypedRef) {
        if (!a->typed) return Refusal::NullPointer;
        origin.typed = a->typed;
        value = a->typed;
    } else {
        if (viaRef) origin.variant = a;
        value = &a->value;
    }
    return value->readable ? Refusal::None : Refusal::TypeMismatch;
}

// A conversion that fails for any other reason than overflow is a type mismatch.
Refusal convertTo(const Value& v, VarType to, const ValueConverter& c, std::uint32_t locale, Value& out) {
    const Refusal r = c.convert(v, to, locale, out);
    if (r == Refusal::None || r == Refusal::Overflow) return r;
    return Refusal::TypeMismatch;
}

// "Any numeric value": the engine computes in the caller's kind where it has one; other numbers
// and numeric text compute as Doubles, as they would in an expression; the rest is no number.
NumericArg numericOf(const Value& v, Slot slot, const ValueConverter& c, std::uint32_t locale) {
    switch (v.type) {
        case VarType::Empty: return NumericArg::integer(0, slot);  // an unset variable counts as 0
        case VarType::I2: return NumericArg::integer(static_cast<std::int16_t>(v.integer), slot);
        case VarType::UI1: return NumericArg::integer(static_cast<std::uint8_t>(v.integer), slot);
        case VarType::I4: return NumericArg::longValue(static_cast<std::int32_t>(v.integer), slot);
        case VarType::R4: return NumericArg::single(static_cast<float>(v.real), slot);
        case VarType::R8: return NumericArg::doubleValue(v.real, slot);
        case VarType::Bool: return NumericArg::booleanRaw(static_cast<std::int16_t>(v.integer), slot);
        case VarType::I1: case VarType::UI2: case VarType::UI4: case VarType::Int: case VarType::UInt:
        case VarType::I8: case VarType::UI8: case VarType::Currency: case VarType::Decimal:
        case VarType::Date: case VarType::String: break;
        default: return NumericArg::notNumeric();
    }
    Value d;
    if (c.convert(v, VarType::R8, locale, d) != Refusal::None) return NumericArg::notNumeric();
    return NumericArg::doubleValue(d.real, slot);
}

struct Converting {
    const ValueConverter& c;
    std::uint32_t locale;

    Refusal numeric(Arg* arg, Converted& out) const {
        const Value* v = nullptr;
        const Refusal r = resolve(arg, out.origin, v);
        if (r == Refusal::None) out.number = numericOf(*v, out.origin.typed ? Slot::Typed : Slot::Variant, c, locale);
        return r;
    }
    Refusal typed(Arg* arg, VarType to, Value& out) const {
        Origin origin;
        const Value* v = nullptr;
        const Refusal r = resolve(arg, origin, v);
        return r != Refusal::None ? r : convertTo(*v, to, c, locale, out);
    }
    Refusal boolean(Arg* arg, Converted& out) const {
        Value b;
        const Refusal r = typed(arg, VarType::Bool, b);
        if (r == Refusal::None) out.boolean = static_cast<std::int16_t>(b.integer);
        return r;
    }
    // Colours arrive as Longs (system colours are negative) or as unsigned values.
    Refusal colour(Arg* arg, Converted& out) const {
        Value v;
        Refusal r = typed(arg, VarType::I4, v);
        if (r == Refusal::Overflow) r = typed(arg, VarType::UI4, v);
        if (r == Refusal::None) out.colour = static_cast<std::uint32_t>(v.integer);
        return r;
    }
    Refusal optionalDouble(Arg* arg, Converted& out) const {
        out.real.reset();
        if (isMissing(arg)) return Refusal::None;
        Value d;
        const Refusal r = typed(arg, VarType::R8, d);
        if (r == Refusal::None) out.real = d.real;
        return r;
    }
    Refusal picture(Arg* arg, Converted& out) const {
        Origin origin;
        const Value* v = nullptr;
        const Refusal r = resolve(arg, origin, v);
        if (r != Refusal::None) return r;
        if (v->type != VarType::Dispatch && v->type != VarType::Unknown) return Refusal::TypeMismatch;
        out.object = v->object;
        return Refusal::None;
    }

    Refusal one(ParamKind kind, Arg* arg, Converted& out) const {
        switch (kind) {
            case ParamKind::Numeric: return numeric(arg, out);
            case ParamKind::Boolean: return boolean(arg, out);
            case ParamKind::Colour: return colour(arg, out);
            case ParamKind::OptionalDouble: return optionalDouble(arg, out);
            case ParamKind::Picture: return picture(arg, out);
        }
        return Refusal::TypeMismatch;
    }
};

}  // namespace

Failure convertArgs(const Signature& s, const Arrangement& a, const ValueConverter& c, std::uint32_t locale,
                    ConvertedArgs& out) {
    out = ConvertedArgs{};
    const Converting conv{c, locale};
    for (unsigned i = 0; i < s.count; ++i) {
        const Refusal r = conv.one(s.params[i], a.at[i], out.at[i]);
        if (r != Refusal::None) return Failure::at(r, a.rgIndex[i]);
    }
    return {};
}

Value valueOf(const NumericArg& n) {
    switch (n.kind()) {
        case NumericKind::Integer: return Value::of(VarType::I2, static_cast<std::int16_t>(n.value()));
        case NumericKind::Long: return Value::of(VarType::I4, static_cast<std::int32_t>(n.value()));
        case NumericKind::Single: return Value::ofReal(VarType::R4, n.value());
        case NumericKind::Boolean: return Value::of(VarType::Bool, static_cast<std::int16_t>(n.value()));
        default: return Value::ofReal(VarType::R8, n.value());
    }
}

Refusal writeBack(const Origin& origin, const NumericArg& value, const ValueConverter& c) {
    if (origin.variant) {
        origin.variant->form = Arg::Form::Value;
        origin.variant->value = valueOf(value);
        return Refusal::None;
    }
    if (!origin.typed) return Refusal::None;
    const VarType type = origin.typed->type;
    Value converted;
    const Refusal r = convertTo(valueOf(value), type, c, kUserDefaultLocale, converted);
    if (r != Refusal::None) return r;
    if (!storable(type)) return Refusal::TypeMismatch;
    *origin.typed = converted;
    origin.typed->type = type;
    return Refusal::None;
}

}  // namespace lumo::dispatch
