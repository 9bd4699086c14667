// A form described in client pixels for the backend's painter.
#include "platform/form.h"

namespace quill::platform {

namespace {

ControlModel describe(const Control& c, Single tx, Single ty) {
    ControlModel m;
    m.rect = toPixels(c.rect(), tx, ty);
    m.visible = c.visible();
    if (const auto* box = dynamic_cast<const PictureBox*>(&c)) {
        m.kind = ControlModel::Kind::PictureBox;
        m.colour = resolveColour(box->backColour());
        m.picture = box->picture();
    } else if (const auto* shape = dynamic_cast<const Shape*>(&c)) {
        m.kind = ControlModel::Kind::Circle;
        m.colour = resolveColour(shape->fillColour());
        m.filled = shape->fillStyle() == Shape::kSolid;
    } else if (const auto* label = dynamic_cast<const Label*>(&c)) {
        m.kind = ControlModel::Kind::Label;
        m.caption = label->caption();
        m.style = label->style();
    }
    return m;
}

}  // namespace

WindowModel Form::model() const {
    WindowModel m;
    m.background = resolveColour(design_.backColour);
    m.picture = picture_;
    const Single tx = twipsPerPixelX(), ty = twipsPerPixelY();
    for (const Control* c : controls_) m.controls.push_back(describe(*c, tx, ty));
    return m;
}

}  // namespace quill::platform
