#include <filesystem>
#include <fstream>
#include <new>

#include "common/bmp/bmp_decoder.h"

namespace quill::bmp {
namespace {

namespace fs = std::filesystem;

// Far above any artwork, low enough that a wrong path to a huge file fails at once.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{256} << 20;

std::string checkFile(const fs::path& path, std::uintmax_t& size) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return "file not found";
    if (status.type() == fs::file_type::directory) return "is a folder, not a file";
    // Pipes and devices could block a read forever or never end.
    if (ec || status.type() != fs::file_type::regular) return "not a regular file";
    size = fs::file_size(path, ec);
    if (ec) return "cannot read the file";
    if (size > kMaxFileBytes) {
        return "file too large: " + std::to_string(size) + " bytes (the limit is 256 MiB)";
    }
    return {};
}

std::string readWholeFile(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::uintmax_t size = 0;
    if (std::string error = checkFile(path, size); !error.empty()) return error;
    std::ifstream in(path, std::ios::binary);
    if (!in) return "cannot open the file";
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return "not enough memory to read the file";
    }
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) return "cannot read the file";
    return {};
}

}  // namespace

DecodeResult decodeFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (std::string error = readWholeFile(fs::u8path(path), bytes); !error.empty()) {
        return {std::nullopt, error};
    }
    return decode(bytes.data(), bytes.size());
}

}  // namespace quill::bmp
