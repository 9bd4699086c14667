#include "platform/win32/window_painter_win32.h"

#include <algorithm>

#include "common/win32/picture_object.h"
#include "common/win32/unique_handle.h"

namespace quill::platform::win32 {

namespace {

using quill::win32::SelectGuard;
using quill::win32::UniqueBrush;
using quill::win32::UniquePen;

void fill(HDC dc, const RECT& r, Colour c) {
    UniqueBrush brush(CreateSolidBrush(c));
    FillRect(dc, &r, brush.get());
}

void drawPicture(HDC dc, const Picture& pic, int x, int y) {
    const BITMAPINFO info = quill::win32::topDown32(pic.width, pic.height);
    StretchDIBits(dc, x, y, pic.width, pic.height, 0, 0, pic.width, pic.height, pic.pixels.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

// A shape filled with the window's transparent colour would vanish (the status lamp's green is
// the artwork's background): it is painted one step of green away from it.
Colour visibleFill(Colour fill, std::optional<Colour> key) { return fill == key ? fill ^ 0x000100u : fill; }

// A circle shape: the largest circle centred in its rectangle, with a one-pixel black edge.
void drawCircle(HDC dc, const ControlModel& c, std::optional<Colour> key) {
    const Long d = std::min(c.rect.width(), c.rect.height());
    const Long l = c.rect.left + (c.rect.width() - d) / 2, t = c.rect.top + (c.rect.height() - d) / 2;
    UniquePen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    UniqueBrush brush(c.filled ? CreateSolidBrush(visibleFill(c.colour, key)) : nullptr);
    SelectGuard p(dc, pen.get());
    SelectGuard b(dc, brush ? static_cast<HGDIOBJ>(brush.get()) : GetStockObject(NULL_BRUSH));
    Ellipse(dc, l, t, l + d, t + d);
}

void drawPictureBox(HDC dc, const ControlModel& c) {
    const RECT r{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom};
    fill(dc, r, c.colour);
    if (!c.picture) return;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    drawPicture(dc, *c.picture, r.left, r.top);
    RestoreDC(dc, saved);
}

void paintLayers(HDC dc, const WindowModel& m, int width, int height, std::optional<Colour> key) {
    fill(dc, RECT{0, 0, width, height}, m.background);
    if (m.picture) drawPicture(dc, *m.picture, 0, 0);
    for (const ControlModel& c : m.controls) {
        if (c.visible && c.kind == ControlModel::Kind::Circle) drawCircle(dc, c, key);
    }
    for (const ControlModel& c : m.controls) {
        if (c.visible && c.kind == ControlModel::Kind::PictureBox) drawPictureBox(dc, c);
    }
}

}  // namespace

HDC BackBuffer::dc(int width, int height) {
    if (dc_ && width <= width_ && height <= height_) return dc_.get();
    selected_.reset();
    bitmap_.reset();
    if (!dc_) dc_.reset(CreateCompatibleDC(nullptr));
    // A top-down 32-bit section: independent of the screen, so nothing is asked of the display.
    const BITMAPINFO info = quill::win32::topDown32(std::max(width, width_), std::max(height, height_));
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc_ || !bitmap_) return nullptr;
    width_ = std::max(width, width_);
    height_ = std::max(height, height_);
    selected_.emplace(dc_.get(), bitmap_.get());
    return dc_.get();
}

void paintWindow(HDC target, BackBuffer& buffer, const WindowModel& model, int width, int height,
                 std::optional<Colour> key) {
    if (width <= 0 || height <= 0) return;
    HDC mem = buffer.dc(width, height);
    if (!mem) return;
    paintLayers(mem, model, width, height, key);
    BitBlt(target, 0, 0, width, height, mem, 0, 0, SRCCOPY);
}

}  // namespace quill::platform::win32
