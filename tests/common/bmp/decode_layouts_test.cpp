// Files the decoder must accept: every bit depth and layout, and where the pixels land.
#include <gtest/gtest.h>

#include "common/bmp/channel_scale.h"
#include "tests/common/bmp/bmp_builder.h"

namespace quill::bmp::test {
namespace {

// The decoded pixels, top row first, or a failure that shows the decoder's message.
std::vector<std::uint32_t> pixelsOf(const Bytes& file, int width, int height) {
    const DecodeResult result = decodeBytes(file);
    EXPECT_TRUE(result.image) << result.error;
    if (!result.image) return {};
    EXPECT_EQ(result.image->width, width);
    EXPECT_EQ(result.image->height, height);
    return result.image->pixels;
}

TEST(BmpLayouts, IndexedDepthsReadTheirBitsLeftmostFirst) {
    // 10 pixels wide: the row spans a second byte.
    const Bytes oneBit = BmpBuilder(10, 1, 1).palette({kBlack, kWhite}).rows({{1, 0, 0, 0, 0, 0, 0, 1, 1, 0}}).build();
    EXPECT_EQ(pixelsOf(oneBit, 10, 1),
              (std::vector<std::uint32_t>{kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite, kWhite, kBlack}));
    const Bytes eightBit = BmpBuilder(3, 1, 8).palette({kRed, kGreen, kBlue}).rows({{2, 0, 1}}).build();
    EXPECT_EQ(pixelsOf(eightBit, 3, 1), (std::vector<std::uint32_t>{kBlue, kRed, kGreen}));
}

TEST(BmpLayouts, IndicesBeyondAShortPaletteAreBlack) {
    const Bytes fourBit = BmpBuilder(3, 1, 4).palette({kRed, kGreen, kBlue}).rows({{2, 15, 0}}).build();
    EXPECT_EQ(pixelsOf(fourBit, 3, 1), (std::vector<std::uint32_t>{kBlue, kBlack, kRed}));
    // The header claims a full table, but the pixel data starts after two entries.
    const Bytes clipped = BmpBuilder(3, 1, 8).palette({kRed, kGreen, kBlue}).coloursUsed(0)
                              .pixelOffset(54 + 8).rows({{0, 1, 2}}).build();
    EXPECT_EQ(pixelsOf(clipped, 3, 1), (std::vector<std::uint32_t>{kRed, kGreen, kBlack}));
}

// The same picture stored bottom-up and top-down decodes to the same top-down 0x00RRGGBB.
TEST(BmpLayouts, BothOrientationsGiveTopDownPixelsInEngineOrder) {
    const Rows topDown = {{0x123456, 0xABCDEF, 0x010203}, {0xFF0000, 0x00FF00, 0x0000FF}};
    const std::vector<std::uint32_t> expected = {0x123456, 0xABCDEF, 0x010203, 0xFF0000, 0x00FF00, 0x0000FF};
    const Rows bottomUp = {topDown[1], topDown[0]};
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        EXPECT_EQ(pixelsOf(BmpBuilder(3, 2, bits).rows(bottomUp).build(), 3, 2), expected);
        EXPECT_EQ(pixelsOf(BmpBuilder(3, -2, bits).rows(topDown).build(), 3, 2), expected);
    }
    const Bytes raw = BmpBuilder(1, 1, 24).rows({{0x123456}}).build();
    EXPECT_EQ(raw[54], 0x56);  // stored blue first
}

TEST(BmpLayouts, SixteenBitsDefaultToFiveFiveFiveAndScaleToFullRange) {
    const Bytes file = BmpBuilder(5, 1, 16).rows({{0x7C00, 0x03E0, 0x001F, 0x8421, 0x4210}}).build();
    // The top bit is unused; 1 of 31 is 8 and 16 of 31 is 132 after rounding.
    EXPECT_EQ(pixelsOf(file, 5, 1),
              (std::vector<std::uint32_t>{kRed, kGreen, kBlue, 0x080808, 0x848484}));
}

TEST(BmpLayouts, BitFieldMasksPickAndScaleTheChannels) {
    const Bytes rgb565 = BmpBuilder(2, 1, 16).compression(3).masks(0xF800, 0x07E0, 0x001F)
                             .rows({{0xF800 | 0x001F, 0x0020}}).build();
    EXPECT_EQ(pixelsOf(rgb565, 2, 1), (std::vector<std::uint32_t>{0xFF00FF, 0x000400}));
    // Ten bits a channel: 512 of 1023 rounds to 128.
    const Bytes tenBit = BmpBuilder(1, 1, 32).compression(3).masks(0x3FF00000, 0x000FFC00, 0x3FF)
                             .rows({{0xFFF00000 | 512u << 10}}).build();
    EXPECT_EQ(pixelsOf(tenBit, 1, 1), (std::vector<std::uint32_t>{0xFF8000}));
}

TEST(BmpLayouts, MasksComeFromWhereverTheHeaderKeepsThem) {
    for (std::uint32_t header : {40u, 52u, 56u, 108u, 124u}) {
        for (std::uint32_t compression : {3u, 6u}) {
            SCOPED_TRACE(std::to_string(header) + " " + std::to_string(compression));
            const Bytes file = BmpBuilder(1, 1, 32).headerSize(header).compression(compression)
                                   .masks(0xFF, 0xFF00, 0xFF0000, 0xFF000000).rows({{0xAA332211}}).build();
            EXPECT_EQ(pixelsOf(file, 1, 1), (std::vector<std::uint32_t>{0x112233}));
        }
    }
    // Without bit-field compression the masks a V5 header carries do not apply.
    const Bytes plain = BmpBuilder(1, 1, 32).headerSize(124).masks(0xFF, 0, 0).rows({{0xFF112233}}).build();
    EXPECT_EQ(pixelsOf(plain, 1, 1), (std::vector<std::uint32_t>{0x112233}));
}

TEST(BmpLayouts, ZeroOverlappingAndOutOfRangeMasksStillDecode) {
    // Red has no bits and green and blue share theirs; in 16 bits, red's mask reaches no bit
    // and green's ninth bit does not exist, so eight bits of green are its full range.
    const Bytes shared = BmpBuilder(1, 1, 32).compression(3).masks(0, 0xFF, 0xFF).rows({{0x80}}).build();
    EXPECT_EQ(pixelsOf(shared, 1, 1), (std::vector<std::uint32_t>{0x008080}));
    const Bytes wide = BmpBuilder(1, 1, 16).compression(3).masks(0xFF0000, 0x1FF00, 0xFF).rows({{0xFFFF}}).build();
    EXPECT_EQ(pixelsOf(wide, 1, 1), (std::vector<std::uint32_t>{0x00FFFF}));
}

TEST(BmpLayouts, EveryChannelWidthScalesToTheNearestEightBitValue) {
    for (int width = 1; width <= 32; ++width) {
        const std::uint64_t full = (std::uint64_t{1} << width) - 1;
        const int shift = 32 - width;
        const ChannelScale scale(std::uint32_t(full << shift));
        for (std::uint64_t v : {std::uint64_t{0}, std::uint64_t{1}, full / 3, full / 2, full / 2 + 1, full - 1, full}) {
            // Channels past 16 bits lose their low bits first, which moves nothing by a step.
            EXPECT_NEAR(scale(std::uint32_t(v << shift)), double(v) * 255 / full, 0.51) << width << " " << v;
        }
    }
}

TEST(BmpLayouts, CoreHeaderHasThreeByteEntriesAndUnsignedSides) {
    const Bytes indexed = BmpBuilder(2, 1, 8).headerSize(12).palette({kRed, 0x123456}).rows({{1, 0}}).build();
    EXPECT_EQ(pixelsOf(indexed, 2, 1), (std::vector<std::uint32_t>{0x123456, kRed}));
    const Bytes wide = BmpBuilder(40000, 1, 1).headerSize(12).palette({kBlack, kWhite}).build();
    EXPECT_NE(decodeBytes(wide).error.find("image too large: 40000 x 1"), std::string::npos);
}

TEST(BmpLayouts, LastRowMayLackItsPaddingAndTrailingBytesAreIgnored) {
    Bytes file = BmpBuilder(1, 2, 24).rows({{kRed}, {kBlue}}).build();
    file.resize(file.size() - 1);
    EXPECT_EQ(pixelsOf(file, 1, 2), (std::vector<std::uint32_t>{kBlue, kRed}));
    file.insert(file.end(), {1, 2, 3, 4, 5});
    EXPECT_EQ(pixelsOf(file, 1, 2), (std::vector<std::uint32_t>{kBlue, kRed}));
}

TEST(BmpLayouts, AcceptsEverySizeUpToTheCaps) {
    // The program refuses artwork wider than 189 pixels itself, with its own message.
    const std::pair<int, int> sizes[] = {{190, 190}, {kMaxSide, 1}, {1, kMaxSide}, {4096, 4096}};
    for (auto [w, h] : sizes) {
        const Bytes file = BmpBuilder(w, h, 1).palette({kBlack, kWhite})
                               .pixelBytes(Bytes(std::size_t((w + 31) / 32 * 4) * h, 0xFF)).build();
        const DecodeResult result = decodeBytes(file);
        ASSERT_TRUE(result.image) << w << " x " << h << ": " << result.error;
        EXPECT_EQ(result.image->pixels.size(), std::size_t(w) * h);
        EXPECT_EQ(result.image->pixels.back(), kWhite);
    }
}

}  // namespace
}  // namespace quill::bmp::test
