// Surfaces behave like picture boxes with a persistent image.
#include "compositor/engine/surface.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace enginetest {
namespace {

TEST(Surface, ReadsOutsideGiveNoPixelAndWritesOutsideDoNothing) {
    lumo::Surface s(4, 3, 0x000000, false);
    EXPECT_EQ(s.pixel(-1, 0), quill::kNoPixel);
    EXPECT_EQ(s.pixel(4, 0), quill::kNoPixel);
    EXPECT_EQ(s.pixel(0, 3), quill::kNoPixel);
    s.setPixel(4, 0, 7);
    s.setPixel(-1, -1, 7);
    s.setPixel(3, 2, 7);
    EXPECT_EQ(s.pixel(3, 2), 7u);
    EXPECT_TRUE(imageOf(s) == [] { reference::Image i(4, 3, 0); i.set(3, 2, 7); return i; }());
}

TEST(Surface, ClearPaintsTheBackgroundThenThePictureAtTheOrigin) {
    lumo::Surface s(5, 5, 0x0000FF, false);
    s.setPicture(solidPicture(2, 3, 0x0A0B0C));
    s.setPixel(4, 4, 1);
    s.clear();
    EXPECT_EQ(s.pixel(1, 2), 0x0A0B0Cu);
    EXPECT_EQ(s.pixel(2, 2), quill::pixelFromColour(0x0000FF));
    EXPECT_EQ(s.pixel(4, 4), quill::pixelFromColour(0x0000FF));
}

TEST(Surface, AutoSizeTakesThePicturesSizeAndDrawingNeverTouchesThePicture) {
    lumo::Surface s(1, 1, 0xFFFFFF, true);
    const lumo::PictureRef pic = numberedPicture(6, 4);
    s.setPicture(pic);
    EXPECT_EQ(s.width(), 6);
    EXPECT_EQ(s.height(), 4);
    EXPECT_EQ(s.pixel(5, 3), 3006u);
    s.setPixel(5, 3, 9);
    EXPECT_EQ(s.pixel(5, 3), 9u);
    EXPECT_EQ(s.pixel(4, 3), 3005u);
    EXPECT_EQ(pic->pixels[3 * 6 + 5], 3006u);
}

TEST(Surface, ResizeKeepsTheOverlapAndFillsTheRestWithTheBackground) {
    lumo::Surface s(1, 1, 0x000000, true);
    s.setPicture(numberedPicture(4, 4));
    ASSERT_EQ(s.resize(6, 2), RunError::None);
    EXPECT_EQ(s.pixel(3, 1), 1004u);
    EXPECT_EQ(s.pixel(4, 1), 0u);
    ASSERT_EQ(s.resize(3, 5), RunError::None);  // reuses the buffer: stale pixels must not show
    EXPECT_EQ(s.pixel(2, 1), 1003u);
    EXPECT_EQ(s.pixel(2, 2), 0u);
    EXPECT_EQ(s.pixel(0, 4), 0u);
    ASSERT_EQ(s.resize(3000, 3000), RunError::None);
    EXPECT_EQ(s.pixel(0, 0), 1u);
    EXPECT_EQ(s.resize(20000, 1), RunError::OutOfMemory);
    EXPECT_EQ(s.resize(5000, 5000), RunError::OutOfMemory);
    EXPECT_EQ(s.width(), 3000);
}

TEST(Surface, BakeMakesThePictureASnapshotOfTheImage) {
    lumo::Surface s(3, 3, 0x000000, true);
    s.setPixel(1, 1, 5);
    s.bake();
    ASSERT_NE(s.picture(), nullptr);
    EXPECT_EQ(s.picture()->pixels[4], 5u);
    s.setPixel(1, 1, 6);
    s.clear();
    EXPECT_EQ(s.pixel(1, 1), 5u);
}

TEST(Surface, SnapshotsStayAsTakenWhateverIsDrawnLater) {
    lumo::Surface s(4, 3, 0x000000, false);
    s.setPixel(1, 1, 5);
    const lumo::PictureRef first = s.snapshot();
    EXPECT_EQ(s.snapshot(), first);  // nothing drawn in between: the same picture, no copy
    s.setPixel(2, 1, 6);             // a partial write keeps the rest of the image
    const lumo::PictureRef second = s.snapshot();
    s.clear();                       // a write over everything
    s.setPixel(0, 0, 7);
    const lumo::PictureRef third = s.snapshot();
    s.setPixel(3, 2, 8);
    EXPECT_EQ(first->pixels, (std::vector<Pixel>{0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(second->pixels, (std::vector<Pixel>{0, 0, 0, 0, 0, 5, 6, 0, 0, 0, 0, 0}));
    EXPECT_EQ(third->pixels, (std::vector<Pixel>{7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(s.pixel(3, 2), 8u);
    EXPECT_EQ(s.pixel(0, 0), 7u);
}

TEST(Surface, AHostHoldingTheLastImageWhileTakingTheNextCostsThreeBuffersInAll) {
    int made = 0;
    lumo::Surface s(3, 1, 0x000000, false, [&](int w, int h) {
        ++made;
        return lumo::makeHeapStorage(w, h);
    });
    lumo::PictureRef held = s.snapshot();
    for (Pixel round = 1; round <= 10; ++round) {
        s.clear();
        s.setPixel(0, 0, round);
        const lumo::PictureRef last = held;
        held = s.snapshot();
        EXPECT_EQ(held->pixels, (std::vector<Pixel>{round, 0, 0}));
        EXPECT_EQ(last->pixels[0], round - 1);  // untouched while the host still holds it
    }
    EXPECT_EQ(made, 3);
}

// Storage that a device context shows, and so must not be handed out as a picture.
class PinnedStorage final : public lumo::PixelStorage {
public:
    PinnedStorage(int w, int h) : w_(w), h_(h), px_(std::size_t(w) * h) {}
    Pixel* data() override { return px_.data(); }
    int width() const override { return w_; }
    int height() const override { return h_; }
    bool exactSize() const override { return true; }

private:
    int w_, h_;
    std::vector<Pixel> px_;
};

TEST(Surface, StorageThatCannotBeSharedIsCopiedAndKeepsItsMemory) {
    lumo::Surface s(3, 2, 0x000000, false,
                    [](int w, int h) { return std::make_unique<PinnedStorage>(w, h); });
    const Pixel* memory = s.pixels().px;
    s.setPixel(1, 0, 5);
    const lumo::PictureRef before = s.snapshot();
    s.clear();
    EXPECT_EQ(before->pixels, (std::vector<Pixel>{0, 5, 0, 0, 0, 0}));
    EXPECT_EQ(s.pixels().px, memory);  // still the memory the device context shows
}

TEST(Surface, ResizingAfterASnapshotLeavesTheSnapshotAlone) {
    lumo::Surface s(1, 1, 0x000000, true);
    s.setPicture(numberedPicture(4, 4));
    s.setPixel(0, 0, 9);
    const lumo::PictureRef taken = s.snapshot();
    ASSERT_EQ(s.resize(3, 3), RunError::None);  // reuses the larger buffer
    s.setPixel(2, 2, 1);
    ASSERT_EQ(s.resize(4, 4), RunError::None);
    EXPECT_TRUE(imageOf(*taken) == [] {
        reference::Image i = imageOf(*numberedPicture(4, 4));
        i.set(0, 0, 9);
        return i;
    }());
    EXPECT_EQ(s.pixel(3, 3), 0u);
    EXPECT_EQ(s.pixel(2, 2), 1u);
    EXPECT_EQ(s.pixel(1, 0), 2u);
}

}  // namespace
}  // namespace enginetest
