// RLE8 and RLE4 streams: runs, literals, line ends, deltas, and streams that stop short.
#include <gtest/gtest.h>

#include "tests/common/bmp/bmp_builder.h"

namespace quill::bmp::test {
namespace {

constexpr std::uint32_t K = kBlack, R = kRed, G = kGreen, B = kBlue;
const std::vector<std::uint32_t> kPalette = {K, R, G, B};

DecodeResult decodeRle(std::int32_t width, std::int32_t height, int bits, Bytes stream) {
    return decodeBytes(BmpBuilder(width, height, bits).compression(bits == 8 ? 1 : 2).palette(kPalette)
                           .pixelBytes(std::move(stream)).build());
}

std::vector<std::uint32_t> pixelsOf(const DecodeResult& result) {
    EXPECT_TRUE(result.image) << result.error;
    return result.image ? result.image->pixels : std::vector<std::uint32_t>{};
}

TEST(BmpRle, RunsLiteralsAndLineEndsFillRowsFromTheBottom) {
    const Bytes stream = {2, 1, 0, 3, 2, 3, 2, 0, 0, 0,  // run, padded literal, end of line
                          5, 3, 0, 1};                   // run, end of bitmap
    const std::vector<std::uint32_t> bottom = {R, R, G, B, G}, top = {B, B, B, B, B};
    std::vector<std::uint32_t> upright = top;
    upright.insert(upright.end(), bottom.begin(), bottom.end());
    EXPECT_EQ(pixelsOf(decodeRle(5, 2, 8, stream)), upright);
    std::vector<std::uint32_t> flipped = bottom;
    flipped.insert(flipped.end(), top.begin(), top.end());
    EXPECT_EQ(pixelsOf(decodeRle(5, -2, 8, stream)), flipped);
}

TEST(BmpRle, SkippedPixelsAreBlackAndRunsStopAtTheRightEdge) {
    const Bytes stream = {6, 1, 0, 0,  // six reds into a four-pixel row, end of line
                          0, 2, 2, 1,  // delta: two right, one up
                          1, 2, 0, 1};  // one green, then end of bitmap
    EXPECT_EQ(pixelsOf(decodeRle(4, 3, 8, stream)),
              (std::vector<std::uint32_t>{K, K, G, K, K, K, K, K, R, R, R, R}));
}

TEST(BmpRle, FourBitRunsAlternateTheirTwoIndices) {
    const Bytes stream = {3, 0x12, 0, 5, 0x31, 0x23, 0x20, 0, 0, 1};  // odd literal padded to 4 bytes
    EXPECT_EQ(pixelsOf(decodeRle(8, 1, 4, stream)), (std::vector<std::uint32_t>{R, G, R, B, R, G, B, G}));
}

TEST(BmpRle, AStreamMayOmitTheEndMarkerOnlyOnceTheImageIsFull) {
    EXPECT_EQ(pixelsOf(decodeRle(2, 1, 8, {2, 1})), (std::vector<std::uint32_t>{R, R}));
    const char* rle8Short = "truncated: RLE8 data ends at byte ";
    for (const Bytes& stream : {Bytes{2, 1}, Bytes{0, 4, 1, 1}, Bytes{0, 2, 1}, Bytes{1}}) {
        const DecodeResult result = decodeRle(2, 2, 8, stream);
        EXPECT_FALSE(result.image);
        EXPECT_EQ(result.error.rfind(rle8Short, 0), 0u) << result.error;
    }
    EXPECT_EQ(decodeRle(4, 2, 4, {2, 0x11}).error, "truncated: RLE4 data ends at byte 72 before the image is complete");
}

}  // namespace
}  // namespace quill::bmp::test
