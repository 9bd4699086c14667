#pragma once
// Small builders shared by the engine's tests.
#include <cstdint>
#include <random>
#include <vector>

#include "compositor/engine/lumo_control.h"
#include "reference.h"

namespace enginetest {

using lumo::NumericArg;
using lumo::Pixel;
using quill::RunError;

inline lumo::PictureRef solidPicture(int w, int h, Pixel p) {
    return lumo::makePicture(w, h, std::vector<Pixel>(std::size_t(w) * h, p));
}

// Pixel (x, y) = y * 1000 + x + 1: every pixel distinct, none equal to pixel (0, 0) but itself.
inline lumo::PictureRef numberedPicture(int w, int h) {
    std::vector<Pixel> px(std::size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px[std::size_t(y) * w + x] = Pixel(y * 1000 + x + 1);
    return lumo::makePicture(w, h, std::move(px));
}

inline reference::Image imageOf(const lumo::Bitmap& b) {
    reference::Image img(b.width, b.height, 0);
    img.px = b.pixels;
    return img;
}

inline reference::Image imageOf(const lumo::Surface& s) { return imageOf(*s.snapshot()); }

// The host's call: x = y = 65, Alpha 255, Zoom 1, Smoothing True, QT omitted.
struct HostArgs {
    NumericArg x = NumericArg::integer(65), y = NumericArg::integer(65);
    NumericArg alpha = NumericArg::integer(255), angle = NumericArg::integer(0);
    NumericArg zoom = NumericArg::integer(1), smoothing = NumericArg::boolean(true);
    NumericArg* qt = nullptr;
    explicit HostArgs(int degrees) : angle(NumericArg::integer(std::int16_t(degrees))) {}
    lumo::DrawArgs args() { return {x, y, alpha, angle, zoom, smoothing, qt}; }
};

}  // namespace enginetest

namespace enginetest {

// The engine's control and the reference model, given the same calls.
struct Twin {
    lumo::LumoControl control;
    reference::Control model;

    Twin(int viewW, int viewH, quill::Colour viewBg) : control(viewW, viewH) {
        control.setPicViewBgColor(viewBg);
        model.viewBg = quill::pixelFromColour(viewBg);
        model.view = reference::Image(viewW, viewH, model.viewBg);
        model.material = reference::Image(81, 81, 0xFFFFFF);
        model.master = model.material;
        model.masterPicture = reference::Image(0, 0, 0);
        model.work = model.material;
    }

    void setMaterial(const lumo::PictureRef& pic) {
        ASSERT_EQ(control.setPicMaterial(pic), RunError::None);
        model.master = model.masterPicture = imageOf(*pic);
        model.material = reference::resized(model.material, pic->width, pic->height, 0xFFFFFF);
        model.work = reference::resized(model.work, pic->width, pic->height, 0xFFFFFF);
    }

    void setView(const reference::Image& img) {
        control.setPicView(lumo::makePicture(img.w, img.h, img.px));
        model.view = img;
    }

    // Draws with the same plain values on both and expects the same outcome.
    void drawBoth(double x, double y, double alpha, double angle, double zoom, bool smoothing,
                  double qt) {
        auto ax = NumericArg::doubleValue(x), ay = NumericArg::doubleValue(y);
        auto aa = NumericArg::doubleValue(alpha), ar = NumericArg::doubleValue(angle);
        auto az = NumericArg::doubleValue(zoom), as = NumericArg::boolean(smoothing);
        auto aq = NumericArg::doubleValue(qt);
        RunError e = control.lumoscope({ax, ay, aa, ar, az, as, &aq});
        reference::Result r = reference::draw(model, x, y, alpha, angle, zoom, smoothing, qt);
        ASSERT_EQ(e, r.error);
        EXPECT_EQ(aa.value(), r.alphaOut);
        if (angle != 0) {
            EXPECT_EQ(ar.value(), double(r.angleOut));
        }
    }

    void expectSame(const char* what) const {
        const auto& s = control.surfaces();
        EXPECT_TRUE(imageOf(s.view) == model.view) << what << ": view";
        EXPECT_TRUE(imageOf(s.material) == model.material) << what << ": material";
        // The working area's pixels are never read after a draw, so the draw does not keep them.
        EXPECT_EQ(s.workingArea.width(), model.work.w) << what << ": working area";
        EXPECT_EQ(s.workingArea.height(), model.work.h) << what << ": working area";
        EXPECT_TRUE(imageOf(s.materialMaster) == model.master) << what << ": master";
    }
};

}  // namespace enginetest
