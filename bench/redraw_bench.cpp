// The host's redraw sequence on the engine, against the same pixel work done with pixman.
//
//   build/native/bench/redraw_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "compositor/engine/lumo_control.h"
#include "compositor/engine/simd_level.h"

namespace {

using lumo::NumericArg;
using lumo::Pixel;

constexpr Pixel kKey = 0x0000FF00u;

// A body of ellipses in a few colours on the key colour, like the real artwork.
lumo::PictureRef artwork(int w, int h) {
    std::vector<Pixel> px(std::size_t(w) * h, kKey);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double u = (x - w / 2.0) / (w * 0.45), v = (y - h / 2.0) / (h * 0.35);
            double r = u * u + v * v;
            if (r < 1) px[std::size_t(y) * w + x] = r > 0.8 ? 0x000000 : (x + y) % 17 ? 0xFFFFFF : 0xC0C0C0;
        }
    return lumo::makePicture(w, h, std::move(px));
}

void BM_EngineRedraw(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const auto angle = std::int16_t(state.range(2));
    // The fourth argument caps the vector paths: 0 portable, 1 AVX2, 2 AVX-512.
    const auto cap = static_cast<lumo::detail::SimdLevel>(state.range(3));
    lumo::detail::capSimdLevel(cap);
    if (lumo::detail::simdLevel() != cap) {
        state.SkipWithError("this processor lacks that vector level");
        return;
    }
    const lumo::PictureRef body = artwork(w, h);
    lumo::LumoControl control(w, h);
    control.setPicViewBgColor(quill::colourFromPixel(kKey));
    lumo::PictureRef image;
    for (auto _ : state) {
        control.clsPicView();
        control.setPicMaterial(body);
        NumericArg x = NumericArg::integer(65), y = NumericArg::integer(65);
        NumericArg alpha = NumericArg::integer(255), r360 = NumericArg::integer(angle);
        NumericArg zoom = NumericArg::integer(1), smoothing = NumericArg::boolean(true);
        control.lumoscope({x, y, alpha, r360, zoom, smoothing, nullptr});
        control.reDraw();
        image = control.image();
        benchmark::DoNotOptimize(image);
    }
    lumo::detail::capSimdLevel(lumo::detail::SimdLevel::Avx512);
}

// The same work with pixman: clear, material copy, nearest-neighbour rotation about the
// centre, the colour key turned into alpha, two constant-alpha OVER composites.
void BM_PixmanRedraw(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const double degrees = double(state.range(2));
    const lumo::PictureRef body = artwork(w, h);
    std::vector<std::uint32_t> viewPx(std::size_t(w) * h), matPx(std::size_t(w) * h), rotPx(std::size_t(w) * h);
    pixman_image_t* view = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, viewPx.data(), w * 4);
    pixman_image_t* material = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, matPx.data(), w * 4);
    pixman_image_t* rotated = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, rotPx.data(), w * 4);
    const double t = -degrees * M_PI / 180, c = std::cos(t), s = std::sin(t);
    pixman_transform_t xf;
    pixman_transform_init_identity(&xf);
    pixman_transform_translate(&xf, nullptr, pixman_double_to_fixed(-w / 2.0), pixman_double_to_fixed(-h / 2.0));
    pixman_transform_rotate(&xf, nullptr, pixman_double_to_fixed(c), pixman_double_to_fixed(s));
    pixman_transform_translate(&xf, nullptr, pixman_double_to_fixed(w / 2.0), pixman_double_to_fixed(h / 2.0));
    pixman_image_set_transform(material, &xf);
    pixman_image_set_filter(material, PIXMAN_FILTER_NEAREST, nullptr, 0);
    const pixman_color_t third{0, 0, 0, 85 * 257}, full{0, 0, 0, 0xFFFF};
    pixman_image_t* maskThird = pixman_image_create_solid_fill(&third);
    pixman_image_t* maskFull = pixman_image_create_solid_fill(&full);
    const pixman_color_t keyColour{0, 0xFFFF, 0, 0xFFFF};
    pixman_image_t* keyFill = pixman_image_create_solid_fill(&keyColour);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, keyFill, nullptr, view, 0, 0, 0, 0, 0, 0, w, h);
        std::copy(body->pixels.begin(), body->pixels.end(), matPx.begin());
        pixman_image_composite32(PIXMAN_OP_SRC, material, nullptr, rotated, 0, 0, 0, 0, 0, 0, w, h);
        for (std::uint32_t& p : rotPx) p = (p & 0x00FFFFFFu) == kKey ? 0 : (p | 0xFF000000u);
        pixman_image_composite32(PIXMAN_OP_OVER, rotated, maskThird, view, 0, 0, 0, 0, 0, 0, w, h);
        pixman_image_composite32(PIXMAN_OP_OVER, rotated, maskFull, view, 0, 0, 0, 0, 0, 0, w, h);
        benchmark::DoNotOptimize(viewPx.data());
        benchmark::ClobberMemory();
    }
    for (pixman_image_t* img : {view, material, rotated, maskThird, maskFull, keyFill}) pixman_image_unref(img);
}

const int kBest = static_cast<int>(lumo::detail::detectedSimdLevel());

void sizesAndAngles(benchmark::internal::Benchmark* b) {
    for (auto [w, h] : {std::pair{189, 189}, {64, 61}})
        for (int angle : {0, 45, 135}) b->Args({w, h, angle, kBest});
    b->ArgNames({"w", "h", "deg", "simd"})->Unit(benchmark::kMicrosecond);
}

// The 189 by 189, 45 degree redraw on each vector level this processor has.
void vectorLevels(benchmark::internal::Benchmark* b) {
    for (int level = 0; level < kBest; ++level) b->Args({189, 189, 45, level});
    b->ArgNames({"w", "h", "deg", "simd"})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_EngineRedraw)->Apply(sizesAndAngles);
BENCHMARK(BM_EngineRedraw)->Apply(vectorLevels);
void pixmanSizesAndAngles(benchmark::internal::Benchmark* b) {
    for (auto [w, h] : {std::pair{189, 189}, {64, 61}})
        for (int angle : {0, 45, 135}) b->Args({w, h, angle});
    b->ArgNames({"w", "h", "deg"})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_PixmanRedraw)->Apply(pixmanSizesAndAngles);

}  // namespace

BENCHMARK_MAIN();
