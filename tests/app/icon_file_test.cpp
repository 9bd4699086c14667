// The application icon as it is committed: every size the notification area and the taskbar
// ask for at the common scales, each an 8-bit picture over a 256-entry palette with its
// transparency mask, the 32 by 32 image first.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

namespace {

std::uint32_t read16(const std::vector<unsigned char>& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t read32(const std::vector<unsigned char>& b, std::size_t at) {
    return read16(b, at) | read16(b, at + 2) << 16;
}

struct IconImage {
    int size = 0;
    int bitCount = 0;
    std::uint32_t coloursUsed = 0;
    int transparent = 0;  // set bits of the AND mask
};

// One directory entry and the image it points at, checked against each other.
IconImage readImage(const std::vector<unsigned char>& file, std::size_t entry) {
    IconImage im;
    im.size = file.at(entry) == 0 ? 256 : file.at(entry);
    const std::uint32_t bytes = read32(file, entry + 8), offset = read32(file, entry + 12);
    EXPECT_LE(std::uint64_t{offset} + bytes, file.size()) << "the " << im.size << " image runs past the file";
    EXPECT_EQ(read32(file, offset), 40u);                                  // BITMAPINFOHEADER
    EXPECT_EQ(static_cast<int>(read32(file, offset + 4)), im.size);        // width
    EXPECT_EQ(static_cast<int>(read32(file, offset + 8)), 2 * im.size);    // colour rows and mask rows
    im.bitCount = static_cast<int>(read16(file, offset + 14));
    im.coloursUsed = read32(file, offset + 32);
    const std::size_t xorStride = (static_cast<std::size_t>(im.size) * im.bitCount + 31) / 32 * 4;
    const std::size_t andStride = (static_cast<std::size_t>(im.size) + 31) / 32 * 4;
    const std::size_t palette = im.bitCount <= 8 ? std::size_t{4} << im.bitCount : 0;
    EXPECT_EQ(bytes, 40 + palette + (xorStride + andStride) * im.size) << "the " << im.size << " image";
    const std::size_t mask = offset + 40 + palette + xorStride * im.size;
    for (int y = 0; y < im.size; ++y) {
        for (int x = 0; x < im.size; ++x) im.transparent += (file.at(mask + y * andStride + x / 8) >> (7 - x % 8)) & 1;
    }
    return im;
}

TEST(ApplicationIcon, HoldsEverySizeIn256ColoursWithAMaskThe32First) {
    std::ifstream in(QUILL_ICON_FILE, std::ios::binary);
    ASSERT_TRUE(in) << QUILL_ICON_FILE;
    const std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GE(file.size(), 6u);
    ASSERT_EQ(read16(file, 0), 0u);
    ASSERT_EQ(read16(file, 2), 1u);  // an icon, not a cursor
    const std::uint32_t count = read16(file, 4);
    ASSERT_GE(file.size(), 6 + 16 * count);
    std::set<int> sizes;
    for (std::uint32_t i = 0; i < count; ++i) {
        const IconImage im = readImage(file, 6 + 16 * i);
        if (i == 0) {
            EXPECT_EQ(im.size, 32) << "the first image";
        }
        sizes.insert(im.size);
        EXPECT_EQ(im.bitCount, 8) << "the " << im.size << " image";
        EXPECT_TRUE(im.coloursUsed == 0 || im.coloursUsed == 256) << "the " << im.size << " image";
        // A mask that hides some pixels and shows others: the round icon on a clear ground.
        EXPECT_GT(im.transparent, 0) << "the " << im.size << " image";
        EXPECT_LT(im.transparent, im.size * im.size) << "the " << im.size << " image";
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32, 48}));
}

}  // namespace
