#pragma once
// What a window shows, in client pixels, so that a backend can paint it without knowing about
// twips or control classes: the background, the form's picture and the child controls.
#include <string>
#include <vector>

#include "common/colour.h"
#include "common/picture.h"
#include "platform/ports/types.h"

namespace quill::platform {

struct ControlModel {
    enum class Kind { PictureBox, Circle, Label };
    Kind kind = Kind::PictureBox;
    PixelRect rect;
    bool visible = true;
    Colour colour = 0;             // a picture box's background or a circle's fill, resolved
    bool filled = false;           // a circle drawn solid
    PictureRef picture;      // a picture box's picture
    std::string caption;           // a label's text
    LabelStyle style;              // and how it is drawn
    bool operator==(const ControlModel& o) const {
        return kind == o.kind && rect == o.rect && visible == o.visible && colour == o.colour &&
               filled == o.filled && picture == o.picture && caption == o.caption && style == o.style;
    }
    bool operator!=(const ControlModel& o) const { return !(*this == o); }
};

struct WindowModel {
    Colour background = 0;         // resolved
    PictureRef picture;      // drawn at the top left, over the background
    std::vector<ControlModel> controls;  // in tab order
    bool operator==(const WindowModel& o) const {
        return background == o.background && picture == o.picture && controls == o.controls;
    }
    bool operator!=(const WindowModel& o) const { return !(*this == o); }
};

}  // namespace quill::platform
