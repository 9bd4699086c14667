#pragma once
// The notification-area icon with its popup menu (MenuForm, loaded but never shown), and the
// about box it opens.
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
    MenuForm(forms::MenuFormView& view, FrmAbout& about, platform::FormRegistry& forms);

    void load();                     // adds the icon
    platform::WindowHandle hWnd();   // loads the form when it is not loaded
    // Every notification from the icon opens the menu: the icon id arrives as the left button.
    RunError Form_MouseMove(const platform::MouseArgs& a);
    RunError Form_QueryUnload();     // removes the icon
    // Unloads every other window, oldest first, then MenuForm itself.
    RunError EndRTN_Click();
    RunError View_Version_Click();

private:
    void Form_Load();

    forms::MenuFormView& view_;
    FrmAbout& about_;
    platform::FormRegistry& forms_;
};

}  // namespace quill::tray
