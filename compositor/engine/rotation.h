#pragma once
// RotateMaterial: turns the material master about its centre by whole degrees, clockwise on
// screen, into the working copy, by inverse mapping with floor sampling and optional
// supersampling.
#include <vector>

#include "common/run_error.h"
#include "compositor/engine/numeric_arg.h"
#include "compositor/engine/surface.h"

namespace lumo {

// The samples of the last rotation, indexed by signed offsets from the material's centre:
// X in -hw..hw, Y in -hh..hh. Kept between calls; re-dimensioned by each rotation.
class RotationSamples {
public:
    int hw() const { return hw_; }
    int hh() const { return hh_; }
    int gridWidth() const { return 2 * hw_ + 1; }
    int gridHeight() const { return 2 * hh_ + 1; }
    Pixel at(int x, int y) const { return px_[std::size_t(y + hh_) * gridWidth() + (x + hw_)]; }

    // Fails, leaving the old samples, when the bounds are reversed or the grid is too large.
    RunError redim(int hw, int hh);
    Pixel* row(int y) { return px_.data() + std::size_t(y + hh_) * gridWidth(); }
    const Pixel* data() const { return px_.data(); }

private:
    int hw_ = 0;
    int hh_ = 0;
    std::vector<Pixel> px_ = std::vector<Pixel>(1, quill::kNoPixel);
};

// Reduces r360 in place (written back into the caller's variable), then turns master into
// material. Errors up to the sampling end the call with material untouched; later steps cannot
// fail. key is the colour pixels outside the turned picture get.
RunError rotateMaterial(NumericArg& r360, Pixel key, double qt, Surface& master, Surface& material,
                        RotationSamples& samples);

// The pi that the rotation's angle conversion uses.
constexpr double kRotationPi = 3.14159265358979;

}  // namespace lumo
