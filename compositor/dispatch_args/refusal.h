#pragma once
// Why a call's arguments cannot be taken, in the terms a dispatcher reports, and the service
// that converts values between types as the platform does for late-bound calls.
#include <cstdint>

#include "compositor/dispatch_args/arg_model.h"

namespace lumo::dispatch {

enum class Refusal : std::uint8_t {
    None,
    NullPointer,       // a null pointer where an array or a variable was promised
    InvalidArgument,   // more named arguments than arguments
    BadParamCount,     // too many arguments, or too few for the required ones
    ParamNotFound,     // a name that is no parameter, or a parameter given twice
    ParamNotOptional,  // a required argument marked as left out
    TypeMismatch,
    Overflow,
};

// A refusal, with the argument's index in Params::args when one argument is to blame.
struct Failure {
    Refusal refusal = Refusal::None;
    bool hasIndex = false;
    unsigned argIndex = 0;

    explicit operator bool() const { return refusal != Refusal::None; }
    static Failure of(Refusal r) { return {r, false, 0}; }
    static Failure at(Refusal r, unsigned index) { return {r, true, index}; }
};

// The platform's code for the user's default locale, which write-backs convert in.
constexpr std::uint32_t kUserDefaultLocale = 0x0400;

// Conversions between value types, as the platform performs them for late-bound calls (number
// formats of the locale, text to numbers, ...). The COM shell uses the platform's own; the
// native build a model of it.
class ValueConverter {
public:
    virtual ~ValueConverter() = default;
    // Overflow or TypeMismatch when `from` does not convert to `to`.
    virtual Refusal convert(const Value& from, VarType to, std::uint32_t locale, Value& out) const = 0;
};

}  // namespace lumo::dispatch
