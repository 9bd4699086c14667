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

// Only these functions are compiled for AVX2; nothing shared with other files is, so no
// AVX2 code can leak into paths that run on older processors.
#define LUMO_AVX2 __attribute__((target("avx2")))

// The same subtraction, addition and floor as the portable loop, four at a time. The index is
// formed from whole numbers below 2^31, so the double arithmetic is exact.
LUMO_AVX2 static inline __m128i sampleIndices(const TurnRow& r, int at, __m256d ys, __m256d yc,
                                              __m256d gw) {
    const __m256d fx = _mm256_floor_pd(_mm256_sub_pd(_mm256_loadu_pd(r.xc + at), ys));
    const __m256d fy = _mm256_floor_pd(_mm256_add_pd(yc, _mm256_loadu_pd(r.xs + at)));
    return _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(fy, gw), fx));
}

LUMO_AVX2 static inline void storeKeyed(Pixel* out, __m128i sample, __m128i key) {
    const __m128i outside = _mm_cmpeq_epi32(sample, _mm_set1_epi32(-1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_blendv_epi8(sample, key, outside));
}

LUMO_AVX2 static void turnSpanAvx2Impl(const TurnRow& r, int lo, int hi, Pixel* out) {
    const __m256d ys = _mm256_set1_pd(r.ys), yc = _mm256_set1_pd(r.yc);
    const __m256d gw = _mm256_set1_pd(double(r.gridWidth));
    const __m128i key = _mm_set1_epi32(int(r.key));
    const int* centre = reinterpret_cast<const int*>(r.centre);
    int i = lo;
    for (; i + 8 <= hi; i += 8) {  // two gathers in flight
        const __m128i a = _mm_i32gather_epi32(centre, sampleIndices(r, i, ys, yc, gw), 4);
        const __m128i b = _mm_i32gather_epi32(centre, sampleIndices(r, i + 4, ys, yc, gw), 4);
        storeKeyed(out + i, a, key);
        storeKeyed(out + i + 4, b, key);
    }
    for (; i + 4 <= hi; i += 4)
        storeKeyed(out + i, _mm_i32gather_epi32(centre, sampleIndices(r, i, ys, yc, gw), 4), key);
    turnSpanPortable(r, i, hi, out);
}

#define LUMO_AVX512 __attribute__((target("avx2,avx512f")))

// Eight pixels at a time: the doubles of a whole step fit one register.
LUMO_AVX512 static inline __m256i sampleIndices8(const TurnRow& r, int at, __m512d ys, __m512d yc,
                                                 __m512d gw) {
    constexpr int kFloor = _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC;
    const __m512d fx = _mm512_roundscale_pd(_mm512_sub_pd(_mm512_loadu_pd(r.xc + at), ys), kFloor);
    const __m512d fy = _mm512_roundscale_pd(_mm512_add_pd(yc, _mm512_loadu_pd(r.xs + at)), kFloor);
    return _mm512_cvttpd_epi32(_mm512_add_pd(_mm512_mul_pd(fy, gw), fx));
}

LUMO_AVX512 static void turnSpanAvx512Impl(const TurnRow& r, int lo, int hi, Pixel* out) {
    const __m512d ys = _mm512_set1_pd(r.ys), yc = _mm512_set1_pd(r.yc);
    const __m512d gw = _mm512_set1_pd(double(r.gridWidth));
    const __m256i key = _mm256_set1_epi32(int(r.key)), none = _mm256_set1_epi32(-1);
    const int* centre = reinterpret_cast<const int*>(r.centre);
    int i = lo;
    for (; i + 8 <= hi; i += 8) {
        const __m256i sample = _mm256_i32gather_epi32(centre, sampleIndices8(r, i, ys, yc, gw), 4);
        const __m256i outside = _mm256_cmpeq_epi32(sample, none);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_blendv_epi8(sample, key, outside));
    }
    turnSpanAvx2Impl(r, i, hi, out);
}

TurnSpanFn turnSpanAvx512() {
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx2") ? &turnSpanAvx512Impl
                                                                               : nullptr;
}

TurnSpanFn turnSpanAvx2() {
    return __builtin_cpu_supports("avx2") ? &turnSpanAvx2Impl : nullptr;
}

#else

TurnSpanFn turnSpanAvx2() { return nullptr; }
TurnSpanFn turnSpanAvx512() { return nullptr; }

#endif

TurnSpanFn turnSpan() {
    static const TurnSpanFn best = [] {
        if (TurnSpanFn avx512 = turnSpanAvx512()) return avx512;
        if (TurnSpanFn avx2 = turnSpanAvx2()) return avx2;
        return &turnSpanPortable;
    }();
    return best;
}

}  // namespace lumo::detail
