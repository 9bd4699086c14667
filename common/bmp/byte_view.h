#pragma once
// A read-only window on the file's bytes. Every read is bounds-checked: a field that does not
// lie wholly inside the window reads as zero, so no caller can read past the input, and
// `covers` tells a caller beforehand whether a field is really there.
#include <cstddef>
#include <cstdint>

namespace quill::bmp {

class ByteView {
public:
    ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint64_t size() const { return size_; }
    // Offsets and counts are 64-bit so that header values can be added without wrapping.
    bool covers(std::uint64_t offset, std::uint64_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }
    // The bytes [offset, offset + count), or null when they are not all there.
    const std::uint8_t* span(std::uint64_t offset, std::uint64_t count) const {
        return covers(offset, count) ? data_ + offset : nullptr;
    }

    std::uint8_t u8(std::uint64_t at) const { return covers(at, 1) ? data_[at] : 0; }
    std::uint16_t u16(std::uint64_t at) const {
        return static_cast<std::uint16_t>(covers(at, 2) ? data_[at] | data_[at + 1] << 8 : 0);
    }
    std::uint32_t u32(std::uint64_t at) const {
        if (!covers(at, 4)) return 0;
        return std::uint32_t{data_[at]} | std::uint32_t{data_[at + 1]} << 8 |
               std::uint32_t{data_[at + 2]} << 16 | std::uint32_t{data_[at + 3]} << 24;
    }
    std::int32_t i32(std::uint64_t at) const { return static_cast<std::int32_t>(u32(at)); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace quill::bmp
