#include "app/program.h"

#include "platform/run_error_report.h"

namespace quill::app {

Program::Program(platform::Desktop& d, mouse_window::LateBoundObject& lumo)
    : desktop(d),
      form1View(d, forms),
      form2View(d, forms),
      frmPointView(d, forms),
      frmAboutView(d, forms),
      menuFormView(d, forms),
      form2(form2View, form1View.btnLDown),
      mouse(form1View, form2, lumo),
      display(d),
      about(frmAboutView),
      menu(menuFormView, about, forms),
      engine(mouse, frmPointView, display,
             gesture::OwnWindows{[this] { return about.hWnd(); }, [this] { return menu.hWnd(); }}) {
    mouse.setMenuFormLoader([this] { menu.load(); });
    routeCloseRequests();
}

bool Program::start() {
    form1View.load();
    if (const RunError e = mouse.siteLumoCtrl1(); e != RunError::None) {
        platform::reportRunError(desktop, e);
        return false;
    }
    if (mouse.Form_Initialize() == mouse_window::StartUp::Ended) return false;
    mouse.Form_Load();
    if (desktop.programEnded()) return false;
    form1View.show();
    return true;
}

void Program::run() {
    while (!desktop.programEnded() && forms.count() > 0) {
        desktop.doEvents();
        if (desktop.programEnded() || forms.count() == 0) break;
        desktop.waitForEvents();
    }
}

void Program::exitProgram() { platform::reportRunError(desktop, menu.EndRTN_Click()); }

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
