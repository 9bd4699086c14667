#include "compositor/engine/turn_span.h"

#include "common/rounding.h"
#include "compositor/engine/simd_level.h"

#ifdef LUMO_HAVE_AVX2_PATH
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

// The same subtraction, addition and floor as the portable loop, four at a time; the floors
// are whole numbers well inside 32 bits, so the index arithmetic can be done on integers.
LUMO_AVX2 static inline __m128i sampleIndices(const TurnRow& r, int at, __m256d ys, __m256d yc,
                                              __m128i stride, __m128i centre) {
    const __m128i fx = _mm256_cvttpd_epi32(_mm256_floor_pd(_mm256_sub_pd(_mm256_loadu_pd(r.xc + at), ys)));
    const __m128i fy = _mm256_cvttpd_epi32(_mm256_floor_pd(_mm256_add_pd(yc, _mm256_loadu_pd(r.xs + at))));
    return _mm_add_epi32(_mm_add_epi32(_mm_mullo_epi32(fy, stride), fx), centre);
}

// The samples at four indices. Plain loads: on the processors measured they beat a gather.
LUMO_AVX2 static inline __m128i samplesAt(const Pixel* samples, __m128i index) {
    const long long low = _mm_cvtsi128_si64(index), high = _mm_extract_epi64(index, 1);
    return _mm_setr_epi32(int(samples[int(low)]), int(samples[int(low >> 32)]), int(samples[int(high)]),
                          int(samples[int(high >> 32)]));
}

LUMO_AVX2 static void turnSpanAvx2Impl(const TurnRow& r, int lo, int hi, Pixel* out) {
    const __m256d ys = _mm256_set1_pd(r.ys), yc = _mm256_set1_pd(r.yc);
    const __m128i stride = _mm_set1_epi32(int(r.stride)), centre = _mm_set1_epi32(int(r.centre));
    int i = lo;
    for (; i + 4 <= hi; i += 4) {
        const __m128i picked = samplesAt(r.samples, sampleIndices(r, i, ys, yc, stride, centre));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), picked);
    }
    turnSpanPortable(r, i, hi, out);
}

#define LUMO_AVX512 __attribute__((target("avx2,avx512f")))

// Eight pixels at a time: the doubles of a whole step fit one register, and the conversion
// floors as it goes (the zero-masked form with every lane on: the plain one starts from an
// undefined register, which GCC 12 warns about).
LUMO_AVX512 static inline __m256i sampleIndices8(const TurnRow& r, int at, __m512d ys, __m512d yc,
                                                 __m256i stride, __m256i centre) {
    constexpr int kFloor = _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC;
    const __m256i fx = _mm512_maskz_cvt_roundpd_epi32(0xFF, _mm512_sub_pd(_mm512_loadu_pd(r.xc + at), ys), kFloor);
    const __m256i fy = _mm512_maskz_cvt_roundpd_epi32(0xFF, _mm512_add_pd(yc, _mm512_loadu_pd(r.xs + at)), kFloor);
    return _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(fy, stride), fx), centre);
}

LUMO_AVX512 static void turnSpanAvx512Impl(const TurnRow& r, int lo, int hi, Pixel* out) {
    const __m512d ys = _mm512_set1_pd(r.ys), yc = _mm512_set1_pd(r.yc);
    const __m256i stride = _mm256_set1_epi32(int(r.stride)), centre = _mm256_set1_epi32(int(r.centre));
    int i = lo;
    for (; i + 8 <= hi; i += 8) {
        const __m256i index = sampleIndices8(r, i, ys, yc, stride, centre);
        const __m256i picked = _mm256_setr_m128i(samplesAt(r.samples, _mm256_castsi256_si128(index)),
                                                 samplesAt(r.samples, _mm256_extracti128_si256(index, 1)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), picked);
    }
    turnSpanAvx2Impl(r, i, hi, out);
}

#endif

TurnSpanFn turnSpanAvx2() { return whereDetected<TurnSpanFn>(SimdLevel::Avx2, LUMO_IF_VECTOR(&turnSpanAvx2Impl)); }

TurnSpanFn turnSpanAvx512() {
    return whereDetected<TurnSpanFn>(SimdLevel::Avx512, LUMO_IF_VECTOR(&turnSpanAvx512Impl));
}

TurnSpanFn turnSpan() { return fastest<TurnSpanFn>(&turnSpanPortable, turnSpanAvx2(), turnSpanAvx512()); }

}  // namespace lumo::detail
