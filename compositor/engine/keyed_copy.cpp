#include "compositor/engine/keyed_copy.h"

#include "compositor/engine/simd_level.h"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define LUMO_HAVE_AVX2_PATH 1
#include <immintrin.h>
#endif

namespace lumo::detail {

// A select rather than a branch (keyed and unkeyed pixels alternate unpredictably), over
// distinct buffers, so the compiler can turn it into vector compares and blends.
void keyedCopyPortable(const Pixel* __restrict from, Pixel* __restrict to, int n, Pixel key) {
    for (int k = 0; k < n; ++k) to[k] = from[k] == key ? to[k] : from[k];
}

#ifdef LUMO_HAVE_AVX2_PATH

// Compiled for AVX2 alone; nothing shared with other files is, so no AVX2 code can leak into
// paths that run on older processors.
__attribute__((target("avx2"))) static void keyedCopyAvx2Impl(const Pixel* from, Pixel* to, int n,
                                                               Pixel key) {
    const __m256i k = _mm256_set1_epi32(int(key));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i src = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
        const __m256i dst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + i));
        const __m256i keyed = _mm256_cmpeq_epi32(src, k);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), _mm256_blendv_epi8(src, dst, keyed));
    }
    keyedCopyPortable(from + i, to + i, n - i, key);
}

KeyedCopyFn keyedCopyAvx2() { return detectedSimdLevel() >= SimdLevel::Avx2 ? &keyedCopyAvx2Impl : nullptr; }

#else

KeyedCopyFn keyedCopyAvx2() { return nullptr; }

#endif

KeyedCopyFn keyedCopy() {
    return simdLevel() >= SimdLevel::Avx2 ? keyedCopyAvx2() : &keyedCopyPortable;
}

}  // namespace lumo::detail
