// Writes the fuzzer's seed corpus with the tests' BMP builder: one small file per layout the
// decoder knows, and a few it refuses. Rebuild and rerun after changing the builder:
//   g++ -std=c++17 -I. tests/fuzz/make_bmp_corpus.cpp tests/common/bmp/bmp_builder.cpp -o /tmp/make_bmp_corpus
//   /tmp/make_bmp_corpus tests/fuzz/corpus/bmp
#include <fstream>
#include <string>

#include "tests/common/bmp/bmp_builder.h"

using namespace quill::bmp::test;

namespace {

void save(const std::string& dir, const char* name, const Bytes& bytes) {
    std::ofstream(dir + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

const std::vector<std::uint32_t> kFour = {kBlack, kRed, kGreen, kBlue};

void saveIndexed(const std::string& dir) {
    save(dir, "1bit_core.bmp", BmpBuilder(9, 2, 1).headerSize(12).palette({kBlack, kWhite})
                                   .rows({{1, 0, 1, 0, 1, 0, 1, 0, 1}, {0, 1, 0, 1, 0, 1, 0, 1, 0}}).build());
    save(dir, "4bit_short_palette.bmp", BmpBuilder(5, 2, 4).palette({kRed, kGreen, kBlue})
                                            .rows({{0, 1, 2, 3, 15}, {2, 1, 0, 1, 2}}).build());
    save(dir, "8bit_top_down.bmp", BmpBuilder(3, -3, 8).palette(kFour).rows({{0, 1, 2}, {3, 2, 1}, {1, 1, 1}}).build());
    save(dir, "rle8.bmp", BmpBuilder(5, 2, 8).compression(1).palette(kFour)
                              .pixelBytes({2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 0, 5, 3, 0, 1}).build());
    save(dir, "rle4.bmp", BmpBuilder(8, 2, 4).compression(2).palette(kFour)
                              .pixelBytes({3, 0x12, 0, 5, 0x31, 0x23, 0x20, 0, 0, 0, 8, 0x33, 0, 1}).build());
}

void saveDirect(const std::string& dir) {
    save(dir, "16bit_555.bmp", BmpBuilder(3, 2, 16).rows({{0x7C00, 0x03E0, 0x001F}, {0x4210, 0, 0x7FFF}}).build());
    save(dir, "16bit_565_bitfields.bmp", BmpBuilder(2, 2, 16).compression(3).masks(0xF800, 0x07E0, 0x1F)
                                             .rows({{0xF800, 0x07E0}, {0x001F, 0xFFFF}}).build());
    save(dir, "24bit_padded.bmp", BmpBuilder(3, 2, 24).rows({{kRed, kGreen, kBlue}, {kWhite, 0x123456, kBlack}}).build());
    save(dir, "32bit_v5_alpha_bitfields.bmp", BmpBuilder(2, -2, 32).headerSize(124).compression(6)
                                                  .masks(0xFF0000, 0xFF00, 0xFF, 0xFF000000)
                                                  .rows({{0x80FF0000, 0xFF00FF00}, {0x000000FF, 0x12345678}}).build());
    save(dir, "32bit_v4_ten_bit.bmp", BmpBuilder(2, 1, 32).headerSize(108).compression(3)
                                          .masks(0x3FF00000, 0xFFC00, 0x3FF).rows({{0x3FFFFFFF, 0x20080200}}).build());
}

void saveRefused(const std::string& dir) {
    Bytes truncated = BmpBuilder(4, 4, 24).rows(Rows(4, {kRed, kGreen, kBlue, kWhite})).build();
    truncated.resize(truncated.size() - 10);
    save(dir, "bad_truncated_pixels.bmp", truncated);
    save(dir, "bad_huge.bmp", BmpBuilder(100000, 100000, 8).palette(kFour).pixelBytes({1, 2, 3, 4}).build());
    save(dir, "bad_offset.bmp", BmpBuilder(1, 1, 8).palette(kFour).pixelOffset(20).rows({{1}}).build());
    save(dir, "bad_jpeg.bmp", BmpBuilder(1, 1, 0).compression(4).pixelBytes({0xFF, 0xD8, 0xFF, 0xD9}).build());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    saveIndexed(dir);
    saveDirect(dir);
    saveRefused(dir);
    return 0;
}
