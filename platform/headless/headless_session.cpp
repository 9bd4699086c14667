// The session, the reach of synthesised input and the state of other programs' windows on the
// headless desktop: what decides whether a replay's input can arrive.
#include <stdexcept>

#include "platform/headless/headless_desktop.h"

namespace quill::platform::headless {

namespace {
constexpr Long kProgramIntegrity = kMediumIntegrity;
}  // namespace

void HeadlessDesktop::lockSession() {
    after(0, [this] {
        sessionLocked_ = true;
        if (sessionListener_) sessionListener_->onSessionChange(SessionChange::Interrupted);
    });
}

void HeadlessDesktop::unlockSession() {
    after(0, [this] {
        sessionLocked_ = false;
        if (sessionListener_) sessionListener_->onSessionChange(SessionChange::Back);
    });
}

void HeadlessDesktop::interruptSession() {
    after(0, [this] {
        if (sessionListener_) sessionListener_->onSessionChange(SessionChange::Interrupted);
    });
}

Reach HeadlessDesktop::reachAt(PixelPoint p) const {
    const WindowHandle h = windowAt(p);
    if (h == 0 || windows_.at(h).client) return Reach::Reachable;
    const std::optional<Long> level = windows_.at(h).integrity;
    if (!level) return Reach::Unknown;
    return *level > kProgramIntegrity ? Reach::AboveUs : Reach::Reachable;
}

bool HeadlessDesktop::windowShowing(WindowHandle h) const {
    auto it = windows_.find(h);
    return it != windows_.end() && it->second.visible && !it->second.minimised;
}

void HeadlessDesktop::putForeignWindowOutOfSight(WindowHandle h, OutOfSight how) {
    WindowState& w = window(h);
    if (w.client) throw std::logic_error("headless desktop: another program changing a window of the program");
    if (how == OutOfSight::Hidden) {
        w.visible = false;
    } else {
        w.minimised = true;
    }
    if (foreground_ == h) foreground_ = 0;
}

}  // namespace quill::platform::headless
