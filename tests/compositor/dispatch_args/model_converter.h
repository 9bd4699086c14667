#pragma once
// A model of the platform's value conversions, for the native tests and the fuzzer of the
// argument library: exact for numbers (half to even into integer types, overflow beyond each
// type's range), plain decimal text for strings, and no conversion at all for objects, error
// codes, arrays, Null and unreadable values.
#include "compositor/dispatch_args/refusal.h"

namespace lumo::dispatch::test {

class ModelConverter final : public ValueConverter {
public:
    Refusal convert(const Value& from, VarType to, std::uint32_t locale, Value& out) const override;
};

}  // namespace lumo::dispatch::test
