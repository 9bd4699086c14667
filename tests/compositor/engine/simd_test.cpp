// The vector versions of the inner loops give exactly the pixels of the portable ones,
// including at the angles where offsets come out a hair below whole numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "compositor/engine/layer_pick.h"
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

// Three layers of a few values each, so keyed and unkeyed pixels meet in every combination;
// out is a separate row, the under row itself, or lies before it in the same row.
TEST(Simd, LayerPicksMatchThePortableLoop) {
    std::vector<lumo::detail::PickLayersFn> fast;
    for (auto f : {lumo::detail::pickLayersAvx2(), lumo::detail::pickLayersAvx512()})
        if (f) fast.push_back(f);
    if (fast.empty()) GTEST_SKIP() << "no vector path on this processor";
    std::mt19937 rng(6);
    for (int round = 0; round < 600; ++round) {
        const int n = int(rng() % 70), lead = int(rng() % 3) == 0 ? 0 : int(rng() % 20);
        const Pixel key = Pixel(rng() % 3);
        std::vector<Pixel> row(n + lead + 20), middle(n), top(n);
        for (Pixel& p : row) p = Pixel(rng() % 3 + 10 * (rng() % 2));
        for (int i = 0; i < n; ++i) {
            middle[i] = Pixel(rng() % 3);
            top[i] = Pixel(rng() % 3);
        }
        const bool apart = round % 4 == 0;
        std::vector<Pixel> want = row, apartWant(n, 7);
        lumo::detail::pickLayersPortable(want.data() + lead, middle.data(), top.data(),
                                         apart ? apartWant.data() : want.data(), n, key);
        for (auto f : fast) {
            std::vector<Pixel> got = row, apartGot(n, 7);
            f(got.data() + lead, middle.data(), top.data(), apart ? apartGot.data() : got.data(), n, key);
            ASSERT_EQ(got, want) << round;
            ASSERT_EQ(apartGot, apartWant) << round;
        }
    }
}

}  // namespace
