#include "compositor/com/view_canvas.h"

#include <memory>

#include "common/win32/picture_object.h"

namespace lumo::com {
namespace {

using quill::win32::UniqueBitmap;

class DibStorage final : public PixelStorage {
public:
    DibStorage(HDC dc, HGDIOBJ original, UniqueBitmap bmp, void* bits, int w, int h)
        : dc_(dc), original_(original), bmp_(std::move(bmp)), bits_(static_cast<Pixel*>(bits)),
          w_(w), h_(h) {
        if (bmp_) SelectObject(dc_, bmp_.get());
    }
    ~DibStorage() override {
        // A bitmap still selected into a DC cannot be deleted.
        if (bmp_ && GetCurrentObject(dc_, OBJ_BITMAP) == bmp_.get()) SelectObject(dc_, original_);
    }
    Pixel* data() override { return bits_; }
    int width() const override { return w_; }
    int height() const override { return h_; }
    bool exactSize() const override { return true; }

private:
    HDC dc_;
    HGDIOBJ original_;
    UniqueBitmap bmp_;
    Pixel* bits_;
    int w_;
    int h_;
};

std::unique_ptr<PixelStorage> makeDib(HDC dc, HGDIOBJ original, int w, int h) {
    // A view of no area has no DIB; the DC keeps its original 1 by 1 bitmap meanwhile.
    if (w <= 0 || h <= 0) return std::make_unique<DibStorage>(dc, original, UniqueBitmap(), nullptr, w, h);
    BITMAPINFO bi = quill::win32::topDown32(w, h);
    void* bits = nullptr;
    UniqueBitmap bmp(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp) return nullptr;
    return std::make_unique<DibStorage>(dc, original, std::move(bmp), bits, w, h);
}

}  // namespace

ViewCanvas::ViewCanvas() : dc_(CreateCompatibleDC(nullptr)) {
    if (dc_) originalBitmap_ = GetCurrentObject(dc_.get(), OBJ_BITMAP);
}

ViewCanvas::~ViewCanvas() {
    if (dc_) SelectObject(dc_.get(), originalBitmap_);
}

PixelStorageFactory ViewCanvas::storageFactory() {
    HDC dc = dc_.get();
    HGDIOBJ original = originalBitmap_;
    return [dc, original](int w, int h) -> std::unique_ptr<PixelStorage> {
        try {
            return makeDib(dc, original, w, h);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    };
}

}  // namespace lumo::com
