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

}  // namespace quill::app
