// Reading the file itself: what start-up shows when Pointer.bmp is missing or unusable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/common/bmp/allocation_probe.h"
#include "tests/common/bmp/bmp_builder.h"

namespace quill::bmp::test {
namespace {

namespace fs = std::filesystem;

class BmpFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quill_bmp_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& utf8Name, const Bytes& bytes) const {
        const fs::path path = dir_ / fs::u8path(utf8Name);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return (dir_ / fs::u8path(utf8Name)).u8string();
    }

    fs::path dir_;
};

TEST_F(BmpFile, DecodesAFileWhateverLettersItsNameHas) {
    const Bytes bytes = BmpBuilder(2, 1, 24).rows({{kRed, kBlue}}).build();
    for (const char* name : {"Pointer.bmp", "Zeiger \xC3\xA4\xE2\x82\xAC.bmp"}) {  // ä and € in UTF-8
        const DecodeResult result = decodeFile(write(name, bytes));
        ASSERT_TRUE(result.image) << name << ": " << result.error;
        EXPECT_EQ(result.image->pixels, (std::vector<std::uint32_t>{kRed, kBlue}));
    }
}

TEST_F(BmpFile, ExplainsFilesThatCannotBeUsed) {
    EXPECT_EQ(decodeFile((dir_ / "missing.bmp").u8string()).error, "file not found");
    EXPECT_EQ(decodeFile(dir_.u8string()).error, "is a folder, not a file");
    EXPECT_EQ(decodeFile(write("empty.bmp", {})).error, "empty file");
    EXPECT_EQ(decodeFile(write("notes.bmp", {'h', 'i'})).error, "not a BMP file (bad signature)");
    const std::string big = write("big.bmp", Bytes(2 << 20, 'B'));
    const AllocationLimit limit(1 << 20);
    EXPECT_EQ(decodeFile(big).error, "not enough memory to read the file");
}

TEST_F(BmpFile, RefusesAHugeFileWithoutReadingIt) {
    const std::string path = write("huge.bmp", BmpBuilder(1, 1, 24).rows({{kRed}}).build());
    fs::resize_file(fs::u8path(path), (std::uintmax_t{256} << 20) + 1);  // sparse where the system allows
    EXPECT_EQ(decodeFile(path).error, "file too large: 268435457 bytes (the limit is 256 MiB)");
}

}  // namespace
}  // namespace quill::bmp::test
