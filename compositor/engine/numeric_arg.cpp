#include "compositor/engine/numeric_arg.h"

namespace lumo {

NumericArg NumericArg::integer(std::int16_t v, Slot s) { return {NumericKind::Integer, double(v), s}; }
NumericArg NumericArg::longValue(std::int32_t v, Slot s) { return {NumericKind::Long, double(v), s}; }
NumericArg NumericArg::single(float v, Slot s) { return {NumericKind::Single, double(v), s}; }
NumericArg NumericArg::doubleValue(double v, Slot s) { return {NumericKind::Double, v, s}; }
NumericArg NumericArg::boolean(bool v, Slot s) { return {NumericKind::Boolean, v ? -1.0 : 0.0, s}; }
NumericArg NumericArg::booleanRaw(std::int16_t raw, Slot s) { return {NumericKind::Boolean, double(raw), s}; }
NumericArg NumericArg::notNumeric() { return {NumericKind::NotNumeric, 0.0, Slot::Variant}; }

void NumericArg::assignInteger(std::int16_t v) { assign(NumericKind::Integer, v); }
void NumericArg::assignLong(std::int32_t v) { assign(NumericKind::Long, v); }

void NumericArg::assign(NumericKind resultKind, double v) {
    if (slot_ == Slot::Variant || kind_ == NumericKind::NotNumeric) {
        kind_ = resultKind;
        value_ = v;
        return;
    }
    // Whole numbers of 16 or 32 bits fit every numeric type exactly; a Boolean variable takes
    // True for any non-zero value.
    switch (kind_) {
        case NumericKind::Boolean: value_ = v != 0 ? -1.0 : 0.0; break;
        case NumericKind::Single: value_ = double(float(v)); break;
        default: value_ = v; break;
    }
}

}  // namespace lumo
