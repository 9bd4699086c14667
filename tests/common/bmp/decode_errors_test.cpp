// Files the decoder must refuse, each with a message a user can act on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/common/bmp/allocation_probe.h"
#include "tests/common/bmp/bmp_builder.h"

namespace quill::bmp::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

Bytes cut(Bytes file, std::size_t size) {
    file.resize(size);
    return file;
}

Bytes withU32(Bytes file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return file;
}

std::string errorOf(const Bytes& file) {
    const DecodeResult result = decodeBytes(file);
    EXPECT_FALSE(result.image);
    return result.error;
}

const Bytes kGrey8 = BmpBuilder(4, 2, 8).coloursUsed(0).palette(std::vector<std::uint32_t>(256, 0x808080))
                         .rows({{1, 2, 3, 4}, {5, 6, 7, 8}}).build();  // 1078 bytes of headers, no padding
const Bytes kMasked16 = BmpBuilder(2, 1, 16).compression(3).masks(0xF800, 0x07E0, 0x1F).rows({{1, 2}}).build();

TEST(BmpErrors, NamesWhatIsWrongWithTheHeaders) {
    EXPECT_EQ(errorOf({}), "empty file");
    EXPECT_EQ(errorOf({'P', 'K', 3, 4}), "not a BMP file (bad signature)");
    EXPECT_EQ(errorOf(cut(kGrey8, 10)), "truncated: header ends at byte 10 of 18");
    EXPECT_EQ(errorOf(cut(kGrey8, 30)), "truncated: header ends at byte 30 of 54");
    EXPECT_EQ(errorOf(BmpBuilder(1, 1, 24).headerSize(64).build()), "unsupported header size 64");
    EXPECT_EQ(errorOf(BmpBuilder(0, 1, 24).build()), "width 0");
    EXPECT_EQ(errorOf(BmpBuilder(-3, 1, 24).build()), "negative width -3");
    EXPECT_EQ(errorOf(BmpBuilder(1, 0, 24).build()), "height 0");
}

TEST(BmpErrors, NamesUnsupportedEncodings) {
    EXPECT_EQ(errorOf(BmpBuilder(1, 1, 0).compression(4).build()), "unsupported compression 4 (JPEG)");
    EXPECT_EQ(errorOf(BmpBuilder(1, 1, 0).compression(5).build()), "unsupported compression 5 (PNG)");
    EXPECT_EQ(errorOf(BmpBuilder(1, 1, 32).compression(99).build()), "unsupported compression 99");
    EXPECT_EQ(errorOf(BmpBuilder(1, 1, 2).build()), "unsupported bit depth 2");
    EXPECT_EQ(errorOf(BmpBuilder(1, 1, 4).compression(1).build()), "RLE8 compression needs 8 bits per pixel, not 4");
    EXPECT_EQ(errorOf(BmpBuilder(1, 1, 24).compression(3).masks(1, 2, 4).build()),
              "BITFIELDS compression needs 16 or 32 bits per pixel, not 24");
}

TEST(BmpErrors, SaysWhereTheFileEndsTooSoon) {
    EXPECT_EQ(errorOf(cut(kMasked16, 60)), "truncated: colour masks end at byte 60 of 66");
    EXPECT_EQ(errorOf(cut(kGrey8, 100)), "truncated: palette ends at byte 100 of 1078");
    EXPECT_EQ(errorOf(cut(kGrey8, kGrey8.size() - 1)), "truncated: pixel data ends at byte 1085 of 1086");
    // Every shorter copy of a valid file is refused, whichever part the cut falls in.
    const Bytes core1 = BmpBuilder(32, 1, 1).headerSize(12).palette({kRed, kBlue}).rows({Rows::value_type(32, 1)}).build();
    for (const Bytes& file : {kGrey8, kMasked16, core1}) {  // rows without padding
        for (std::size_t size = 2; size < file.size(); ++size) {
            EXPECT_THAT(errorOf(cut(file, size)), StartsWith("truncated: ")) << size;
        }
    }
}

TEST(BmpErrors, ChecksThePixelDataOffset) {
    EXPECT_EQ(errorOf(withU32(kGrey8, 10, 20)), "pixel data offset 20 lies inside the headers (they end at byte 54)");
    EXPECT_EQ(errorOf(withU32(kMasked16, 10, 62)), "pixel data offset 62 lies inside the headers (they end at byte 66)");
    EXPECT_EQ(errorOf(withU32(kGrey8, 10, 0xFFFFFFFF)),
              "pixel data offset 4294967295 is past the end of the file (1086 bytes)");
}

// A refused size must cost no pixel buffer: a 50-byte file must not make the program allocate.
TEST(BmpErrors, RefusesHugeImagesBeforeAllocatingAnything) {
    struct Case { std::int32_t width, height; const char* error; };
    const Case cases[] = {
        {100000, 100000, "image too large: 100000 x 100000 (the limit is 16384 a side and 16777216 pixels)"},
        {kMaxSide + 1, 1, "image too large: 16385 x 1"},
        {1, -kMaxSide - 1, "image too large: 1 x 16385"},
        {4097, 4096, "image too large: 4097 x 4096"},
        {1, INT32_MIN, "image too large: 1 x 2147483648"},
        {4096, 4096, "truncated: pixel data ends at byte 58 of 67108918"},
    };
    for (const Case& c : cases) {
        const Bytes file = BmpBuilder(c.width, c.height, 32).pixelBytes({1, 2, 3, 4}).build();
        resetLargestAllocation();
        EXPECT_THAT(errorOf(file), StartsWith(c.error));
        EXPECT_LT(largestAllocation(), std::size_t{1} << 16) << c.error;
    }
}

TEST(BmpErrors, RunningOutOfMemoryIsAnErrorNotACrash) {
    const Bytes file = BmpBuilder(1024, 1024, 8).pixelBytes(Bytes(1024 * 1024)).build();
    const AllocationLimit limit(1 << 20);
    EXPECT_EQ(errorOf(file), "not enough memory for a 1024 x 1024 image");
}

}  // namespace
}  // namespace quill::bmp::test
