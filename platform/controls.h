#pragma once
// Child controls of a form: picture boxes, labels and the circle shape. Positions and sizes
// are twips relative to the form's client area, kept exactly as set.
#include <functional>
#include <string>
#include <vector>

#include "common/colour.h"
#include "common/picture.h"
#include "common/run_error.h"
#include "platform/ports/types.h"

namespace quill::platform {

struct TwipsRect {
    Single left = 0;
    Single top = 0;
    Single width = 0;
    Single height = 0;
};

// A rectangle in twips as whole pixels, each value rounded half to even.
PixelRect toPixels(const TwipsRect& r, Single twipsPerPixelX, Single twipsPerPixelY);

// Handlers end with the failure that ends them; the form reports it.
using MouseHandler = std::function<RunError(const MouseArgs&)>;
using PlainHandler = std::function<RunError()>;

class Control {
public:
    Control(std::string name, TwipsRect rect) : name_(std::move(name)), rect_(rect) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    const TwipsRect& rect() const { return rect_; }
    Single left() const { return rect_.left; }
    Single top() const { return rect_.top; }
    Single width() const { return rect_.width; }
    Single height() const { return rect_.height; }
    void setLeft(Single v) { rect_.left = v; }
    void setTop(Single v) { rect_.top = v; }
    void setSize(Single w, Single h) { rect_.width = w; rect_.height = h; }

    bool visible() const { return visible_; }
    void setVisible(bool v) { visible_ = v; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool v) { enabled_ = v; }
    // The mouse cursor shown while the pointer is over the control.
    CursorShape cursor() const { return cursor_; }
    void setCursor(CursorShape c) { cursor_ = c; }

    // Whether a press at this client point (twips) goes to this control.
    bool takesMouseAt(Single x, Single y) const;

    MouseHandler onMouseDown, onMouseMove, onMouseUp;
    PlainHandler onClick, onDblClick;

protected:
    virtual bool receivesMouse() const { return true; }

private:
    std::string name_;
    TwipsRect rect_;
    bool visible_ = true;
    bool enabled_ = true;
    CursorShape cursor_ = CursorShape::Default;
};

class Label : public Control {
public:
    using Control::Control;
    const std::string& caption() const { return caption_; }
    void setCaption(std::string c) { caption_ = std::move(c); }
    bool transparent() const { return transparent_; }
    void setTransparent(bool t) { transparent_ = t; }
    const LabelStyle& style() const { return style_; }
    void setStyle(const LabelStyle& s) { style_ = s; }

private:
    std::string caption_;
    bool transparent_ = false;
    LabelStyle style_;
};

// A popup menu: the root item's caption is never shown; its items are, in order.
struct MenuItem {
    std::string name;
    std::string caption;
    PlainHandler onClick;
};
struct Menu {
    std::string name;
    std::string caption;
    std::vector<MenuItem> items;
};

class PictureBox : public Control {
public:
    PictureBox(std::string name, TwipsRect rect, bool autoSize, Single twipsPerPixelX,
               Single twipsPerPixelY)
        : Control(std::move(name), rect), autoSize_(autoSize), tppX_(twipsPerPixelX),
          tppY_(twipsPerPixelY) {}
    const PictureRef& picture() const { return picture_; }
    // An auto-sizing box takes the picture's size in whole pixels.
    void setPicture(PictureRef p);
    // The colour at a client pixel of the box (Point): the picture, else the background.
    Colour point(Long x, Long y) const;
    Colour backColour() const { return backColour_; }
    void setBackColour(Colour c) { backColour_ = c; }

private:
    bool autoSize_;
    Single tppX_, tppY_;
    PictureRef picture_;
    Colour backColour_ = 0x8000000Fu;  // the system's button face, a picture box's default
};

class Shape : public Control {
public:
    using Control::Control;
    enum : Integer { kSolid = 0, kTransparent = 1 };
    Integer fillStyle() const { return fillStyle_; }
    void setFillStyle(Integer s) { fillStyle_ = s; }
    Colour fillColour() const { return fillColour_; }
    void setFillColour(Colour c) { fillColour_ = c; }

protected:
    bool receivesMouse() const override { return false; }  // shapes never take input

private:
    Integer fillStyle_ = kTransparent;
    Colour fillColour_ = 0;
};

}  // namespace quill::platform
