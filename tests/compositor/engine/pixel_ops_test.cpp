// The kernels against the reference operations, with guard space around every destination.
#include "compositor/engine/pixel_ops.h"

#include "compositor/engine/axis_map.h"

#include <gtest/gtest.h>

#include <random>

#include "test_support.h"

namespace enginetest {
namespace {

using lumo::Rect;
using lumo::SurfaceView;

constexpr Pixel kGuard = 0xDEADBEEFu;  // top byte set: no kernel ever writes such a value

// A w by h destination inside a larger buffer whose border must stay untouched.
struct Guarded {
    static constexpr int kPad = 8;
    int w, h;
    std::vector<Pixel> buf;
    Guarded(const reference::Image& img) : w(img.w), h(img.h), buf(std::size_t(w + 2 * kPad) * (h + 2 * kPad), kGuard) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) at(x, y) = img.get(x, y);
    }
    Pixel& at(int x, int y) { return buf[std::size_t(y + kPad) * (w + 2 * kPad) + x + kPad]; }
    SurfaceView view() { return {&at(0, 0), w, h, w + 2 * kPad}; }
    reference::Image inner() {
        reference::Image img(w, h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.set(x, y, at(x, y));
        return img;
    }
    int guardsTouched() const {
        int n = 0;
        for (int y = -kPad; y < h + kPad; ++y)
            for (int x = -kPad; x < w + kPad; ++x) {
                bool inside = x >= 0 && y >= 0 && x < w && y < h;
                if (!inside && buf[std::size_t(y + kPad) * (w + 2 * kPad) + x + kPad] != kGuard) ++n;
            }
        return n;
    }
};

reference::Image noise(std::mt19937& rng, int w, int h, int colours) {
    reference::Image img(w, h, 0);
    for (auto& p : img.px) p = (Pixel(rng() % colours) * 0x050403) & 0xFFFFFF;
    return img;
}

lumo::ConstSurfaceView constView(const reference::Image& img) { return {img.px.data(), img.w, img.h, img.w}; }

Rect randomRect(std::mt19937& rng, int limitW, int limitH) {
    auto coord = [&](int limit) { return int(rng() % (limit + 20)) - 10; };
    auto len = [&](int limit) { return int(rng() % (limit + 15)) - 2; };
    return {coord(limitW), coord(limitH), len(limitW), len(limitH)};
}

TEST(Div255, RoundsEveryProductOfTwoBytesToNearest) {
    for (unsigned t = 0; t <= 65535; ++t) ASSERT_EQ(lumo::div255Round(t), (2 * t + 255) / 510) << t;
}

TEST(BlendConstantAlpha, EveryChannelPairAtEveryStrengthRoundsToNearest) {
    // 256 x 256 pixels hold every (source, destination) byte pair in each channel.
    reference::Image src(256, 256, 0), dst(256, 256, 0);
    for (unsigned s = 0; s < 256; ++s)
        for (unsigned d = 0; d < 256; ++d) {
            src.set(d, s, s | (s << 8) | ((255 - s) << 16));
            dst.set(d, s, d | ((255 - d) << 8) | (d << 16));
        }
    for (int a = 0; a <= 255; ++a) {
        reference::Image out = dst;
        lumo::blendConstantAlpha(constView(src), {0, 0, 256, 256}, {out.px.data(), 256, 256, 256}, {0, 0, 256, 256}, a);
        for (unsigned s = 0; s < 256; ++s)
            for (unsigned d = 0; d < 256; ++d) {
                auto mixed = [&](unsigned sv, unsigned dv) { return (2 * (sv * a + dv * (255 - a)) + 255) / 510; };
                Pixel want = mixed(s, d) | (mixed(s, 255 - d) << 8) | (mixed(255 - s, d) << 16);
                ASSERT_EQ(out.get(d, s), want) << "alpha " << a << " s " << s << " d " << d;
            }
    }
}

TEST(Kernels, RandomRectanglesMatchTheReferenceAndNeverWriteOutside) {
    std::mt19937 rng(7);
    for (int round = 0; round < 400; ++round) {
        const reference::Image src = noise(rng, 1 + rng() % 40, 1 + rng() % 40, 6);
        const reference::Image dst0 = noise(rng, 1 + rng() % 40, 1 + rng() % 40, 200);
        const Rect s = randomRect(rng, src.w, src.h), d = randomRect(rng, dst0.w, dst0.h);
        const Pixel key = 0x050403 * Pixel(rng() % 6);
        const int alpha = int(rng() % 300) - 20;

        Guarded g1(dst0), g2(dst0), g3(dst0);
        reference::Image r1 = dst0, r2 = dst0, r3 = dst0;
        lumo::copyRectExtendingEdges(constView(src), s.x, s.y, d.w, d.h, g1.view(), d.x, d.y);
        reference::copyEdgeExtended(src, s.x, s.y, d.w, d.h, r1, d.x, d.y);
        lumo::stretchColorKey(constView(src), s, g2.view(), d, key);
        reference::stretchKeyed(src, s.x, s.y, s.w, s.h, r2, d.x, d.y, d.w, d.h, key);
        lumo::blendConstantAlpha(constView(src), s, g3.view(), d, alpha);
        reference::blend(src, s.x, s.y, s.w, s.h, r3, d.x, d.y, d.w, d.h, alpha);

        ASSERT_TRUE(g1.inner() == r1) << "copy, round " << round;
        ASSERT_TRUE(g2.inner() == r2) << "keyed stretch, round " << round;
        ASSERT_TRUE(g3.inner() == r3) << "blend, round " << round << " s " << s.x << "," << s.y << " " << s.w << "x" << s.h
                                       << " d " << d.x << "," << d.y << " " << d.w << "x" << d.h << " alpha " << alpha
                                       << " src " << src.w << "x" << src.h << " dst " << dst0.w << "x" << dst0.h;
        ASSERT_EQ(g1.guardsTouched() + g2.guardsTouched() + g3.guardsTouched(), 0) << round;
    }
}

TEST(Kernels, BlackOnWhiteStretchMatchesTheReference) {
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        const reference::Image img0 = noise(rng, 1 + rng() % 30, 1 + rng() % 30, 255);
        const int sw = 1 + int(rng() % 60), sh = 1 + int(rng() % 60);
        const int dw = 1 + int(rng() % 60), dh = 1 + int(rng() % 60);
        Guarded g(img0);
        reference::Image r = img0;
        lumo::stretchCopyBlackOnWhite(g.view(), {0, 0, sw, sh}, {0, 0, dw, dh});
        reference::stretchBlackOnWhite(r, sw, sh, dw, dh);
        ASSERT_TRUE(g.inner() == r) << round;
        ASSERT_EQ(g.guardsTouched(), 0);
    }
}

TEST(Kernels, UnchangedSizeMapsEveryIndexToItself) {
    for (int n : {1, 2, 7, 130, 189}) {
        lumo::AxisMap m = lumo::mapAxisNearest(0, n, n, 0, n, n);
        ASSERT_EQ(m.count(), n);
        for (int i = 0; i < n; ++i) EXPECT_EQ(m.src[i], i);
    }
}

TEST(Kernels, AbsurdRectanglesCostOnlyTheSurface) {
    reference::Image src(4, 4, 0x111111), dst(4, 4, 0x222222);
    Guarded g(dst);
    lumo::stretchColorKey(constView(src), {0, 0, 4, 4}, g.view(), {-2000000000, -5, 2147483647, 2147483647}, 0);
    lumo::blendConstantAlpha(constView(src), {0, 0, 2147483647, 4}, g.view(), {0, 0, 4, 4}, 128);
    lumo::copyRectExtendingEdges(constView(src), -2147483647, 2147483647, 2147483647, 3, g.view(), -5, 0);
    EXPECT_EQ(g.guardsTouched(), 0);
}

}  // namespace
}  // namespace enginetest
