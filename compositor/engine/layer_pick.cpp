#include "compositor/engine/layer_pick.h"

#include "compositor/engine/simd_level.h"

#ifdef LUMO_HAVE_AVX2_PATH
#include <immintrin.h>
#endif

namespace lumo::detail {

// A select rather than a branch: keyed and unkeyed pixels alternate unpredictably.
void pickLayersPortable(const Pixel* under, const Pixel* middle, const Pixel* top, Pixel* out, int n,
                        Pixel key) {
    for (int k = 0; k < n; ++k) {
        const Pixel below = middle[k] == key ? under[k] : middle[k];
        out[k] = top[k] == key ? below : top[k];
    }
}

#ifdef LUMO_HAVE_AVX2_PATH

// Only these functions are compiled for the vector instructions; nothing shared with other
// files is, so no such code can leak into paths that run on older processors.
#define LUMO_AVX2 __attribute__((target("avx2")))
#define LUMO_AVX512 __attribute__((target("avx2,avx512f")))

LUMO_AVX2 static inline __m256i load8(const Pixel* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

LUMO_AVX2 static inline __m256i loadSome(const Pixel* p, __m256i lanes) {
    return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), lanes);
}

LUMO_AVX2 static inline __m256i pick8(__m256i under, __m256i middle, __m256i top, __m256i key) {
    const __m256i below = _mm256_blendv_epi8(middle, under, _mm256_cmpeq_epi32(middle, key));
    return _mm256_blendv_epi8(top, below, _mm256_cmpeq_epi32(top, key));
}

// Eight at a time; the last few through masked loads and stores, which touch no memory where
// the mask is clear.
LUMO_AVX2 static void pickLayersAvx2Impl(const Pixel* under, const Pixel* middle, const Pixel* top,
                                         Pixel* out, int n, Pixel key) {
    const __m256i k = _mm256_set1_epi32(int(key));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i picked = pick8(load8(under + i), load8(middle + i), load8(top + i), k);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), picked);
    }
    if (i == n) return;
    const __m256i lanes = _mm256_cmpgt_epi32(_mm256_set1_epi32(n - i), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    const __m256i picked = pick8(loadSome(under + i, lanes), loadSome(middle + i, lanes), loadSome(top + i, lanes), k);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(out + i), lanes, picked);
}

// Sixteen at a time, the comparisons giving masks for masked moves; the last few through
// masked loads and stores.
LUMO_AVX512 static void pickLayersAvx512Impl(const Pixel* under, const Pixel* middle, const Pixel* top,
                                             Pixel* out, int n, Pixel key) {
    const __m512i k = _mm512_set1_epi32(int(key));
    for (int i = 0; i < n; i += 16) {
        const __mmask16 lanes = n - i >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << (n - i)) - 1);
        const __m512i m = _mm512_maskz_loadu_epi32(lanes, middle + i), t = _mm512_maskz_loadu_epi32(lanes, top + i);
        const __m512i below = _mm512_mask_mov_epi32(m, _mm512_cmpeq_epi32_mask(m, k), _mm512_maskz_loadu_epi32(lanes, under + i));
        _mm512_mask_storeu_epi32(out + i, lanes, _mm512_mask_mov_epi32(t, _mm512_cmpeq_epi32_mask(t, k), below));
    }
}

#endif

PickLayersFn pickLayersAvx2() {
    return whereDetected<PickLayersFn>(SimdLevel::Avx2, LUMO_IF_VECTOR(&pickLayersAvx2Impl));
}

PickLayersFn pickLayersAvx512() {
    return whereDetected<PickLayersFn>(SimdLevel::Avx512, LUMO_IF_VECTOR(&pickLayersAvx512Impl));
}

PickLayersFn pickLayers() { return fastest<PickLayersFn>(&pickLayersPortable, pickLayersAvx2(), pickLayersAvx512()); }

}  // namespace lumo::detail
