#include "compositor/engine/turn_span.h"

#include "common/rounding.h"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define LUMO_HAVE_AVX2_PATH 1
#include <immintrin.h>
#endif

namespace lumo::detail {

void turnSpanPortable(const TurnRow& r, int lo, int hi, Pixel* out) {
    for (int i = lo; i < hi; ++i) {
        const std::ptrdiff_t sy = quill::floorToInt(r.yc + r.xs[i]);
        const std::ptrdiff_t sx = quill::floorToInt(r.xc[i] - r.ys);
        const Pixel sample = r.centre[sy * r.gridWidth + sx];
        out[i] = sample == quill::kNoPixel ? r.key : sample;
    }
}

#ifdef LUMO_HAVE_AVX2_PATH

// Only the intrinsics are compiled for AVX2; nothing shared with other files is, so no
// AVX2 code can leak into paths that run on older processors.
__attribute__((target("avx2"))) static void turnSpanAvx2Impl(const TurnRow& r, int lo, int hi,
                                                              Pixel* out) {
    const __m256d ys = _mm256_set1_pd(r.ys), yc = _mm256_set1_pd(r.yc);
    const __m256d gw = _mm256_set1_pd(double(r.gridWidth));
    const __m128i none = _mm_set1_epi32(-1), key = _mm_set1_epi32(int(r.key));
    const int* centre = reinterpret_cast<const int*>(r.centre);
    int i = lo;
    for (; i + 4 <= hi; i += 4) {
        // The same subtraction, addition and floor as the portable loop, four at a time. The
        // index is formed from whole numbers below 2^31, so the double arithmetic is exact.
        const __m256d fx = _mm256_floor_pd(_mm256_sub_pd(_mm256_loadu_pd(r.xc + i), ys));
        const __m256d fy = _mm256_floor_pd(_mm256_add_pd(yc, _mm256_loadu_pd(r.xs + i)));
        const __m128i index = _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(fy, gw), fx));
        const __m128i sample = _mm_i32gather_epi32(centre, index, 4);
        const __m128i outside = _mm_cmpeq_epi32(sample, none);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_blendv_epi8(sample, key, outside));
    }
    turnSpanPortable(r, i, hi, out);
}

TurnSpanFn turnSpanAvx2() {
    return __builtin_cpu_supports("avx2") ? &turnSpanAvx2Impl : nullptr;
}

#else

TurnSpanFn turnSpanAvx2() { return nullptr; }

#endif

TurnSpanFn turnSpan() {
    static const TurnSpanFn best = [] {
        TurnSpanFn avx2 = turnSpanAvx2();
        return avx2 ? avx2 : &turnSpanPortable;
    }();
    return best;
}

}  // namespace lumo::detail
