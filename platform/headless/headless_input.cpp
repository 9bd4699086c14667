// Real input queued by tests, and the program's own cursor moves, synthesised buttons and
// foreground requests, which are recorded rather than performed.
#include <cstdlib>

#include "platform/headless/headless_desktop.h"

namespace quill::platform::headless {

namespace {
// What the system delivers for a synthesised button flag: the device's button, which the user
// may have swapped.
Integer seenButton(Integer device, bool swapped) {
    if (!swapped || device == kMiddleButton) return device;
    return device == kLeftButton ? kRightButton : kLeftButton;
}
}  // namespace

void HeadlessDesktop::press(Long x, Long y, Integer button) {
    input_.push_back({MouseAction::Down, button, {x, y}, std::nullopt});
}

void HeadlessDesktop::moveMouse(Long x, Long y) { input_.push_back({MouseAction::Move, 0, {x, y}, std::nullopt}); }

void HeadlessDesktop::release(Long x, Long y, Integer button) {
    input_.push_back({MouseAction::Up, button, {x, y}, std::nullopt});
}

WindowHandle HeadlessDesktop::windowAt(PixelPoint p) const {
    for (WindowHandle h : zOrder_) {
        const WindowState& w = windows_.at(h);
        if (w.client && passThrough_) continue;  // the program's windows let the mouse through
        if (w.visible && !w.minimised && p.x >= w.rect.left && p.x < w.rect.right && p.y >= w.rect.top &&
            p.y < w.rect.bottom) {
            return h;
        }
    }
    return 0;
}

bool HeadlessDesktop::deliverInput() {
    if (input_.empty()) return false;
    Input in = input_.front();
    input_.pop_front();
    cursor_ = in.at;
    // Like the platform, the window is found when the event is taken from the queue, not
    // when it was synthesised.
    const WindowHandle target = capture_ ? capture_ : windowAt(in.at);
    if (in.synthesised) synthesised_[*in.synthesised].receiver = target;
    RawMouse m{in.action, in.button, 0, 0, 0};
    if (in.action == MouseAction::Down) {
        // The rectangle is centred on the first press.
        const bool second = lastPress_ && lastPress_->button == in.button && capture_ == 0 &&
                            lastPressWindow_ == target && now_ - lastPressTime_ <= pointer_.doubleClickMs &&
                            2 * std::abs(lastPress_->at.x - in.at.x) <= pointer_.doubleClickWidth &&
                            2 * std::abs(lastPress_->at.y - in.at.y) <= pointer_.doubleClickHeight;
        if (second) {
            m.action = MouseAction::DoubleClick;
            if (in.synthesised) synthesised_[*in.synthesised].doubleClick = true;
            lastPress_.reset();
        } else {
            lastPress_ = in;
            lastPressTime_ = now_;
            lastPressWindow_ = target;
        }
        held_ = static_cast<Integer>(held_ | in.button);
        capture_ = target;
    } else if (in.action == MouseAction::Up) {
        held_ = static_cast<Integer>(held_ & ~in.button);
        if (held_ == 0) capture_ = 0;
    } else {
        m.button = held_;
    }
    auto it = windows_.find(target);
    if (it == windows_.end()) return true;  // the desktop itself
    WindowState& w = it->second;
    if (in.action == MouseAction::Down && !w.noActivate) foreground_ = target;
    if (!w.client) return true;
    m.x = in.at.x - w.rect.left;
    m.y = in.at.y - w.rect.top;
    w.client->onMouse(m);
    return true;
}

// After the end of the session nothing the process asks reaches the desktop, nor while it is
// locked; a refused move leaves the cursor where it is.
Outcome HeadlessDesktop::setCursorPos(Long x, Long y) {
    if (terminated_ || sessionLocked_ || refuses(Refusal::CursorMoves)) return Outcome::Failed;
    cursor_ = {x, y};
    cursorMoves_.push_back(cursor_);
    return Outcome::Done;
}

// A synthesised button event is queued as real input at the cursor (dx and dy do not move it);
// a refused one is neither recorded nor delivered.
InputDelivery HeadlessDesktop::mouseEvent(Long flags, Long dx, Long dy) {
    if (terminated_ || sessionLocked_ || refuses(Refusal::SynthesisedInput)) return {0, 1};
    synthesised_.push_back({flags, dx, dy, cursor_, foreground_, now_, std::nullopt});
    const std::size_t index = synthesised_.size() - 1;
    static constexpr struct {
        Long flag;
        MouseAction action;
        Integer button;
    } kButtons[] = {{kLeftDownFlag, MouseAction::Down, kLeftButton},     {kLeftUpFlag, MouseAction::Up, kLeftButton},
                    {kRightDownFlag, MouseAction::Down, kRightButton},   {kRightUpFlag, MouseAction::Up, kRightButton},
                    {kMiddleDownFlag, MouseAction::Down, kMiddleButton}, {kMiddleUpFlag, MouseAction::Up, kMiddleButton}};
    for (const auto& b : kButtons) {
        if (!(flags & b.flag)) continue;
        const Integer seen = seenButton(b.button, pointer_.buttonsSwapped);
        synthesised_[index].button = seen;
        input_.push_back({b.action, seen, cursor_, index});
    }
    return {1, 1};
}

bool HeadlessDesktop::escapePressed() {
    const bool typed = escapeTyped_;
    escapeTyped_ = false;
    return typed;
}

// Like the system, a window that is not there is refused, and so is every request while
// foreground changes are refused.
Outcome HeadlessDesktop::setForegroundWindow(WindowHandle h) {
    foregroundRequests_.push_back(h);
    if (!windows_.count(h) || refuses(Refusal::Foreground)) return Outcome::Failed;
    foreground_ = h;
    return Outcome::Done;
}

}  // namespace quill::platform::headless
