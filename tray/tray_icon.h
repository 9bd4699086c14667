#pragma once
// The notification icon as something the program wants for as long as MenuForm is loaded, kept
// apart from whether the shell shows it now. The shell loses it when the taskbar restarts, and
// refuses it before the taskbar has started (a program started at logon): without it the
// program, whose other windows have no taskbar button and no Alt+F4, could not be ended.
#include <string>

#include "platform/form.h"
#include "platform/ports/tray_port.h"
#include "platform/timer.h"

namespace quill::tray {

// How often a refused icon is asked for again.
constexpr Long kIconRetryMs = 3000;

class TrayIcon {
public:
    // The icon belongs to the owner's window; its retry timer runs while the owner is loaded.
    TrayIcon(platform::Form& owner, platform::TrayPort& shell);

    // From now on the icon is wanted: it is added, and asked for again until the shell shows it.
    void want(const std::string& tip);
    // The taskbar was created (again) and holds no icon of ours, or says so while it still has
    // it: add it, else give it again to a shell that still holds it.
    void taskbarCreated();
    // No longer wanted: removed whatever happened before, and never asked for again.
    void unwant();
    bool wanted() const { return wanted_; }
    bool shown() const { return shown_; }

private:
    void show();

    platform::Form& owner_;
    platform::TrayPort& shell_;
    platform::Timer retry_;
    std::string tip_;
    bool wanted_ = false;
    bool shown_ = false;
};

}  // namespace quill::tray
