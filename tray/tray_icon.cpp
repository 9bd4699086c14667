#include "tray/tray_icon.h"

namespace quill::tray {

TrayIcon::TrayIcon(platform::Form& owner, platform::TrayPort& shell)
    : owner_(owner), shell_(shell), retry_(owner, kIconRetryMs, false) {
    retry_.onTimer = [this] {
        show();
        return RunError::None;
    };
}

void TrayIcon::want(const std::string& tip) {
    tip_ = tip;
    wanted_ = true;
    show();
}

void TrayIcon::taskbarCreated() {
    if (!wanted_) return;
    shown_ = false;  // a new taskbar starts empty; the shell says below whether it still had it
    show();
}

// An add fails both when the shell has no room for the icon yet and when it already holds it
// (an add that timed out may still have gone in); only the change tells the two apart.
void TrayIcon::show() {
    if (!wanted_) return;
    const platform::WindowHandle owner = owner_.hWnd();
    shown_ = shell_.addTrayIcon(owner, tip_) == platform::Outcome::Done ||
             shell_.modifyTrayIcon(owner, tip_) == platform::Outcome::Done;
    retry_.setEnabled(!shown_);
}

void TrayIcon::unwant() {
    wanted_ = false;
    shown_ = false;
    retry_.setEnabled(false);
    // The program goes whether or not the shell let go of the icon.
    (void)shell_.removeTrayIcon(owner_.hWnd());
}

}  // namespace quill::tray
