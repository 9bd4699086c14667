#pragma once
// The arguments of a member call converted to the engine's argument types, and the
// write-back of what the engine changed into the caller's own variable.
#include <optional>

#include "compositor/dispatch_args/arrange.h"
#include "compositor/engine/numeric_arg.h"

namespace lumo::dispatch {

// Where an argument's value came from, and so where a write-back goes: the caller's Variant
// (a write-back replaces it), the caller's typed variable (a write-back converts into its
// type), or neither for a value passed by value (used, and written nowhere).
struct Origin {
    Arg* variant = nullptr;
    Value* typed = nullptr;
};

// One parameter converted for the engine; only the field of its kind is meaningful.
struct Converted {
    NumericArg number = NumericArg::notNumeric();  // Numeric: NotNumeric for what is no number
    Origin origin;                                 // Numeric
    std::int16_t boolean = 0;                      // Boolean, as its raw 16 bits
    std::uint32_t colour = 0;                      // Colour
    std::optional<double> real;                    // OptionalDouble: empty when left out
    void* object = nullptr;                        // Picture: the object; null is Nothing
};

struct ConvertedArgs {
    Converted at[kMaxParams];
};

// Converts the arranged arguments in declared order. The first one that cannot be taken (a
// null pointer, a reference cycle, a value the platform cannot read, a typed parameter that
// does not convert) is the failure, with its index in Params::args.
Failure convertArgs(const Signature& s, const Arrangement& a, const ValueConverter& c, std::uint32_t locale,
                    ConvertedArgs& out);

// Stores an engine argument's new value in the caller's variable. A value that does not fit a
// typed variable is an Overflow (or a TypeMismatch for a type that holds no number).
Refusal writeBack(const Origin& origin, const NumericArg& value, const ValueConverter& c);

// The engine's numeric value as a value of the matching type.
Value valueOf(const NumericArg& n);

}  // namespace lumo::dispatch
