// The notification icon, popup menus, cursor shapes and close requests of the headless desktop:
// recorded, with menu choices queued by tests.
#include "platform/headless/headless_desktop.h"

namespace quill::platform::headless {

Outcome HeadlessDesktop::addTrayIcon(WindowHandle owner, const std::string& tip) {
    window(owner);
    // Like the shell, a second add for the same icon fails and changes nothing.
    const bool added = taskbarRunning_ && !refuses(Refusal::TrayIcon) && trayIcons_.emplace(owner, tip).second;
    trayHistory_.push_back({TrayRequest::Add, outcomeOf(added), owner, tip});
    return outcomeOf(added);
}

Outcome HeadlessDesktop::modifyTrayIcon(WindowHandle owner, const std::string& tip) {
    window(owner);
    auto it = trayIcons_.find(owner);
    const bool modified = taskbarRunning_ && !refuses(Refusal::TrayIcon) && it != trayIcons_.end();
    if (modified) it->second = tip;
    trayHistory_.push_back({TrayRequest::Modify, outcomeOf(modified), owner, tip});
    return outcomeOf(modified);
}

// Asked for whether or not an icon is shown; nothing of the owner's is shown afterwards.
Outcome HeadlessDesktop::removeTrayIcon(WindowHandle owner) {
    auto it = trayIcons_.find(owner);
    std::string tip;
    if (it != trayIcons_.end()) {
        tip = it->second;
        trayIcons_.erase(it);
    }
    trayHistory_.push_back({TrayRequest::Delete, Outcome::Done, owner, tip});
    return Outcome::Done;
}

int HeadlessDesktop::trayRequests(TrayRequest r) const {
    int n = 0;
    for (const TrayRecord& t : trayHistory_) n += t.request == r ? 1 : 0;
    return n;
}

void HeadlessDesktop::startTaskbar(bool announce) {
    taskbarRunning_ = true;
    if (announce) broadcast("TaskbarCreated");
}

Outcome HeadlessDesktop::showBalloon(WindowHandle owner, const std::string& title, const std::string& text) {
    if (!taskbarRunning_ || trayIcons_.count(owner) == 0) return Outcome::Failed;  // no icon to show it from
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
