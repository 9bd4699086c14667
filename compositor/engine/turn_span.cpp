#include "compositor/engine/turn_span.h"

#include "common/rounding.h"
#include "compositor/engine/simd_level.h"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define LUMO_HAVE_AVX2_PATH 1
#include <immintrin.h>
#endif

namespace lumo::detail {

void turnSpanPortable(const TurnRow& r, int lo, int hi, Pixel* out) {
    for (int i = lo; i < hi; ++i) {
        const std::ptrdiff_t sy = quill::floorToInt(r.yc + r.xs[i]);
        const std::ptrdiff_t sx = quill::floorToInt(r.xc[i] - r.ys);
        out[i] = r.samples[r.centre + sy * r.stride + sx];
    }
}

#ifdef LUMO_HAVE_AVX2_PATH

// Only these functions are compiled for AVX2; nothing shared with other files is, so no
// AVX2 code can leak into paths that run on older processors.
#define LUMO_AVX2 __attribute__((target("avx2")))

// The same subtraction, addition and floor as the portable loop, four at a time. The index is
// formed from whole numbers below 2^31, so the double arithmetic is exact.
LUMO_AVX2 static inline __m128i sampleIndices(const TurnRow& r, int at, __m256d ys, __m256d yc,
                                              __m256d stride, __m256d centre) {
    const __m256d fx = _mm256_floor_pd(_mm256_sub_pd(_mm256_loadu_pd(r.xc + at), ys));
    const __m256d fy = _mm256_floor_pd(_mm256_add_pd(yc, _mm256_loadu_pd(r.xs + at)));
    return _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(fy, stride), fx), centre));
}

LUMO_AVX2 static inline void store4(Pixel* out, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
}

LUMO_AVX2 static void turnSpanAvx2Impl(const TurnRow& r, int lo, int hi, Pixel* out) {
    const __m256d ys = _mm256_set1_pd(r.ys), yc = _mm256_set1_pd(r.yc);
    const __m256d stride = _mm256_set1_pd(double(r.stride)), centre = _mm256_set1_pd(double(r.centre));
    const int* samples = reinterpret_cast<const int*>(r.samples);
    int i = lo;
    for (; i + 8 <= hi; i += 8) {  // two gathers in flight
        const __m128i a = _mm_i32gather_epi32(samples, sampleIndices(r, i, ys, yc, stride, centre), 4);
        const __m128i b = _mm_i32gather_epi32(samples, sampleIndices(r, i + 4, ys, yc, stride, centre), 4);
        store4(out + i, a);
        store4(out + i + 4, b);
    }
    for (; i + 4 <= hi; i += 4)
        store4(out + i, _mm_i32gather_epi32(samples, sampleIndices(r, i, ys, yc, stride, centre), 4));
    turnSpanPortable(r, i, hi, out);
}

#define LUMO_AVX512 __attribute__((target("avx2,avx512f")))

// Eight pixels at a time: the doubles of a whole step fit one register.
LUMO_AVX512 static inline __m256i sampleIndices8(const TurnRow& r, int at, __m512d ys, __m512d yc,
                                                 __m512d stride, __m512d centre) {
    constexpr int kFloor = _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC;
    const __m512d fx = _mm512_roundscale_pd(_mm512_sub_pd(_mm512_loadu_pd(r.xc + at), ys), kFloor);
    const __m512d fy = _mm512_roundscale_pd(_mm512_add_pd(yc, _mm512_loadu_pd(r.xs + at)), kFloor);
    return _mm512_cvttpd_epi32(_mm512_add_pd(_mm512_add_pd(_mm512_mul_pd(fy, stride), fx), centre));
}

LUMO_AVX512 static void turnSpanAvx512Impl(const TurnRow& r, int lo, int hi, Pixel* out) {
    const __m512d ys = _mm512_set1_pd(r.ys), yc = _mm512_set1_pd(r.yc);
    const __m512d stride = _mm512_set1_pd(double(r.stride)), centre = _mm512_set1_pd(double(r.centre));
    const int* samples = reinterpret_cast<const int*>(r.samples);
    int i = lo;
    for (; i + 8 <= hi; i += 8) {
        const __m256i sample = _mm256_i32gather_epi32(samples, sampleIndices8(r, i, ys, yc, stride, centre), 4);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), sample);
    }
    turnSpanAvx2Impl(r, i, hi, out);
}

TurnSpanFn turnSpanAvx512() {
    return detectedSimdLevel() >= SimdLevel::Avx512 ? &turnSpanAvx512Impl : nullptr;
}

TurnSpanFn turnSpanAvx2() { return detectedSimdLevel() >= SimdLevel::Avx2 ? &turnSpanAvx2Impl : nullptr; }

#else

TurnSpanFn turnSpanAvx2() { return nullptr; }
TurnSpanFn turnSpanAvx512() { return nullptr; }

#endif

TurnSpanFn turnSpan() {
    switch (simdLevel()) {
        case SimdLevel::Avx512: return turnSpanAvx512();
        case SimdLevel::Avx2: return turnSpanAvx2();
        default: return &turnSpanPortable;
    }
}

}  // namespace lumo::detail
