// The control's members: start-up state, pictures in and out, pixel reads, the background.
#include "compositor/engine/lumo_control.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace enginetest {
namespace {

TEST(Control, StartsWithTheViewAtTheInnerSizeAndWorkSurfacesAtDesignSize) {
    lumo::LumoControl c(200, 100);
    const auto& s = c.surfaces();
    EXPECT_EQ(s.view.width(), 200);
    EXPECT_EQ(s.view.height(), 100);
    for (const lumo::Surface* w : {&s.material, &s.materialMaster, &s.workingArea}) {
        EXPECT_EQ(w->width(), 81);
        EXPECT_EQ(w->backgroundColour(), 0xFFFFFFu);
    }
    EXPECT_EQ(c.picViewBgColor(), 0x80000005u);
    EXPECT_EQ(s.view.pixel(0, 0), 0xFFFFFFu);  // the window colour of the standard scheme
    EXPECT_EQ(c.picture(), nullptr);
}

TEST(Control, ResizeChangesTheViewAndNothingElse) {
    lumo::LumoControl c(200, 100);
    c.setPicMaterial(solidPicture(30, 20, 1));
    ASSERT_EQ(c.resize(64, 61), RunError::None);
    EXPECT_EQ(c.surfaces().view.width(), 64);
    EXPECT_EQ(c.surfaces().view.height(), 61);
    EXPECT_EQ(c.surfaces().material.width(), 30);
    EXPECT_EQ(c.surfaces().workingArea.height(), 20);
    EXPECT_EQ(c.resize(100000, 100000), RunError::OutOfMemory);
    EXPECT_EQ(c.surfaces().view.width(), 64);  // unchanged after the refusal
    EXPECT_EQ(c.resize(-1, 5), RunError::InvalidPropertyValue);
}

TEST(Control, SetPicMaterialSizesAllThreeMaterialSurfaces) {
    lumo::LumoControl c;
    ASSERT_EQ(c.setPicMaterial(solidPicture(130, 100, 7)), RunError::None);
    for (const lumo::Surface* s : {&c.surfaces().materialMaster, &c.surfaces().material, &c.surfaces().workingArea}) {
        EXPECT_EQ(s->width(), 130);
        EXPECT_EQ(s->height(), 100);
    }
    EXPECT_EQ(c.setPicMaterial(nullptr), RunError::None);  // unloading keeps the size
    EXPECT_EQ(c.surfaces().materialMaster.width(), 130);
}

TEST(Control, GetPointRoundsHalfToEvenAndReadsMinusOneOutside) {
    lumo::LumoControl c(10, 10);
    std::vector<Pixel> px(100, 0);
    for (int x = 0; x < 10; ++x) px[x] = Pixel(x + 1);  // column numbers in row 0
    c.setPicView(lumo::makePicture(10, 10, px));
    auto read = [&](NumericArg x, NumericArg y) {
        std::int32_t colour = 12345;
        EXPECT_EQ(c.getPoint(x, y, colour), RunError::None);
        return colour;
    };
    EXPECT_EQ(read(NumericArg::integer(-1), NumericArg::integer(0)), -1);
    EXPECT_EQ(read(NumericArg::integer(10), NumericArg::integer(0)), -1);
    EXPECT_EQ(read(NumericArg::doubleValue(2.5), NumericArg::integer(0)), std::int32_t(quill::colourFromPixel(3)));
    EXPECT_EQ(read(NumericArg::single(3.5f), NumericArg::integer(0)), std::int32_t(quill::colourFromPixel(5)));
    EXPECT_EQ(read(NumericArg::doubleValue(9.4), NumericArg::doubleValue(-0.5)), std::int32_t(quill::colourFromPixel(10)));
    std::int32_t colour = 0;
    EXPECT_EQ(c.getPoint(NumericArg::notNumeric(), NumericArg::integer(0), colour), RunError::TypeMismatch);
    EXPECT_EQ(c.getPoint(NumericArg::doubleValue(std::nan("")), NumericArg::integer(0), colour), RunError::Overflow);
}

TEST(Control, ReadingTheBackgroundChangesNothingAndWritingErasesTheView) {
    lumo::LumoControl c(50, 50);
    c.setPicMaterial(solidPicture(20, 20, 0x0000FF));
    HostArgs draw(0);
    draw.x = draw.y = NumericArg::integer(25);
    ASSERT_EQ(c.lumoscope(draw.args()), RunError::None);
    const reference::Image drawn = imageOf(c.surfaces().view);
    EXPECT_EQ(c.picViewBgColor(), c.picViewBgColor());
    EXPECT_TRUE(imageOf(c.surfaces().view) == drawn);

    ASSERT_EQ(c.setPicViewBgColor(0x00336699), RunError::None);
    EXPECT_TRUE(imageOf(c.surfaces().view) == reference::Image(50, 50, quill::pixelFromColour(0x00336699)));
    EXPECT_EQ(c.setPicViewBgColor(0x12345678), RunError::InvalidPropertyValue);
    EXPECT_EQ(c.picViewBgColor(), 0x00336699u);

    c.setPicView(solidPicture(10, 10, 0x00ABCDEF));  // a loaded picture stays on top
    c.setPicViewBgColor(0x000000);
    EXPECT_EQ(c.surfaces().view.pixel(5, 5), 0x00ABCDEFu);
    EXPECT_EQ(c.surfaces().view.pixel(20, 20), 0u);
}

TEST(Control, ImageIsASnapshotAndPictureTheLoadedPicture) {
    lumo::LumoControl c(30, 30);
    const lumo::PictureRef loaded = solidPicture(30, 30, 0x010101);
    c.setPicView(loaded);
    EXPECT_EQ(c.picture(), loaded);
    std::vector<Pixel> px(100, 0x0000FF);
    px[0] = 0x00FF00;  // the key
    c.setPicMaterial(lumo::makePicture(10, 10, px));
    HostArgs draw(0);
    draw.x = draw.y = NumericArg::integer(15);
    ASSERT_EQ(c.lumoscope(draw.args()), RunError::None);
    const lumo::PictureRef first = c.image();
    EXPECT_EQ(c.picture(), loaded);                 // drawing does not change the picture
    EXPECT_EQ(loaded->pixels[15 * 30 + 15], 0x010101u);  // nor the caller's bitmap
    EXPECT_NE(first->pixels[15 * 30 + 15], 0x010101u);
    c.clsPicView();
    EXPECT_NE(first->pixels[15 * 30 + 15], 0x010101u);  // the snapshot is not the live view
    EXPECT_EQ(c.image()->pixels[15 * 30 + 15], 0x010101u);
}

TEST(Control, ReDrawCallsTheShellsRepaint) {
    lumo::LumoControl c(10, 10);
    c.reDraw();  // without a shell: nothing to do
    int repaints = 0;
    c.setRedrawHook([&] { ++repaints; });
    c.reDraw();
    EXPECT_EQ(repaints, 1);
}

}  // namespace
}  // namespace enginetest
