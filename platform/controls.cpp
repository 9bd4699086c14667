#include "platform/controls.h"

#include "common/twips.h"

namespace quill::platform {

PixelRect toPixels(const TwipsRect& r, Single tx, Single ty) {
    const auto px = [](Single twips, Single tpp) { return twipsToPixels(twips, tpp).value_or(0); };
    const Long left = px(r.left, tx), top = px(r.top, ty);
    return {left, top, left + px(r.width, tx), top + px(r.height, ty)};
}

bool Control::takesMouseAt(Single x, Single y) const {
    return visible_ && enabled_ && receivesMouse() && x >= rect_.left && y >= rect_.top &&
           x < rect_.left + rect_.width && y < rect_.top + rect_.height;
}

void PictureBox::setPicture(PictureRef p) {
    picture_ = std::move(p);
    if (autoSize_ && picture_) {
        setSize(static_cast<Single>(picture_->width) * tppX_,
                static_cast<Single>(picture_->height) * tppY_);
    }
}

Colour PictureBox::point(Long x, Long y) const {
    const auto w = twipsToPixels(width(), tppX_), h = twipsToPixels(height(), tppY_);
    if (x < 0 || y < 0 || !w || !h || x >= *w || y >= *h) return static_cast<Colour>(kInvalidColour);
    if (picture_ && x >= 0 && y >= 0 && x < picture_->width && y < picture_->height) {
        return colourFromPixel(picture_->pixels[static_cast<std::size_t>(y) * picture_->width + x]);
    }
    return resolveColour(backColour_);
}

}  // namespace quill::platform
