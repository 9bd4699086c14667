#include "platform/form.h"

#include <algorithm>
#include <stdexcept>

#include "common/twips.h"
#include "platform/timer.h"

namespace quill::platform {

Form::Form(Desktop& desktop, FormRegistry& registry, FormDesign design)
    : windows_(desktop.windows()), loop_(desktop.loop()), menus_(desktop.tray()),
      errors_(desktop.alerts(), desktop.loop()), registry_(registry), design_(std::move(design)) {}

// Tearing the program down is not an unload: the subsystems whose handlers would run are
// already gone.
Form::~Form() {
    if (loaded()) destroy();
}

void Form::removeTimer(Timer& t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &t), timers_.end());
}

void Form::load() {
    if (loaded()) return;
    auto px = [](Single twips, Single tpp) { return twipsToPixels(twips, tpp).value_or(0); };
    const Single tx = twipsPerPixelX(), ty = twipsPerPixelY();
    const Long l = px(design_.left, tx), t = px(design_.top, ty);
    const PixelRect r{l, t, l + px(design_.width, tx), t + px(design_.height, ty)};
    handle_ = windows_.createWindow(*this, design_.title, r, design_.placement);
    registry_.forms_.push_back(this);
    for (Timer* t : timers_) t->attach();
}

void Form::unload() {
    if (!loaded()) return;
    if (onQueryUnload) report(onQueryUnload());
    if (loaded()) destroy();  // the handler may have unloaded the form itself
}

// Never a bare destroy: the window goes through an unload, with its handlers and timers.
void Form::onCloseMessage(CloseReason reason) {
    if (!loaded()) return;
    if (onCloseRequest) {
        onCloseRequest(reason);
    } else {
        unload();
    }
}

void Form::onNamedMessage(MessageId id) {
    if (loaded() && onRegisteredMessage) report(onRegisteredMessage(id));
}

void Form::destroy() {
    for (Timer* t : timers_) t->detach();
    // A window the system would not destroy is no longer the form's either way.
    (void)windows_.destroyWindow(handle_);
    handle_ = 0;
    captured_ = pressed_ = nullptr;
    captureIsForm_ = false;
    auto& v = registry_.forms_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

WindowHandle Form::hWnd() const {
    // A property of an unloaded form would silently load it again; in this program that is
    // always a bug, so it stops here.
    if (!loaded()) throw std::logic_error("form " + design_.name + " used while not loaded");
    return handle_;
}

PixelRect Form::rect() const { return windows_.windowRect(hWnd()); }

Single Form::left() const { return pixelsToTwips(rect().left, twipsPerPixelX()); }
Single Form::top() const { return pixelsToTwips(rect().top, twipsPerPixelY()); }
Single Form::width() const { return pixelsToTwips(rect().width(), twipsPerPixelX()); }
Single Form::height() const { return pixelsToTwips(rect().height(), twipsPerPixelY()); }

// A move the system refuses leaves the window where it was, and setting Left or Top raises
// no error for it: the next read of the position shows where the window is.
RunError Form::moveTo(const PixelRect& r) {
    (void)windows_.moveWindow(hWnd(), r);
    return RunError::None;
}

RunError Form::setLeft(double twips) {
    const auto px = twipsToPixels(twips, twipsPerPixelX());
    if (!px) return RunError::Overflow;
    PixelRect r = rect();
    return moveTo({*px, r.top, *px + r.width(), r.bottom});
}

RunError Form::setTop(double twips) {
    const auto px = twipsToPixels(twips, twipsPerPixelY());
    if (!px) return RunError::Overflow;
    PixelRect r = rect();
    return moveTo({r.left, *px, r.right, *px + r.height()});
}

RunError Form::setPosition(double left, double top) {
    const auto x = twipsToPixels(left, twipsPerPixelX());
    if (!x) return RunError::Overflow;
    const PixelRect r = rect();
    const auto y = twipsToPixels(top, twipsPerPixelY());
    if (!y) {
        (void)moveTo({*x, r.top, *x + r.width(), r.bottom});
        return RunError::Overflow;
    }
    return moveTo({*x, *y, *x + r.width(), *y + r.height()});
}

RunError Form::setWidth(double twips) {
    const auto px = twipsToPixels(twips, twipsPerPixelX());
    if (!px || *px < 0) return RunError::InvalidPropertyValue;
    PixelRect r = rect();
    return moveTo({r.left, r.top, r.left + *px, r.bottom});
}

RunError Form::setHeight(double twips) {
    const auto px = twipsToPixels(twips, twipsPerPixelY());
    if (!px || *px < 0) return RunError::InvalidPropertyValue;
    PixelRect r = rect();
    return moveTo({r.left, r.top, r.right, r.top + *px});
}

Colour Form::point(Long x, Long y) const {
    const PixelRect r = rect();
    if (x < 0 || y < 0 || x >= r.width() || y >= r.height()) return static_cast<Colour>(kInvalidColour);
    if (picture_ && x < picture_->width && y < picture_->height) {
        return colourFromPixel(picture_->pixels[static_cast<std::size_t>(y) * picture_->width + x]);
    }
    return resolveColour(design_.backColour);
}

void Form::show() { windows_.setVisible(hWnd(), true); }
bool Form::visible() const { return loaded() && windows_.isVisible(handle_); }
// A refresh the system cannot do now shows at the next paint of the window.
void Form::refresh() { (void)windows_.repaint(hWnd()); }

Control* Form::controlAt(Single x, Single y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if ((*it)->takesMouseAt(x, y)) return *it;
    }
    return nullptr;
}

