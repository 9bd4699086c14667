// libFuzzer target for the BMP decoder: any input must decode or be refused with a message,
// and a decoded image must keep every promise the decoder's interface makes.
#include <cstdint>
#include <cstdlib>

#include "common/bmp/bmp_decoder.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();  // an abort is a finding libFuzzer saves and reports
}

void checkImage(const quill::bmp::Image& image) {
    check(image.width > 0 && image.width <= quill::bmp::kMaxSide);
    check(image.height > 0 && image.height <= quill::bmp::kMaxSide);
    check(std::int64_t{image.width} * image.height <= quill::bmp::kMaxPixels);
    check(image.pixels.size() == std::size_t(image.width) * std::size_t(image.height));
    for (std::uint32_t pixel : image.pixels) check((pixel >> 24) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const quill::bmp::DecodeResult result = quill::bmp::decode(data, size);
    check(result.image.has_value() == result.error.empty());
    if (result.image) checkImage(*result.image);
    return 0;
}
