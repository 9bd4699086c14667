#pragma once
// RotateMaterial: turns the material master about its centre by whole degrees, clockwise on
// screen, into the working copy, by inverse mapping with floor sampling and optional
// supersampling.
#include <memory>

#include "common/run_error.h"
#include "compositor/engine/numeric_arg.h"
#include "compositor/engine/surface.h"

namespace lumo {

// The samples of the last rotation, indexed by signed offsets from the material's centre:
// X in -hw..hw, Y in -hh..hh; sample (X, Y) is the master's pixel (X + hw, Y + hh), or the
// invalid colour where that lies outside the master. They are held as a picture of the master
// taken when sampling, shared rather than copied while the master's image is its loaded
// picture, and keep the last rotation's values until the next one re-dimensions them.
class RotationSamples {
public:
    int hw() const { return hw_; }
    int hh() const { return hh_; }
    int gridWidth() const { return 2 * hw_ + 1; }
    int gridHeight() const { return 2 * hh_ + 1; }
    Pixel at(int x, int y) const;

    // Fails, leaving the old samples, when the bounds are reversed or the grid is larger than
    // the largest surface.
    RunError redim(int hw, int hh);
    void take(PictureRef master) { master_ = std::move(master); }
    const Bitmap& master() const { return *master_; }

private:
    int hw_ = 0;
    int hh_ = 0;
    PictureRef master_ = std::make_shared<Bitmap>();
};

// Reduces r360 in place (written back into the caller's variable), then turns master into
// material. Errors up to the sampling end the call with material untouched; later steps cannot
// fail. key is the colour pixels outside the turned picture get.
RunError rotateMaterial(NumericArg& r360, Pixel key, double qt, Surface& master, Surface& material,
                        RotationSamples& samples);

// The pi that the rotation's angle conversion uses.
constexpr double kRotationPi = 3.14159265358979;

}  // namespace lumo
