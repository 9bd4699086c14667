#include "common/colour.h"

#include <gtest/gtest.h>

namespace {

TEST(Colour, PixelOrderSwapsRedAndBlueBothWays) {
    EXPECT_EQ(quill::rgb(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(quill::pixelFromColour(0x563412u), 0x123456u);
    EXPECT_EQ(quill::colourFromPixel(quill::pixelFromColour(0x00ABCDEFu)), 0x00ABCDEFu);
}

TEST(Colour, SystemColoursResolveThroughTheSource) {
    EXPECT_EQ(quill::resolveColour(0x80000005u), 0xFFFFFFu);  // window background
    EXPECT_EQ(quill::resolveColour(0x80000008u), 0x000000u);  // window text
    EXPECT_EQ(quill::resolveColour(0x00123456u), 0x123456u);
    quill::setSystemColourSource([](int index) -> quill::Colour { return index == 5 ? 0x0000FF : 0; });
    EXPECT_EQ(quill::resolveColour(0x80000005u), 0x0000FFu);
    quill::setSystemColourSource(nullptr);
    EXPECT_EQ(quill::resolveColour(0x80000005u), 0xFFFFFFu);
}

TEST(Colour, ColourPropertiesAcceptPlainAndSystemColoursOnly) {
    EXPECT_TRUE(quill::isValidColourProperty(0x00FFFFFFu));
    EXPECT_TRUE(quill::isValidColourProperty(0x8000001Eu));
    EXPECT_FALSE(quill::isValidColourProperty(0x8000001Fu));
    EXPECT_FALSE(quill::isValidColourProperty(0x01000000u));
    EXPECT_FALSE(quill::isValidColourProperty(0xFFFFFFFFu));
}

}  // namespace
