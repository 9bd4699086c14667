#pragma once
// Integer and Long arithmetic with overflow as an error instead of a wrap.
#include <cstdint>
#include <limits>
#include <optional>

#include "common/rounding.h"

namespace quill {

template <typename T>
std::optional<T> fitInto(std::int64_t v) {
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) return std::nullopt;
    return static_cast<T>(v);
}

template <typename T>
std::optional<T> checkedAdd(T a, T b) {
    static_assert(sizeof(T) <= 4, "Integer and Long only");
    return fitInto<T>(std::int64_t{a} + std::int64_t{b});
}

template <typename T>
std::optional<T> checkedSub(T a, T b) {
    static_assert(sizeof(T) <= 4, "Integer and Long only");
    return fitInto<T>(std::int64_t{a} - std::int64_t{b});
}

template <typename T>
std::optional<T> checkedMul(T a, T b) {
    static_assert(sizeof(T) <= 4, "Integer and Long only");
    return fitInto<T>(std::int64_t{a} * std::int64_t{b});
}

}  // namespace quill
