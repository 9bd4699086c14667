#include "compositor/engine/simd_level.h"

#include <atomic>

namespace lumo::detail {
namespace {

SimdLevel detect() {
#ifdef LUMO_HAVE_AVX2_PATH
    if (__builtin_cpu_supports("avx2")) {
        return __builtin_cpu_supports("avx512f") ? SimdLevel::Avx512 : SimdLevel::Avx2;
    }
#endif
    return SimdLevel::Portable;
}

std::atomic<SimdLevel> g_cap{SimdLevel::Avx512};

}  // namespace

SimdLevel detectedSimdLevel() {
    static const SimdLevel level = detect();
    return level;
}

void capSimdLevel(SimdLevel most) { g_cap.store(most); }

SimdLevel simdLevel() {
    const SimdLevel cap = g_cap.load(std::memory_order_relaxed), have = detectedSimdLevel();
    return static_cast<int>(cap) < static_cast<int>(have) ? cap : have;
}

}  // namespace lumo::detail
