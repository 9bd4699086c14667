// Whole draws against the reference model over seeded random inputs.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "compositor/engine/simd_level.h"
#include "test_support.h"

namespace enginetest {
namespace {

// A picture of a few colours in blobs, with the key colour in its corner and scattered
// inside, so keyed and unkeyed pixels meet everywhere.
lumo::PictureRef randomMaterial(std::mt19937& rng, int w, int h, Pixel key) {
    std::uniform_int_distribution<int> pick(0, 5);
    const Pixel palette[] = {key, 0x102030, 0xFFFFFF, key ^ 1, 0x00FF00, 0x808080};
    std::vector<Pixel> px(std::size_t(w) * h);
    for (auto& p : px) p = palette[pick(rng)];
    if (!px.empty()) px[0] = key;
    return lumo::makePicture(w, h, std::move(px));
}

reference::Image randomView(std::mt19937& rng, int w, int h) {
    reference::Image img(w, h, 0);
    std::uniform_int_distribution<Pixel> colour(0, 0xFFFFFF);
    for (auto& p : img.px) p = colour(rng);
    return img;
}

// Runs a test body once per vector level this processor has, the portable loops included.
template <typename Body>
void atEveryVectorLevel(Body body) {
    using lumo::detail::SimdLevel;
    for (int level = 0; level <= static_cast<int>(lumo::detail::detectedSimdLevel()); ++level) {
        SCOPED_TRACE("vector level " + std::to_string(level));
        lumo::detail::capSimdLevel(static_cast<SimdLevel>(level));
        body();
    }
    lumo::detail::capSimdLevel(SimdLevel::Avx512);
}

TEST(ReferenceCompare, HostCallsOnUniformViewsMatchTheModel) {
    atEveryVectorLevel([] {
        std::mt19937 rng(1234);
        for (int round = 0; round < 40; ++round) {
            const int w = 1 + int(rng() % 70), h = 1 + int(rng() % 70);
            Twin t(130, 130, quill::rgb(0, 255, 0));
            t.setMaterial(randomMaterial(rng, w, h, 0x00FF00));
            t.control.clsPicView();
            t.drawBoth(65, 65, 255, double(rng() % 360), 1, true, 1.0);
            t.expectSame(("round " + std::to_string(round)).c_str());
        }
    });
}

TEST(ReferenceCompare, RandomArgumentsOnNoisyViewsMatchTheModel) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> unit(0, 1);
    const double zooms[] = {1, 0.5, 1.5, 2, 0.25, 3.3, 0};
    const double qts[] = {1, 1, 1, 2, 0.5, 1.5};
    for (int round = 0; round < 60; ++round) {
        const int vw = 20 + int(rng() % 60), vh = 20 + int(rng() % 60);
        const int w = 1 + int(rng() % 40), h = 1 + int(rng() % 40);
        Twin t(vw, vh, 0x123456);
        t.setView(randomView(rng, vw, vh));
        t.setMaterial(randomMaterial(rng, w, h, Pixel(rng() & 0xFFFFFF)));
        const double x = unit(rng) * (vw + 20) - 10, y = unit(rng) * (vh + 20) - 10;
        const double alpha = unit(rng) * 400 - 50;
        const double angle = (rng() % 4 == 0) ? 0 : unit(rng) * 1500 - 750;
        const double zoom = zooms[rng() % 7];
        const double qt = qts[rng() % 6];
        for (int pass = 0; pass < 2; ++pass) {  // twice: the second draw starts from kept state
            t.drawBoth(x, y, alpha, angle, zoom, rng() % 2 == 0, qt);
            t.expectSame(("round " + std::to_string(round)).c_str());
        }
    }
}

}  // namespace
}  // namespace enginetest
