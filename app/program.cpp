#include "app/program.h"

namespace quill::app {

Program::Program(platform::Desktop& d, mouse_window::LumoCtrl& LumoCTRL1)
    : loop(d.loop()),
      errors(d.alerts(), d.loop()),
      form1View(d, forms),
      form2View(d, forms),
      frmPointView(d, forms),
      frmAboutView(d, forms),
      menuFormView(d, forms),
      display(d),
      form2(form2View, form1View.btnLDown, d.styling()),
      mouse(form1View, form2, LumoCTRL1, display, {d.loop(), d.files(), d.styling(), errors}),
      about(frmAboutView, d.styling()),
      menu(menuFormView, about, forms, d.tray()),
      engine(mouse, frmPointView, {frmAboutView, menuFormView}, {d.input(), d.styling(), d.loop(), d.tray()}) {
    mouse.setMenuFormLoader([this] { menu.load(); });
    // The menu's modal loop would hold a replayed button down for as long as it is open, then
    // let the rest of the gesture out in a burst: the replay stops first.
    menu.beforeMenuOpens = [this] { engine.stopReplay(); };
    routeCloseRequests();
}

bool Program::start() {
    form1View.load();
    if (const RunError e = mouse.siteLumoCTRL1(); e != RunError::None) {
        errors.report(e);
        return false;
    }
    if (mouse.Form_Initialize() == mouse_window::StartUp::Ended) return false;
    mouse.Form_Load();
    if (loop.programEnded()) return false;
    form1View.show();
    return true;
}

void Program::run() {
    while (!loop.programEnded() && forms.count() > 0) {
        loop.doEvents();
        if (loop.programEnded() || forms.count() == 0) break;
        loop.waitForEvents();
    }
}

void Program::exitProgram() { errors.report(menu.EndRTN_Click()); }

// The body, its switch and the icon's owner are one program to the user: closing any of them,
// or ending the session, ends it the way its exit command does, icon and all. The about box
// and the click marker only close themselves, as their own commands would.
void Program::routeCloseRequests() {
    platform::Form* const wholeProgram[] = {&form1View, &form2View, &menuFormView};
    for (platform::Form* f : wholeProgram) {
        f->onCloseRequest = [this](platform::CloseReason) { exitProgram(); };
    }
    platform::Form* const closeThemselves[] = {&frmAboutView, &frmPointView};
    for (platform::Form* f : closeThemselves) {
        f->onCloseRequest = [this, f](platform::CloseReason reason) {
            if (reason == platform::CloseReason::SessionEnd) {
                exitProgram();
            } else {
                f->unload();
            }
        };
    }
}

}  // namespace quill::app
