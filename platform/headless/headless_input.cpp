// Real input queued by tests, and the program's own cursor moves, synthesised buttons and
// foreground requests, which are recorded rather than performed.
#include <cstdlib>

#include "platform/headless/headless_desktop.h"

namespace quill::platform::headless {

namespace {
// The platform's double-click rectangle and time.
constexpr Long kDoubleClickSlopPx = 4;
constexpr std::int64_t kDoubleClickMs = 500;
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
        if (w.visible && p.x >= w.rect.left && p.x < w.rect.right && p.y >= w.rect.top &&
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
        const bool second = lastPress_ && lastPress_->button == in.button && capture_ == 0 &&
                            lastPressWindow_ == target && now_ - lastPressTime_ <= kDoubleClickMs &&
                            std::abs(lastPress_->at.x - in.at.x) <= kDoubleClickSlopPx &&
                            std::abs(lastPress_->at.y - in.at.y) <= kDoubleClickSlopPx;
        if (second) {
            m.action = MouseAction::DoubleClick;
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

// After the end of the session nothing the process asks reaches the desktop; a refused move
// leaves the cursor where it is.
Outcome HeadlessDesktop::setCursorPos(Long x, Long y) {
    if (terminated_ || refuses(Refusal::CursorMoves)) return Outcome::Failed;
    cursor_ = {x, y};
    cursorMoves_.push_back(cursor_);
    return Outcome::Done;
}

// A synthesised button event is queued as real input at the cursor (dx and dy do not move it);
// a refused one is neither recorded nor delivered.
InputDelivery HeadlessDesktop::mouseEvent(Long flags, Long dx, Long dy) {
    if (terminated_ || refuses(Refusal::SynthesisedInput)) return {0, 1};
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
        if (flags & b.flag) input_.push_back({b.action, b.button, cursor_, index});
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
