// The notification icon, popup menus, cursor shapes and close requests of the headless desktop:
// recorded, with menu choices queued by tests.
#include "platform/headless/headless_desktop.h"

namespace quill::platform::headless {

Outcome HeadlessDesktop::addTrayIcon(WindowHandle owner, const std::string& tip) {
    window(owner);
    if (refuses(Refusal::TrayIcon)) return Outcome::Failed;
    // Like the shell, a second add for the same icon fails and changes nothing.
    if (!trayIcons_.emplace(owner, tip).second) return Outcome::Failed;
    trayHistory_.push_back({true, owner, tip});
    return Outcome::Done;
}

Outcome HeadlessDesktop::removeTrayIcon(WindowHandle owner) {
    auto it = trayIcons_.find(owner);
    if (it == trayIcons_.end()) return Outcome::Done;  // no icon of the owner is shown
    trayHistory_.push_back({false, owner, it->second});
    trayIcons_.erase(it);
    return Outcome::Done;
}

Outcome HeadlessDesktop::showBalloon(WindowHandle owner, const std::string& title, const std::string& text) {
    if (trayIcons_.count(owner) == 0) return Outcome::Failed;  // no icon to show it from
    balloons_.push_back({owner, title, text});
    return Outcome::Done;
}

std::optional<std::string> HeadlessDesktop::trayTip() const {
    if (trayIcons_.empty()) return std::nullopt;
    return trayIcons_.begin()->second;
}

void HeadlessDesktop::notifyTrayIcon(Long mouseMessage) {
    after(0, [this, mouseMessage] {
        if (trayIcons_.empty()) return;
        window(trayIcons_.begin()->first).client->onMouse(RawMouse{MouseAction::Move, kLeftButton, 0, mouseMessage, 0});
    });
}

MenuChoice HeadlessDesktop::trackPopupMenu(WindowHandle owner, const std::vector<std::string>& items) {
    window(owner);
    menusShown_.push_back({owner, items, cursor_});
    if (menuChoices_.empty()) return {};
    const int choice = menuChoices_.front();
    menuChoices_.pop_front();
    return {choice >= 0 && choice < static_cast<int>(items.size()) ? choice : -1};
}

// Like the system, one name has one id, in the range of registered messages.
MessageId HeadlessDesktop::registerMessage(const std::string& name) {
    const auto next = static_cast<MessageId>(0xC000 + registeredMessages_.size());
    return registeredMessages_.emplace(name, next).first->second;
}

void HeadlessDesktop::broadcast(const std::string& name) {
    after(0, [this, name] {
        auto id = registeredMessages_.find(name);
        if (id == registeredMessages_.end()) return;
        std::vector<WindowClient*> own;
        for (const auto& [h, w] : windows_) {
            if (w.client) own.push_back(w.client);
        }
        for (WindowClient* c : own) c->onNamedMessage(id->second);
    });
}

void HeadlessDesktop::requestClose(WindowHandle h) {
    after(0, [this, h] {
        auto it = windows_.find(h);
        if (it != windows_.end() && it->second.client) it->second.client->onCloseMessage(CloseReason::Request);
    });
}

void HeadlessDesktop::endSession() {
    after(0, [this] {
        std::vector<WindowHandle> own;
        for (const auto& [h, w] : windows_) {
            if (w.client) own.push_back(h);
        }
        // A window the previous one's handler closed is no longer told.
        for (WindowHandle h : own) {
            auto it = windows_.find(h);
            if (it != windows_.end()) it->second.client->onCloseMessage(CloseReason::SessionEnd);
        }
        endProgram();
        terminated_ = true;
    });
}

CursorShape HeadlessDesktop::cursorShapeAt(PixelPoint p) const {
    const WindowHandle h = windowAt(p);
    if (!h || !windows_.at(h).client) return CursorShape::Default;
    const PixelRect& r = windows_.at(h).rect;
    return windows_.at(h).client->cursorAt(p.x - r.left, p.y - r.top);
}

}  // namespace quill::platform::headless
