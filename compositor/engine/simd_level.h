#pragma once
// Which vector instructions the inner loops may use: what the processor has, optionally capped
// (benchmarks compare the paths; tests run each of them).

// Whether this compiler builds vector versions of the inner loops at all.
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define LUMO_HAVE_AVX2_PATH 1
#define LUMO_IF_VECTOR(version) (version)
#else
#define LUMO_IF_VECTOR(version) nullptr
#endif

namespace lumo::detail {

enum class SimdLevel { Portable = 0, Avx2 = 1, Avx512 = 2 };

SimdLevel detectedSimdLevel();
void capSimdLevel(SimdLevel most);
SimdLevel simdLevel();  // the detected level, or the cap if that is lower

// A kernel's vector version where the processor has its instructions, else null.
template <class Fn>
Fn whereDetected(SimdLevel level, Fn version) {
    return detectedSimdLevel() >= level ? version : nullptr;
}

// The fastest of a kernel's versions that simdLevel() allows.
template <class Fn>
Fn fastest(Fn portable, Fn avx2, Fn avx512) {
    switch (simdLevel()) {
        case SimdLevel::Avx512: return avx512;
        case SimdLevel::Avx2: return avx2;
        default: return portable;
    }
}

}  // namespace lumo::detail
