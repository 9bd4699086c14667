#include "common/bmp/channel_scale.h"

namespace quill::bmp {
namespace {

int lowestSetBit(std::uint32_t v) {
    int bit = 0;
    while (v != 0 && (v & 1u) == 0) {
        v >>= 1;
        ++bit;
    }
    return bit;
}

int bitLength(std::uint32_t v) {
    int bits = 0;
    for (; v != 0; v >>= 1) ++bits;
    return bits;
}

}  // namespace

ChannelScale::ChannelScale(std::uint32_t mask) : mask_(mask) {
    shift_ = lowestSetBit(mask);
    const int width = bitLength(mask >> shift_);
    if (width > 16) shift_ += width - 16;  // keeps the table at 64 Ki entries at most
    const std::uint64_t largest = mask >> shift_;
    table_.resize(largest + 1);
    // Rounded to nearest: a full channel is 255 whatever its width.
    for (std::uint64_t v = 1; v <= largest; ++v) {
        table_[v] = static_cast<std::uint8_t>((v * 255 + largest / 2) / largest);
    }
}

}  // namespace quill::bmp
