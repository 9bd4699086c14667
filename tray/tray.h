#pragma once
// The notification-area icon with its popup menu (MenuForm, loaded but never shown), and the
// about box it opens.
#include <functional>

#include "common/run_error.h"
#include "forms/views.h"
#include "platform/ports/styling_port.h"
#include "platform/ports/tray_port.h"
#include "tray/tray_icon.h"

namespace quill::tray {

// What a new taskbar broadcasts to every top-level window.
constexpr const char* kTaskbarCreatedMessage = "TaskbarCreated";
// What a second start of the program sends the running one, which answers with a notice from
// its icon.
constexpr const char* kAlreadyRunningMessage = "Quillora.AlreadyRunning";
constexpr const char* kAlreadyRunningNotice = "Quillora は既に起動しています";

class FrmAbout {
public:
    FrmAbout(forms::FrmAboutView& view, platform::StylingPort& styling);

    // Loads the box, hidden, unless it is loaded (its Form_Load runs then), and gives its window.
    platform::WindowHandle load();
    void show();
    RunError Label1_Click();

private:
    void Form_Load();

    forms::FrmAboutView& view_;
    platform::StylingPort& styling_;
};

class MenuForm {
public:
    MenuForm(forms::MenuFormView& view, FrmAbout& about, platform::FormRegistry& forms, platform::TrayPort& tray);

    void load();  // adds the icon, and keeps it while loaded
    platform::WindowHandle hWnd() const { return view_.hWnd(); }  // fails loudly when not loaded
    // Every notification from the icon opens the menu: the icon id arrives as the left button.
    RunError Form_MouseMove(const platform::MouseArgs& a);
    RunError Form_QueryUnload();  // removes the icon
    // Unloads every other window, oldest first, then MenuForm itself.
    RunError EndRTN_Click();
    RunError View_Version_Click();
    const TrayIcon& icon() const { return icon_; }

    // Runs before every opening of the menu.
    std::function<void()> beforeMenuOpens;

private:
    void Form_Load();
    // The taskbar's and a second start's messages, both registered by name.
    RunError onNamedMessage(platform::MessageId id);

    forms::MenuFormView& view_;
    FrmAbout& about_;
    platform::FormRegistry& forms_;
    platform::TrayPort& tray_;
    TrayIcon icon_;
    platform::MessageId taskbarCreated_ = 0, alreadyRunning_ = 0;
};

}  // namespace quill::tray
