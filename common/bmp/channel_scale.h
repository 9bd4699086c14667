#pragma once
// Turns a 16- or 32-bit pixel into 0x00RRGGBB through its channel masks. Each channel's value
// is scaled to 8 bits as round(value * 255 / largest value), so a 5-bit 31 and a 10-bit 1023
// both become 255, by a table built once per image.
#include <cstdint>
#include <vector>

#include "common/bmp/layout.h"

namespace quill::bmp {

class ChannelScale {
public:
    // A zero mask gives a channel that is always 0; masks may overlap or have gaps, each
    // channel reads its own bits regardless. Channels wider than 16 bits keep their top 16.
    explicit ChannelScale(std::uint32_t mask);
    std::uint32_t operator()(std::uint32_t pixel) const { return table_[(pixel & mask_) >> shift_]; }

private:
    std::uint32_t mask_;
    int shift_ = 0;
    std::vector<std::uint8_t> table_;
};

class MaskedPixels {
public:
    explicit MaskedPixels(const ChannelMasks& masks)
        : red_(masks.red), green_(masks.green), blue_(masks.blue) {}
    std::uint32_t operator()(std::uint32_t pixel) const {
        return red_(pixel) << 16 | green_(pixel) << 8 | blue_(pixel);
    }

private:
    ChannelScale red_, green_, blue_;
};

}  // namespace quill::bmp
