#include "common/bmp/rle.h"

#include <algorithm>

namespace quill::bmp {
namespace {

// Where the next pixel goes, in the palette's colours. Rows count in file order; 64-bit so
// that any number of deltas in a file of any size cannot wrap.
class RleCanvas {
public:
    RleCanvas(Image& image, bool topDown, const Palette& palette)
        : image_(image), topDown_(topDown), palette_(palette) {}

    bool finished() const { return row_ >= image_.height; }
    // The stream may stop without an end marker once the last row is full.
    bool complete() const { return finished() || (row_ == image_.height - 1 && x_ >= image_.width); }

    // Writes `count` pixels whose palette indices `indexAt(i)` gives, clipped to the row.
    template <typename IndexAt>
    void put(int count, IndexAt indexAt) {
        if (!finished()) {
            std::uint32_t* out = rowPixels();
            const std::int64_t inside = std::clamp<std::int64_t>(image_.width - x_, 0, count);
            for (std::int64_t i = 0; i < inside; ++i) out[x_ + i] = palette_[indexAt(int(i))];
        }
        x_ += count;
    }
    void endLine() { x_ = 0, ++row_; }
    void move(int dx, int dy) { x_ += dx, row_ += dy; }

private:
    std::uint32_t* rowPixels() const {
        const std::int64_t outRow = topDown_ ? row_ : image_.height - 1 - row_;
        return image_.pixels.data() + outRow * image_.width;
    }

    Image& image_;
    bool topDown_;
    const Palette& palette_;
    std::int64_t x_ = 0;
    std::int64_t row_ = 0;
};

class RleReader {
public:
    RleReader(const ByteView& file, const Layout& layout, const Palette& palette, Image& image)
        : file_(file), pos_(layout.pixelOffset), four_(layout.bitsPerPixel == 4),
          canvas_(image, layout.topDown, palette) {}

    std::string run() {
        while (!canvas_.finished()) {
            if (!file_.covers(pos_, 2)) return canvas_.complete() ? std::string() : truncated();
            const int count = file_.u8(pos_), value = file_.u8(pos_ + 1);
            pos_ += 2;
            if (count > 0) {
                repeat(count, value);
            } else if (value == 1) {
                return {};  // end of bitmap
            } else if (std::string error = escape(value); !error.empty()) {
                return error;
            }
        }
        return {};
    }

private:
    std::string truncated() const {
        return "truncated: " + std::string(four_ ? "RLE4" : "RLE8") + " data ends at byte " +
               std::to_string(file_.size()) + " before the image is complete";
    }

    // An encoded run: one index for RLE8, two alternating ones for RLE4.
    void repeat(int count, int value) {
        const int high = four_ ? value >> 4 : value, low = four_ ? value & 15 : value;
        canvas_.put(count, [&](int i) { return i % 2 ? low : high; });
    }

    std::string escape(int code) {
        if (code == 0) {
            canvas_.endLine();
        } else if (code == 2) {
            if (!file_.covers(pos_, 2)) return truncated();
            canvas_.move(file_.u8(pos_), file_.u8(pos_ + 1));
            pos_ += 2;
        } else {
            return literal(code);
        }
        return {};
    }

    // Absolute mode: `count` indices stored as they are, padded to a 16-bit boundary.
    std::string literal(int count) {
        const std::uint64_t bytes = four_ ? (count + 1) / 2 : count;
        const std::uint8_t* src = file_.span(pos_, bytes);
        if (!src) return truncated();
        if (four_) {
            canvas_.put(count, [&](int i) { return i % 2 ? src[i / 2] & 15 : src[i / 2] >> 4; });
        } else {
            canvas_.put(count, [&](int i) { return src[i]; });
        }
        pos_ += bytes + bytes % 2;
        return {};
    }

    const ByteView& file_;
    std::uint64_t pos_;
    bool four_;
    RleCanvas canvas_;
};

}  // namespace

std::string decodeRle(const ByteView& file, const Layout& layout, const Palette& palette,
                      Image& image) {
    image = Image{int(layout.width), int(layout.height),
                  std::vector<std::uint32_t>(std::size_t(layout.width * layout.height))};
    return RleReader(file, layout, palette, image).run();
}

}  // namespace quill::bmp
