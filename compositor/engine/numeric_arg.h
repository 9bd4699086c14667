#pragma once
// An argument a late-bound caller passes by reference as "any numeric value": the value with
// its numeric kind, and the caller's slot it came from, so a write-back lands in the caller's
// own variable in that variable's own type.
#include <cstdint>

#include "common/rounding.h"

namespace lumo {

enum class NumericKind : std::uint8_t { Integer, Long, Single, Double, Boolean, NotNumeric };

enum class Slot : std::uint8_t {
    Variant,  // the caller's variable holds any type: a write-back replaces kind and value
    Typed,    // the caller's variable has a fixed type: a write-back converts into it
};

class NumericArg {
public:
    static NumericArg integer(std::int16_t v, Slot s = Slot::Variant);
    static NumericArg longValue(std::int32_t v, Slot s = Slot::Variant);
    static NumericArg single(float v, Slot s = Slot::Variant);
    static NumericArg doubleValue(double v, Slot s = Slot::Variant);
    static NumericArg boolean(bool v, Slot s = Slot::Variant);
    // A Boolean's raw 16-bit value: True is -1, but a careless caller may pass other values.
    static NumericArg booleanRaw(std::int16_t raw, Slot s = Slot::Variant);
    static NumericArg notNumeric();

    NumericKind kind() const { return kind_; }
    Slot slot() const { return slot_; }
    bool isNumeric() const { return kind_ != NumericKind::NotNumeric; }
    // The value as a double; exact for every numeric kind. 0 for a non-numeric argument.
    double value() const { return value_; }

    // Stores an Integer result, as an assignment to the caller's variable would.
    void assignInteger(std::int16_t v);
    // Stores a Long result.
    void assignLong(std::int32_t v);

private:
    NumericArg(NumericKind k, double v, Slot s) : kind_(k), slot_(s), value_(v) {}
    void assign(NumericKind resultKind, double v);

    NumericKind kind_;
    Slot slot_;
    double value_;
};

}  // namespace lumo
