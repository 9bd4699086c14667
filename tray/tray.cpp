#include "tray/tray.h"

namespace quill::tray {

FrmAbout::FrmAbout(forms::FrmAboutView& view) : view_(view) {
    view_.label1.onClick = [this] { return Label1_Click(); };
}

void FrmAbout::ensureLoaded() {
    if (view_.loaded()) return;
    view_.load();
    Form_Load();
}

void FrmAbout::Form_Load() { view_.desktop().setTopmost(view_.hWnd(), false); }

platform::WindowHandle FrmAbout::hWnd() {
    ensureLoaded();
    return view_.hWnd();
}

void FrmAbout::show() {
    ensureLoaded();
    view_.show();
}

RunError FrmAbout::Label1_Click() {
    view_.unload();
    return RunError::None;
}

MenuForm::MenuForm(forms::MenuFormView& view, FrmAbout& about, platform::FormRegistry& forms)
    : view_(view), about_(about), forms_(forms) {
    view_.onMouseMove = [this](const platform::MouseArgs& a) { return Form_MouseMove(a); };
    view_.onQueryUnload = [this] { return Form_QueryUnload(); };
    view_.pMenu.items[forms::MenuFormView::kEndRTN].onClick = [this] { return EndRTN_Click(); };
    view_.pMenu.items[forms::MenuFormView::kViewVersion].onClick = [this] { return View_Version_Click(); };
}

void MenuForm::load() {
    if (view_.loaded()) return;
    view_.load();
    Form_Load();
}

void MenuForm::Form_Load() { view_.desktop().addTrayIcon(view_.hWnd(), view_.titleText); }

platform::WindowHandle MenuForm::hWnd() {
    load();
    return view_.hWnd();
}

RunError MenuForm::Form_MouseMove(const platform::MouseArgs& a) {
    if (a.button == 0) return RunError::None;
    view_.popupMenu(view_.pMenu);
    return RunError::None;
}

RunError MenuForm::Form_QueryUnload() {
    view_.desktop().removeTrayIcon(view_.hWnd());
    return RunError::None;
}

RunError MenuForm::EndRTN_Click() {
    for (;;) {
        bool unloaded = false;
        for (int i = 0; i < forms_.count(); ++i) {
            platform::Form& f = forms_.at(i);
            if (f.name() != view_.name()) {
                f.unload();
                unloaded = true;
                break;
            }
        }
        // Stop when only MenuForm is left, or when nothing else could be unloaded.
        if (forms_.count() <= 1 || !unloaded) break;
    }
    view_.unload();
    return RunError::None;
}

RunError MenuForm::View_Version_Click() {
    about_.show();
    return RunError::None;
}

}  // namespace quill::tray
