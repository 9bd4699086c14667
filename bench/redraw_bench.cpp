// The host's redraw sequence on the engine, against the same pixel work done with pixman.
//
//   build/native/bench/redraw_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
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

// The same work with pixman, in the pipelines pixman offers for it. Every one leaves the same
// view: the key colour, then the material turned about its centre (nearest neighbour) with
// its key colour left out, blended at a third and then at full strength.
enum class PixmanPipeline {
    TurnThenKey,      // turn into a scratch image, key it to alpha there, two OVER composites
    KeyThenTurn,      // key the material to alpha first, two composites that turn it as they go
    KeyThenTurnOnce,  // the same, with only the full-strength composite (it covers the third)
    KeyedOnceTurnOnce,  // the material keyed once for all redraws (it does not change), then that
};

pixman_transform_t turnAbout(int w, int h, double degrees) {
    const double t = -degrees * M_PI / 180, c = std::cos(t), s = std::sin(t);
    pixman_transform_t xf;
    pixman_transform_init_identity(&xf);
    pixman_transform_translate(&xf, nullptr, pixman_double_to_fixed(-w / 2.0), pixman_double_to_fixed(-h / 2.0));
    pixman_transform_rotate(&xf, nullptr, pixman_double_to_fixed(c), pixman_double_to_fixed(s));
    pixman_transform_translate(&xf, nullptr, pixman_double_to_fixed(w / 2.0), pixman_double_to_fixed(h / 2.0));
    return xf;
}

void keyToAlpha(const std::uint32_t* from, std::uint32_t* to, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) to[i] = (from[i] & 0x00FFFFFFu) == kKey ? 0 : (from[i] | 0xFF000000u);
}

// The view, the artwork and the scratch images of one size and angle, and each pipeline's
// redraw over them.
class PixmanPeer {
public:
    PixmanPeer(const lumo::PictureRef& body, double degrees)
        : body_(body), w_(body->width), h_(body->height), n_(std::size_t(w_) * h_), matPx_(n_), keyedPx_(n_),
          scratchPx_(n_) {
        viewPx.assign(n_, 0);
        view_ = pixman_image_create_bits(PIXMAN_x8r8g8b8, w_, h_, viewPx.data(), w_ * 4);
        material_ = pixman_image_create_bits(PIXMAN_x8r8g8b8, w_, h_, matPx_.data(), w_ * 4);
        keyed_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, w_, h_, keyedPx_.data(), w_ * 4);
        scratch_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, w_, h_, scratchPx_.data(), w_ * 4);
        const pixman_transform_t xf = turnAbout(w_, h_, degrees);
        for (pixman_image_t* turned : {material_, keyed_}) {
            pixman_image_set_transform(turned, &xf);
            pixman_image_set_filter(turned, PIXMAN_FILTER_NEAREST, nullptr, 0);
        }
        const pixman_color_t third{0, 0, 0, 85 * 257}, key{0, 0xFFFF, 0, 0xFFFF};
        third_ = pixman_image_create_solid_fill(&third);
        keyFill_ = pixman_image_create_solid_fill(&key);
    }
    ~PixmanPeer() {
        for (pixman_image_t* i : {view_, material_, keyed_, scratch_, third_, keyFill_}) pixman_image_unref(i);
    }
    PixmanPeer(const PixmanPeer&) = delete;
    PixmanPeer& operator=(const PixmanPeer&) = delete;

    void redraw(PixmanPipeline pipeline) {
        pixman_image_composite32(PIXMAN_OP_SRC, keyFill_, nullptr, view_, 0, 0, 0, 0, 0, 0, w_, h_);
        if (pipeline == PixmanPipeline::TurnThenKey) {
            std::copy(body_->pixels.begin(), body_->pixels.end(), matPx_.begin());
            pixman_image_composite32(PIXMAN_OP_SRC, material_, nullptr, scratch_, 0, 0, 0, 0, 0, 0, w_, h_);
            // Outside the material the turn leaves alpha 0; inside, the key colour goes too.
            for (std::uint32_t& p : scratchPx_) {
                if ((p >> 24) == 0 || (p & 0x00FFFFFFu) == kKey) p = 0;
            }
            over(scratch_, third_);
            over(scratch_, nullptr);
            return;
        }
        if (pipeline != PixmanPipeline::KeyedOnceTurnOnce || !keyedOnce_) keyToAlpha(body_->pixels.data(), keyedPx_.data(), n_);
        keyedOnce_ = true;
        if (pipeline == PixmanPipeline::KeyThenTurn) over(keyed_, third_);
        over(keyed_, nullptr);
    }

    std::vector<std::uint32_t> viewPx;

private:
    void over(pixman_image_t* source, pixman_image_t* mask) {
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, view_, 0, 0, 0, 0, 0, 0, w_, h_);
    }

    lumo::PictureRef body_;
    int w_, h_;
    std::size_t n_;
    std::vector<std::uint32_t> matPx_, keyedPx_, scratchPx_;
    pixman_image_t *view_, *material_, *keyed_, *scratch_, *third_, *keyFill_;
    bool keyedOnce_ = false;
};

void BM_PixmanRedraw(benchmark::State& state) {
    const auto pipeline = static_cast<PixmanPipeline>(state.range(3));
    const lumo::PictureRef body = artwork(int(state.range(0)), int(state.range(1)));
    PixmanPeer peer(body, double(state.range(2)));
    // A faster pipeline counts only if it leaves the very view the first one leaves.
    peer.redraw(PixmanPipeline::TurnThenKey);
    const std::vector<std::uint32_t> expected = peer.viewPx;
    peer.redraw(pipeline);
    if (peer.viewPx != expected) {
        state.SkipWithError("this pipeline leaves another view");
        return;
    }
    for (auto _ : state) {
        peer.redraw(pipeline);
        benchmark::DoNotOptimize(peer.viewPx.data());
        benchmark::ClobberMemory();
    }
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
// Every pipeline at every size and angle: the strongest of them is the peer that counts.
void pixmanSizesAndAngles(benchmark::internal::Benchmark* b) {
    for (auto [w, h] : {std::pair{189, 189}, {64, 61}})
        for (int angle : {0, 45, 135})
            for (int pipeline : {0, 1, 2, 3}) b->Args({w, h, angle, pipeline});
    b->ArgNames({"w", "h", "deg", "pipeline"})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_PixmanRedraw)->Apply(pixmanSizesAndAngles);

// The console's report, and then per size and angle the engine's time (at the best vector
// level) over the strongest pixman pipeline's: the figure that counts, as both ran here and now.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // With repetitions the median stands for the case; a single run stands for itself.
            if (run.error_occurred) continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            const std::string& args = run.run_name.args;
            const std::size_t last = args.rfind('/');
            const std::string work = args.substr(0, last), variant = args.substr(last + 1);
            const double t = run.GetAdjustedRealTime();
            if (run.run_name.function_name == "BM_EngineRedraw") {
                if (variant == "simd:" + std::to_string(kBest)) engine_[work] = t;
            } else if (!strongest_.count(work) || t < strongest_[work].first) {
                strongest_[work] = {t, variant};
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nengine / strongest pixman pipeline (at most 0.5 wanted)\n");
        for (const auto& [work, t] : engine_) {
            const auto peer = strongest_.find(work);
            if (peer == strongest_.end()) continue;
            std::printf("  %-22s engine %8.2f us   pixman %8.2f us (%s)   ratio %.2f\n", work.c_str(), t,
                        peer->second.first, peer->second.second.c_str(), t / peer->second.first);
        }
    }

private:
    std::map<std::string, double> engine_;
    std::map<std::string, std::pair<double, std::string>> strongest_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
