// The vector versions of the inner loops give exactly the pixels of the portable ones,
// including at the angles where offsets come out a hair below whole numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "compositor/engine/keyed_copy.h"
#include "compositor/engine/rotation.h"
#include "compositor/engine/turn_span.h"

namespace {

using lumo::detail::TurnRow;
using lumo::detail::TurnSpanFn;
using quill::Pixel;

std::vector<TurnSpanFn> vectorTurns() {
    std::vector<TurnSpanFn> fns;
    for (TurnSpanFn f : {lumo::detail::turnSpanAvx2(), lumo::detail::turnSpanAvx512()})
        if (f) fns.push_back(f);
    return fns;
}

TEST(Simd, TurnSpansMatchThePortableLoopAtEveryAngle) {
    const int half = 200, gw = 2 * half + 1;
    std::mt19937 rng(5);
    std::vector<Pixel> grid(std::size_t(gw) * gw);
    for (Pixel& p : grid) p = Pixel(rng() & 0xFFFFFF);
    const int n = 150;  // offsets stay within the grid for every angle
    std::vector<double> xc(n), xs(n);
    int compared = 0;
    for (int degrees = -360; degrees <= 360; degrees += 7) {
        for (int special : {degrees, 90, 180, 270, -90}) {
            const double theta = (-special * lumo::kRotationPi) / 180;
            const double c = std::cos(theta), s = std::sin(theta);
            for (int i = 0; i < n; ++i) {
                xc[i] = (i - n / 2) * c;
                xs[i] = (i - n / 2) * s;
            }
            for (int y = -n / 2; y < n / 2; y += 3) {
                TurnRow row{xc.data(), xs.data(), y * c, y * s, grid.data(), gw, std::ptrdiff_t(half) * gw + half};
                std::vector<Pixel> want(n, 1), got(n, 1);
                const int lo = int(rng() % 9), hi = n - int(rng() % 9);
                lumo::detail::turnSpanPortable(row, lo, hi, want.data());
                for (TurnSpanFn f : vectorTurns()) {
                    std::fill(got.begin(), got.end(), 1);
                    f(row, lo, hi, got.data());
                    ASSERT_EQ(got, want) << "angle " << special << " row " << y;
                    ++compared;
                }
            }
        }
    }
    if (vectorTurns().empty()) GTEST_SKIP() << "no vector path on this processor";
    EXPECT_GT(compared, 0);
}

TEST(Simd, KeyedCopiesMatchThePortableLoop) {
    lumo::detail::KeyedCopyFn fast = lumo::detail::keyedCopyAvx2();
    if (!fast) GTEST_SKIP() << "no AVX2 on this processor";
    std::mt19937 rng(6);
    for (int round = 0; round < 200; ++round) {
        const int n = int(rng() % 70);
        const Pixel key = Pixel(rng() % 3);
        std::vector<Pixel> from(n), want(n), got(n);
        for (int i = 0; i < n; ++i) {
            from[i] = Pixel(rng() % 3);
            want[i] = got[i] = Pixel(100 + i);
        }
        lumo::detail::keyedCopyPortable(from.data(), want.data(), n, key);
        fast(from.data(), got.data(), n, key);
        ASSERT_EQ(got, want) << round;
    }
}

}  // namespace
