#pragma once
// What the exit command and the about box need of the notification-area form: the about box
// itself, and MenuForm's two commands. The icon and its popup menu belong to the Windows
// backend.
#include "common/run_error.h"
#include "forms/views.h"

namespace quill::tray {

class FrmAbout {
public:
    explicit FrmAbout(forms::FrmAboutView& view);
    // Reading the handle of the unloaded box loads it, hidden; its Form_Load runs.
    platform::WindowHandle hWnd();
    void show();
    RunError Label1_Click();
    bool loaded() const { return view_.loaded(); }

private:
    void ensureLoaded();
    void Form_Load();

    forms::FrmAboutView& view_;
};

class MenuForm {
public:
    MenuForm(forms::MenuFormView& view, FrmAbout& about, platform::FormRegistry& forms)
        : view_(view), about_(about), forms_(forms) {}

    void load() { view_.load(); }
    platform::WindowHandle hWnd();  // loads the form when it is not loaded
    // Unloads every other window, oldest first, then MenuForm itself.
    RunError EndRTN_Click();
    RunError View_Version_Click();

private:
    forms::MenuFormView& view_;
    FrmAbout& about_;
    platform::FormRegistry& forms_;
};

}  // namespace quill::tray
