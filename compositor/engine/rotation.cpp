#include "compositor/engine/rotation.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/picture.h"
#include "common/rounding.h"
#include "compositor/engine/pixel_ops.h"
#include "compositor/engine/turn_span.h"

namespace lumo {
namespace {

using quill::RunError;

RunError reduceAngle(NumericArg& r360, int& reduced) {
    if (!r360.isNumeric()) return RunError::TypeMismatch;
    auto r = quill::roundToLong(r360.value());
    if (!r) return RunError::Overflow;
    reduced = *r % 360;  // the remainder keeps the angle's sign
    // The remainder of an Integer (or Boolean) stays an Integer; of anything else a Long.
    if (r360.kind() == NumericKind::Integer || r360.kind() == NumericKind::Boolean)
        r360.assignInteger(static_cast<std::int16_t>(reduced));
    else
        r360.assignLong(reduced);
    return RunError::None;
}

RunError halfSize(double scaledSide, int& half) {
    double h = std::floor(scaledSide / 2);
    if (!(h >= -32768.0 && h <= 32767.0)) return RunError::Overflow;
    half = static_cast<int>(h);
    return RunError::None;
}

// The first i in [0, n) for which pred holds, pred being false then true along i; n if none.
// Searches outwards from a guess (the answer of the row before, which is at most a step or
// two away), then bisects: a few evaluations per row instead of a full bisection.
template <typename Pred>
int firstWhere(int n, Pred pred, int guess) {
    auto p = [&](int i) { return i >= n || pred(i); };
    guess = std::clamp(guess, 0, n);
    int lo = guess - 1, hi = guess;  // the answer lies in (lo, hi]
    if (p(guess)) {
        for (int step = 1; lo >= 0 && p(lo); step *= 2) {
            hi = lo;
            lo = std::max(lo - step, -1);
        }
    } else {
        lo = guess;
        for (int step = 1; !p(hi = std::min(lo + step, n)); step *= 2) lo = hi;
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (p(mid) ? hi : lo) = mid;
    }
    return hi;
}

struct Span {
    int lo, hi;
};

// The i for which floor(f(i)) lies in [least, most], f being monotone along the row (rounding
// and floor keep the order of the exact products): an interval. guess holds the previous
// row's interval and receives this one.
template <typename F>
Span inRange(int n, F f, bool rising, int least, int most, Span& guess) {
    auto fl = [&](int i) { return quill::floorToInt(f(i)); };
    if (most < least) return guess = {0, 0};
    if (rising)
        guess = {firstWhere(n, [&](int i) { return fl(i) >= least; }, guess.lo),
                 firstWhere(n, [&](int i) { return fl(i) > most; }, guess.hi)};
    else
        guess = {firstWhere(n, [&](int i) { return fl(i) <= most; }, guess.lo),
                 firstWhere(n, [&](int i) { return fl(i) < least; }, guess.hi)};
    return guess;
}

// Every destination pixel (X + hw, Y + hh) takes the sample at the floor of its offset turned
// back by the angle. Products are formed once per row and column: the same doubles as
// X * c - Y * s formed per pixel, since no step is fused. Per row, the pixels whose sample lies
// inside both the grid and the master form one interval; the rest are the key colour (a grid
// offset beyond the master reads as the invalid colour, which becomes the key) without lookups.
void turn(const RotationSamples& samples, double c, double s, Pixel key, SurfaceView out) {
    const int hw = samples.hw(), hh = samples.hh();
    const Bitmap& master = samples.master();
    const int outW = std::min(samples.gridWidth(), out.w), outH = std::min(samples.gridHeight(), out.h);
    if (outW <= 0 || outH <= 0) return;
    std::vector<double> xc(outW), xs(outW);
    for (int i = 0; i < outW; ++i) {
        const double x = i - hw;
        xc[i] = x * c;
        xs[i] = x * s;
    }
    detail::TurnRow turnRow{xc.data(), xs.data(), 0, 0, master.pixels.data(), master.width,
                            std::ptrdiff_t(hh) * master.width + hw};
    const detail::TurnSpanFn turnSpan = detail::turnSpan();
    const int mostX = std::min(hw, master.width - 1 - hw), mostY = std::min(hh, master.height - 1 - hh);
    Span guessX{0, outW}, guessY{0, outW};
    for (int dy = 0; dy < outH; ++dy) {
        const double y = dy - hh;
        turnRow.yc = y * c;
        turnRow.ys = y * s;
        const double yc = turnRow.yc, ys = turnRow.ys;
        const Span sx = inRange(outW, [&](int i) { return xc[i] - ys; }, c >= 0, -hw, mostX, guessX);
        const Span sy = inRange(outW, [&](int i) { return yc + xs[i]; }, s >= 0, -hh, mostY, guessY);
        const int lo = std::max(sx.lo, sy.lo), hi = std::max(lo, std::min(sx.hi, sy.hi));
        Pixel* row = out.row(dy);
        std::fill(row, row + lo, key);
        turnSpan(turnRow, lo, hi, row);
        std::fill(row + hi, row + outW, key);
    }
}

}  // namespace

Pixel RotationSamples::at(int x, int y) const {
    const int mx = x + hw_, my = y + hh_;
    if (mx < 0 || my < 0 || mx >= master_->width || my >= master_->height) return quill::kNoPixel;
    return master_->pixels[std::size_t(my) * master_->width + mx];
}

RunError RotationSamples::redim(int hw, int hh) {
    if (hw < 0 || hh < 0) return RunError::SubscriptOutOfRange;
    const std::int64_t w = 2 * std::int64_t{hw} + 1, h = 2 * std::int64_t{hh} + 1;
    if (RunError e = quill::checkPictureSize(w, h); e != RunError::None) return e;
    hw_ = hw;
    hh_ = hh;
    return RunError::None;
}

namespace {

// The master's picture as its image now stands, so that the samples see what was drawn on it.
void bakeMaster(Surface& master) { master.bake(); }

// The sizes the supersampling works between: the master's own, and that times QT.
struct Supersampling {
    Rect original, enlarged;
    bool scales() const { return enlarged.w != original.w || enlarged.h != original.h; }
};

// The master's size in single precision, and that size times QT, each rounded.
RunError supersamplingSizes(const Surface& master, double qt, Supersampling& out) {
    const float wv = static_cast<float>(master.width()), hv = static_cast<float>(master.height());
    const auto srcW = quill::roundToLong(wv), srcH = quill::roundToLong(hv);
    const auto bigW = quill::roundToLong(wv * qt), bigH = quill::roundToLong(hv * qt);
    if (!bigW || !bigH) return RunError::Overflow;
    out = {{0, 0, *srcW, *srcH}, {0, 0, *bigW, *bigH}};
    return RunError::None;
}

// The master stretched onto itself by QT (nothing to do when QT keeps its size).
void enlargeMaster(Surface& master, const Supersampling& ss) {
    if (ss.scales()) stretchCopyBlackOnWhite(master.pixels(), ss.original, ss.enlarged);
}

// The sampling grid's half sizes: the master's sides (times QT, in single precision) halved.
RunError gridHalfSizes(const Surface& master, double qt, int& hw, int& hh) {
    const bool unscaled = qt == 1.0;
    const float wv = static_cast<float>(master.width()), hv = static_cast<float>(master.height());
    QUILL_RETURN_IF_ERROR(halfSize(unscaled ? master.width() : wv * qt, hw));
    return halfSize(unscaled ? master.height() : hv * qt, hh);
}

// The grid re-dimensioned and filled from the master: the last step that can fail.
RunError takeSamples(Surface& master, int hw, int hh, RotationSamples& samples) {
    QUILL_RETURN_IF_ERROR(samples.redim(hw, hh));
    samples.take(master.snapshot());
    return RunError::None;
}

// The working copy cleared, unless the turn rewrites every pixel of it anyway.
void clearUncoveredMaterial(const RotationSamples& samples, Surface& material) {
    if (samples.gridWidth() < material.width() || samples.gridHeight() < material.height()) material.clear();
}

// The angle, negated, in radians.
double turnRadians(int angle) { return (-angle * kRotationPi) / 180; }

// The turned working copy stretched back from the enlarged size to the master's own.
void shrinkBack(Surface& material, const Supersampling& ss) {
    if (ss.scales()) stretchCopyBlackOnWhite(material.pixels(), ss.enlarged, ss.original);
}

}  // namespace

RunError rotateMaterial(NumericArg& r360, Pixel key, double qt, Surface& master, Surface& material,
                        RotationSamples& samples) {
    int angle = 0;
    QUILL_RETURN_IF_ERROR(reduceAngle(r360, angle));
    bakeMaster(master);
    Supersampling ss;
    QUILL_RETURN_IF_ERROR(supersamplingSizes(master, qt, ss));
    enlargeMaster(master, ss);
    int hw = 0, hh = 0;
    QUILL_RETURN_IF_ERROR(gridHalfSizes(master, qt, hw, hh));
    QUILL_RETURN_IF_ERROR(takeSamples(master, hw, hh, samples));
    // Nothing below can fail.
    clearUncoveredMaterial(samples, material);
    const double theta = turnRadians(angle);
    turn(samples, std::cos(theta), std::sin(theta), key, material.pixels());
    shrinkBack(material, ss);
    return RunError::None;
}

}  // namespace lumo
