#include "model_converter.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumo::dispatch::test {
namespace {

struct Range {
    double lo, hi;  // inclusive bounds of the rounded value
};

bool integerRange(VarType t, Range& r) {
    switch (t) {
        case VarType::I1: r = {-128, 127}; return true;
        case VarType::UI1: r = {0, 255}; return true;
        case VarType::I2: r = {-32768, 32767}; return true;
        case VarType::UI2: r = {0, 65535}; return true;
        case VarType::I4: case VarType::Int: r = {-2147483648.0, 2147483647.0}; return true;
        case VarType::UI4: case VarType::UInt: r = {0, 4294967295.0}; return true;
        case VarType::I8: r = {-9223372036854775808.0, 9223372036854774784.0}; return true;
        case VarType::UI8: r = {0, 18446744073709549568.0}; return true;
        default: return false;
    }
}

// Plain decimal text: an optional sign, digits with at most one point, an optional exponent.
bool parseNumber(const std::u16string& text, double& out) {
    std::string ascii;
    for (char16_t ch : text) {
        if (ch > 0x7F) return false;
        ascii += static_cast<char>(ch);
    }
    const auto first = ascii.find_first_not_of(' '), last = ascii.find_last_not_of(' ');
    if (first == std::string::npos) return false;
    ascii = ascii.substr(first, last - first + 1);
    if (ascii.find_first_not_of("+-0123456789.eE") != std::string::npos) return false;
    char* end = nullptr;
    out = std::strtod(ascii.c_str(), &end);
    return end == ascii.c_str() + ascii.size() && std::isfinite(out);
}

Refusal numberOf(const Value& v, double& out) {
    if (!v.readable || isArray(v.type)) return Refusal::TypeMismatch;
    switch (v.type) {
        case VarType::Empty: out = 0; return Refusal::None;
        case VarType::I1: case VarType::UI1: case VarType::I2: case VarType::UI2: case VarType::I4:
        case VarType::UI4: case VarType::Int: case VarType::UInt: case VarType::I8: case VarType::Bool:
            out = static_cast<double>(v.integer);
            return Refusal::None;
        case VarType::UI8: out = static_cast<double>(static_cast<std::uint64_t>(v.integer)); return Refusal::None;
        case VarType::Currency: out = static_cast<double>(v.integer) / 10000.0; return Refusal::None;
        case VarType::R4: case VarType::R8: case VarType::Date: case VarType::Decimal:
            out = v.real;
            return Refusal::None;
        case VarType::String: return parseNumber(v.text, out) ? Refusal::None : Refusal::TypeMismatch;
        default: return Refusal::TypeMismatch;
    }
}

Refusal toInteger(double x, const Range& r, VarType to, Value& out) {
    const double rounded = std::nearbyint(x);
    if (!(rounded >= r.lo && rounded <= r.hi)) return Refusal::Overflow;  // NaN too
    out = Value::of(to, to == VarType::UI8 ? static_cast<std::int64_t>(static_cast<std::uint64_t>(rounded))
                                           : static_cast<std::int64_t>(rounded));
    return Refusal::None;
}

Refusal toOther(double x, VarType to, Value& out) {
    switch (to) {
        case VarType::Empty: out = Value{}; return Refusal::None;
        case VarType::Bool: out = Value::of(to, x != 0 ? -1 : 0); return Refusal::None;
        case VarType::R4:
            if (std::isfinite(x) && std::fabs(x) > FLT_MAX) return Refusal::Overflow;
            out = Value::ofReal(to, static_cast<float>(x));
            return Refusal::None;
        case VarType::R8: case VarType::Date: case VarType::Decimal: out = Value::ofReal(to, x); return Refusal::None;
        case VarType::Currency: return toInteger(x * 10000.0, {-9.2233720368547e18, 9.2233720368547e18}, to, out);
        case VarType::String: {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.15g", x);
            out = Value{};
            out.type = to;
            for (const char* p = buf; *p; ++p) out.text += static_cast<char16_t>(*p);
            return Refusal::None;
        }
        default: return Refusal::TypeMismatch;
    }
}

}  // namespace

Refusal ModelConverter::convert(const Value& from, VarType to, std::uint32_t, Value& out) const {
    double x = 0;
    if (Refusal r = numberOf(from, x); r != Refusal::None) return r;
    Range range{};
    return integerRange(to, range) ? toInteger(x, range, to, out) : toOther(x, to, out);
}

}  // namespace lumo::dispatch::test