CursorShape Form::cursorAt(Long x, Long y) const {
    const Control* c = controlAt(pixelsToTwips(x, twipsPerPixelX()), pixelsToTwips(y, twipsPerPixelY()));
    return c ? c->cursor() : CursorShape::Default;
}

void Form::popupMenu(const Menu& menu) {
    std::vector<std::string> captions;
    for (const MenuItem& item : menu.items) captions.push_back(item.caption);
    // A menu that could not be shown chose nothing, as a dismissed one.
    const int chosen = menus_.trackPopupMenu(hWnd(), captions).item;
    if (chosen < 0 || chosen >= static_cast<int>(menu.items.size())) return;
    const MenuItem& item = menu.items[static_cast<std::size_t>(chosen)];
    if (item.onClick) report(item.onClick());
}

void Form::onMouse(const RawMouse& m) {
    const Single x = pixelsToTwips(m.x, twipsPerPixelX());
    const Single y = pixelsToTwips(m.y, twipsPerPixelY());
    const bool press = m.action == MouseAction::Down || m.action == MouseAction::DoubleClick;
    // A press captures the mouse for the control under it (or the form) until the release.
    if (press && !captured_ && !captureIsForm_) {
        captured_ = controlAt(x, y);
        captureIsForm_ = captured_ == nullptr;
    }
    const bool captured = captured_ || captureIsForm_;
    Control* target = captured ? captured_ : controlAt(x, y);
    if (m.action == MouseAction::Down) pressed_ = target;
    dispatch(target, m, x, y);
    if (m.action == MouseAction::Up && m.button != 0 && loaded()) {
        captured_ = nullptr;
        captureIsForm_ = false;
    }
}

void Form::dispatch(Control* target, const RawMouse& m, Single x, Single y) {
    MouseArgs a{m.button, m.shift, x, y};
    if (target) {
        a.x -= target->left();
        a.y -= target->top();
    }
    const MouseHandler& down = target ? target->onMouseDown : onMouseDown;
    const MouseHandler& move = target ? target->onMouseMove : onMouseMove;
    const MouseHandler& up = target ? target->onMouseUp : onMouseUp;
    RunError e = RunError::None;
    switch (m.action) {
        case MouseAction::Down: if (down) e = down(a); break;
        case MouseAction::Move: if (move) e = move(a); break;
        case MouseAction::DoubleClick:
            if (target && target->onDblClick) e = target->onDblClick();
            break;
        case MouseAction::Up: {
            if (up) e = up(a);
            const bool click = target && target == pressed_ && target->takesMouseAt(x, y);
            pressed_ = nullptr;
            if (e == RunError::None && click && target->onClick) e = target->onClick();
            break;
        }
    }
    report(e);
}

void Form::report(RunError e) const { errors_.report(e); }

}  // namespace quill::platform
