#include "tray/tray.h"

namespace quill::tray {

FrmAbout::FrmAbout(forms::FrmAboutView& view, platform::StylingPort& styling) : view_(view), styling_(styling) {
    view_.label1.onClick = [this] { return Label1_Click(); };
}

platform::WindowHandle FrmAbout::load() {
    if (!view_.loaded()) {
        view_.load();
        Form_Load();
    }
    return view_.hWnd();
}

// A box that stays out of the topmost band is still the about box.
void FrmAbout::Form_Load() { (void)styling_.setTopmost(view_.hWnd(), false); }

void FrmAbout::show() {
    load();
    view_.show();
}

RunError FrmAbout::Label1_Click() {
    view_.unload();
    return RunError::None;
}

MenuForm::MenuForm(forms::MenuFormView& view, FrmAbout& about, platform::FormRegistry& forms,
                   platform::TrayPort& tray)
    : view_(view), about_(about), forms_(forms), tray_(tray), icon_(view, tray) {
    view_.onMouseMove = [this](const platform::MouseArgs& a) { return Form_MouseMove(a); };
    view_.onRegisteredMessage = [this](platform::MessageId id) { return onNamedMessage(id); };
    view_.onQueryUnload = [this] { return Form_QueryUnload(); };
    view_.pMenu.items[forms::MenuFormView::kEndRTN].onClick = [this] { return EndRTN_Click(); };
    view_.pMenu.items[forms::MenuFormView::kViewVersion].onClick = [this] { return View_Version_Click(); };
}

void MenuForm::load() {
    if (view_.loaded()) return;
    view_.load();
    Form_Load();
}

// A name the system refuses leaves its id 0, which no message carries.
void MenuForm::Form_Load() {
    taskbarCreated_ = tray_.registerMessage(kTaskbarCreatedMessage);
    alreadyRunning_ = tray_.registerMessage(kAlreadyRunningMessage);
    icon_.want(view_.titleText);
}

RunError MenuForm::onNamedMessage(platform::MessageId id) {
    if (id == 0) return RunError::None;
    if (id == taskbarCreated_) icon_.taskbarCreated();
    // Without its icon shown there is nowhere to say it; the second start ends all the same.
    if (id == alreadyRunning_) (void)tray_.showBalloon(view_.hWnd(), view_.titleText, kAlreadyRunningNotice);
    return RunError::None;
}

RunError MenuForm::Form_MouseMove(const platform::MouseArgs& a) {
    if (a.button == 0) return RunError::None;
    if (beforeMenuOpens) beforeMenuOpens();
    view_.popupMenu(view_.pMenu);
    return RunError::None;
}

RunError MenuForm::Form_QueryUnload() {
    icon_.unwant();
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
