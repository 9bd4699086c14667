#pragma once
// Conversions of fractional values to the system's integer widths. Every such conversion
// rounds to the nearest integer with halves to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0); a value
// that does not fit the target width (NaN and the infinities included) has no result, which
// callers report as an overflow error.
#include <cmath>
#include <cstdint>
#include <optional>

namespace quill {

using Integer = std::int16_t;  // 16-bit signed
using Long = std::int32_t;     // 32-bit signed

// Explicit rather than std::nearbyint: a host process may have changed the FPU rounding mode.
inline double roundHalfEven(double v) {
    double r = std::round(v);  // halves away from zero
    if (std::fabs(r - v) == 0.5) r = 2.0 * std::round(v / 2.0);
    return r;
}

inline std::optional<Long> roundToLong(double v) {
    double r = roundHalfEven(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
    return static_cast<Long>(r);
}

inline std::optional<Integer> roundToInteger(double v) {
    double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
    return static_cast<Integer>(r);
}

// Largest integer not greater than v, for |v| < 2^31. Cheaper than std::floor plus a
// conversion, and exact: truncation moves negative non-integers up, so step back by one.
inline int floorToInt(double v) {
    int t = static_cast<int>(v);
    return t - (v < static_cast<double>(t));
}

}  // namespace quill
