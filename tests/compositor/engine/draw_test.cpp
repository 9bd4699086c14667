// The compositing draw's worked values and its handling of bad arguments.
#include "compositor/engine/draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "test_support.h"

namespace enginetest {
namespace {

constexpr quill::Colour kKeyColour = 0x00FF00;  // green, as COLORREF and as pixel
constexpr Pixel kKey = 0x00FF00;
constexpr Pixel kBody = 0xFFFFFF;

// A material in the key colour with a solid body inset by one pixel.
lumo::PictureRef bodyPicture(int w, int h, Pixel body = kBody) {
    std::vector<Pixel> px(std::size_t(w) * h, kKey);
    for (int y = 1; y + 1 < h; ++y)
        for (int x = 1; x + 1 < w; ++x) px[std::size_t(y) * w + x] = body;
    return lumo::makePicture(w, h, std::move(px));
}

lumo::LumoControl hostControl(int side, const lumo::PictureRef& material) {
    lumo::LumoControl c(side, side);
    c.setPicViewBgColor(kKeyColour);
    c.setPicMaterial(material);
    return c;
}

Pixel viewAt(const lumo::LumoControl& c, int x, int y) { return c.surfaces().view.pixel(x, y); }

TEST(Draw, AlphaIsClampedInPlaceAndWrittenBackAsAnInteger) {
    auto c = hostControl(130, bodyPicture(40, 40));
    HostArgs over(0);
    over.alpha = NumericArg::longValue(300);
    ASSERT_EQ(c.lumoscope(over.args()), RunError::None);
    EXPECT_EQ(over.alpha.value(), 255);
    EXPECT_EQ(over.alpha.kind(), lumo::NumericKind::Integer);
    EXPECT_EQ(viewAt(c, 65, 65), kBody);  // drawn at full strength

    auto d = hostControl(130, bodyPicture(40, 40));
    const reference::Image before = imageOf(d.surfaces().view);
    HostArgs under(0);
    under.alpha = NumericArg::doubleValue(-5);
    ASSERT_EQ(d.lumoscope(under.args()), RunError::None);
    EXPECT_EQ(under.alpha.value(), 0);
    EXPECT_TRUE(imageOf(d.surfaces().view) == before);  // nothing visible

    HostArgs typed(0);  // a caller's Long variable keeps its type
    typed.alpha = NumericArg::longValue(999, lumo::Slot::Typed);
    ASSERT_EQ(d.lumoscope(typed.args()), RunError::None);
    EXPECT_EQ(typed.alpha.kind(), lumo::NumericKind::Long);
    EXPECT_EQ(typed.alpha.value(), 255);
}

TEST(Draw, SmoothingPassBlendsAtAThirdOfTheStrength) {
    // Body red 255 on a black view: the smoothing pass leaves round(255 * 33 / 255) = 33, the
    // main pass at 100 then gives round((255 * 100 + 33 * 155) / 255) = 120 (34 would give 121).
    lumo::LumoControl c(130, 130);
    c.setPicViewBgColor(0x000000);
    c.setPicMaterial(bodyPicture(40, 40, 0xFF0000));
    HostArgs args(0);
    args.alpha = NumericArg::integer(100);
    ASSERT_EQ(c.lumoscope(args.args()), RunError::None);
    EXPECT_EQ(viewAt(c, 65, 65), 0x780000u);  // 120 in red

    lumo::LumoControl plain(130, 130);
    plain.setPicViewBgColor(0x000000);
    plain.setPicMaterial(bodyPicture(40, 40, 0xFF0000));
    HostArgs noSmoothing(0);
    noSmoothing.alpha = NumericArg::integer(100);
    noSmoothing.smoothing = NumericArg::boolean(false);
    ASSERT_EQ(plain.lumoscope(noSmoothing.args()), RunError::None);
    EXPECT_EQ(viewAt(plain, 65, 65), 0x640000u);  // 100
}

TEST(Draw, OnlyTrueCountsAsTrueForSmoothing) {
    // With smoothing the material, stretched over the margin too, reaches one pixel further.
    auto edgeOf = [](NumericArg smoothing) {
        lumo::LumoControl c(130, 130);
        c.setPicViewBgColor(0x000000);
        std::vector<Pixel> px(41 * 41, 0x0000FF);
        px[0] = 0x00FF00;  // the key sits only in the corner
        c.setPicMaterial(lumo::makePicture(41, 41, px));
        HostArgs args(0);
        args.smoothing = smoothing;
        EXPECT_EQ(c.lumoscope(args.args()), RunError::None);
        return viewAt(c, 43, 65);  // ox = 44: the left margin, which only the extra pass covers
    };
    const Pixel withPass = edgeOf(NumericArg::boolean(true));
    EXPECT_EQ(edgeOf(NumericArg::integer(5)), withPass);          // a number converts to True
    EXPECT_NE(edgeOf(NumericArg::booleanRaw(1)), withPass);       // a Boolean must be -1
    EXPECT_NE(edgeOf(NumericArg::boolean(false)), withPass);
}

TEST(Draw, FullStrengthWithSmoothingReplacesTheRectangleWithBothDrawings) {
    Twin t(130, 130, kKeyColour);
    std::vector<Pixel> px(130 * 130, 0x2040C0);
    for (int i = 0; i < 130; ++i) px[i * 130 + 129] = kKey;  // the right column keyed
    px[0] = kKey;
    t.setMaterial(lumo::makePicture(130, 130, px));
    t.control.clsPicView();
    t.drawBoth(65, 65, 255, 0, 1, true, 1.0);
    t.expectSame("alpha 255 with smoothing");
}

TEST(Draw, ZeroAngleCopiesTheMasterWhileAFullTurnRotates) {
    auto c = hostControl(130, bodyPicture(31, 31));
    HostArgs zero(0);
    ASSERT_EQ(c.lumoscope(zero.args()), RunError::None);
    EXPECT_EQ(c.surfaces().rotationSamples.gridWidth(), 1);  // no rotation ran
    EXPECT_TRUE(imageOf(c.surfaces().material) == imageOf(*bodyPicture(31, 31)));

    HostArgs full(360);
    ASSERT_EQ(c.lumoscope(full.args()), RunError::None);
    EXPECT_EQ(full.angle.value(), 0);
    EXPECT_EQ(c.surfaces().rotationSamples.gridWidth(), 31);  // the rotation ran, reduced to 0
    EXPECT_TRUE(imageOf(c.surfaces().material) == imageOf(*bodyPicture(31, 31)));
}

TEST(Draw, HostValuesOnA130PixelMaterialWriteFromMinusOneTo129) {
    lumo::LumoControl c(200, 200);
    c.setPicViewBgColor(0x000000);
    std::vector<Pixel> px(130 * 130, 0x0000FF);
    px[0] = kKey;  // keyed: only the corner
    c.setPicMaterial(lumo::makePicture(130, 130, px));
    HostArgs args(0);
    ASSERT_EQ(c.lumoscope(args.args()), RunError::None);
    EXPECT_EQ(c.surfaces().workingArea.width(), 132);
    EXPECT_EQ(c.surfaces().workingArea.height(), 132);
    for (int i = 0; i < 200; ++i) {  // nothing right of or below (129, 129) changed
        EXPECT_EQ(viewAt(c, 130, i), 0u);
        EXPECT_EQ(viewAt(c, i, 130), 0u);
    }
    for (int i = 0; i < 130; ++i) {  // the rectangle from (0, 0) on
        EXPECT_NE(viewAt(c, i, 5), 0u);
        EXPECT_NE(viewAt(c, 5, i), 0u);
    }
}

TEST(Draw, OddWidthCentresWithHalfToEven) {
    // W = 131, x = 65: ox = round(-0.5) = 0, so the material ends at view column 129.
    lumo::LumoControl c(200, 20);
    c.setPicViewBgColor(0x000000);
    std::vector<Pixel> px(131 * 3, 0x0000FF);
    px[0] = kKey;
    c.setPicMaterial(lumo::makePicture(131, 3, px));
    HostArgs args(0);
    args.y = NumericArg::integer(5);
    args.smoothing = NumericArg::boolean(false);
    ASSERT_EQ(c.lumoscope(args.args()), RunError::None);
    EXPECT_EQ(viewAt(c, 130, 5), 0x0000FFu);  // the rectangle spans -1 .. 130
    EXPECT_EQ(viewAt(c, 131, 5), 0u);
}

TEST(Draw, KeyColouredPixelsLeaveTheViewAndNearKeysAreDrawn) {
    lumo::LumoControl c(130, 130);
    c.setPicViewBgColor(0x000080);
    std::vector<Pixel> px(41 * 41, 0x0000FF);
    px[0] = kKey;
    px[20 * 41 + 20] = kKey;           // keyed: the view shows through
    px[20 * 41 + 10] = kKey ^ 0x000100;  // one step off in green: drawn
    c.setPicMaterial(lumo::makePicture(41, 41, px));
    HostArgs args(0);
    args.smoothing = NumericArg::boolean(false);
    ASSERT_EQ(c.lumoscope(args.args()), RunError::None);
    // ox = oy = round(65 - 20.5) = 44; the stretch by one pixel and the shrink by one cancel
    // out up to the middle, so material (i, j) lands at view (44 + i, 44 + j) there.
    EXPECT_EQ(viewAt(c, 64, 64), quill::pixelFromColour(0x000080));
    EXPECT_EQ(viewAt(c, 54, 64), kKey ^ 0x000100);
}

TEST(Draw, BadArgumentsFailWithTheirErrorAndLeaveTheControlUsable) {
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    struct Case { const char* what; void (*tweak)(HostArgs&); RunError want; };
    const Case cases[] = {
        {"NaN zoom", [](HostArgs& a) { a.zoom = NumericArg::doubleValue(std::nan("")); }, RunError::Overflow},
        {"infinite zoom", [](HostArgs& a) { a.zoom = NumericArg::doubleValue(1e308 * 10); }, RunError::Overflow},
        {"NaN x", [](HostArgs& a) { a.x = NumericArg::doubleValue(std::nan("")); }, RunError::Overflow},
        {"infinite y", [](HostArgs& a) { a.y = NumericArg::doubleValue(-1e308 * 10); }, RunError::Overflow},
        {"huge x", [](HostArgs& a) { a.x = NumericArg::doubleValue(3e9); }, RunError::Overflow},
        {"negative zoom", [](HostArgs& a) { a.zoom = NumericArg::integer(-1); }, RunError::InvalidPropertyValue},
        {"gigabyte zoom", [](HostArgs& a) { a.zoom = NumericArg::doubleValue(1e6); }, RunError::OutOfMemory},
        {"zoom past 32 bits", [](HostArgs& a) { a.zoom = NumericArg::doubleValue(1e10); }, RunError::Overflow},
        {"NaN alpha", [](HostArgs& a) { a.alpha = NumericArg::doubleValue(std::nan("")); }, RunError::Overflow},
        {"text x", [](HostArgs& a) { a.x = NumericArg::notNumeric(); }, RunError::TypeMismatch},
        {"text alpha", [](HostArgs& a) { a.alpha = NumericArg::notNumeric(); }, RunError::TypeMismatch},
        {"text angle", [](HostArgs& a) { a.angle = NumericArg::notNumeric(); }, RunError::TypeMismatch},
        {"text zoom", [](HostArgs& a) { a.zoom = NumericArg::notNumeric(); }, RunError::TypeMismatch},
        {"text smoothing", [](HostArgs& a) { a.smoothing = NumericArg::notNumeric(); }, RunError::TypeMismatch},
    };
    (void)nan;
    (void)inf;
    for (const Case& k : cases) {
        Twin t(130, 130, kKeyColour);
        t.setMaterial(bodyPicture(60, 60));
        const reference::Image view = imageOf(t.control.surfaces().view);
        HostArgs a(30);
        k.tweak(a);
        EXPECT_EQ(t.control.lumoscope(a.args()), k.want) << k.what;
        EXPECT_TRUE(imageOf(t.control.surfaces().view) == view) << k.what;
        // The control still draws correctly afterwards.
        t.model.material = imageOf(t.control.surfaces().material);
        t.model.work = imageOf(t.control.surfaces().workingArea);
        t.model.master = imageOf(t.control.surfaces().materialMaster);
        t.drawBoth(65, 65, 255, 77, 1, true, 1.0);
        t.expectSame(k.what);
    }
}

TEST(Draw, ErrorsStopAtTheFailingStepWithEarlierChangesKept) {
    auto c = hostControl(130, bodyPicture(40, 40));
    HostArgs a(725);
    a.alpha = NumericArg::integer(400);
    a.x = NumericArg::notNumeric();
    EXPECT_EQ(c.lumoscope(a.args()), RunError::TypeMismatch);
    EXPECT_EQ(a.alpha.value(), 255);                  // clampAlphaInPlace ran
    EXPECT_EQ(a.angle.value(), 5);                    // prepareWorkingCopy reduced the angle
    EXPECT_EQ(c.surfaces().workingArea.width(), 42);  // sizeScratch ran; placeOnView failed

    HostArgs b(725);  // the Boolean converts before any step
    b.alpha = NumericArg::integer(400);
    b.smoothing = NumericArg::notNumeric();
    EXPECT_EQ(c.lumoscope(b.args()), RunError::TypeMismatch);
    EXPECT_EQ(b.alpha.value(), 400);
}

TEST(Draw, DegenerateAndLargeMaterialsDrawWithoutFailing) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {1, 190}, {3000, 2000}}) {
        lumo::LumoControl c(130, 130);
        ASSERT_EQ(c.setPicMaterial(solidPicture(w, h, 0x123456)), RunError::None);
        for (int angle : {0, 45, 90}) {
            HostArgs a(angle);
            EXPECT_EQ(c.lumoscope(a.args()), RunError::None) << w << "x" << h << " at " << angle;
        }
    }
    lumo::LumoControl c(130, 130);  // zoom 0 draws a one-pixel rectangle, no error
    HostArgs z(10);
    z.zoom = NumericArg::integer(0);
    EXPECT_EQ(c.lumoscope(z.args()), RunError::None);
}

}  // namespace
}  // namespace enginetest
