#pragma once
// The program wired together over one desktop: its windows, the compositor control, and the
// subsystems that act on them, in the order the start-up needs.
#include "display/display_info.h"
#include "forms/views.h"
#include "gesture/click_engine.h"
#include "mouse_window/lumo_ctrl.h"
#include "mouse_window/mouse_window.h"
#include "platform/ports/desktop.h"
#include "platform/ports/run_error_report.h"
#include "switch_window/form2.h"
#include "tray/tray.h"

namespace quill::app {

class Program {
public:
    // LumoCTRL1: the mouse window's control (COM on Windows, the engine natively).
    Program(platform::Desktop& desktop, mouse_window::LumoCtrl& LumoCTRL1);

    // Loads the mouse window and runs its start-up; false when start-up ended the program.
    bool start();
    // Delivers events until the program ends: pump what is due, then wait for the next one.
    void run();
    // The exit command's sequence, for the system's requests as well as the menu's.
    void exitProgram();

    platform::EventLoopPort& loop;
    platform::UntrappedErrors errors;
    platform::FormRegistry forms;
    forms::Form1View form1View;
    forms::Form2View form2View;
    forms::FrmPointView frmPointView;
    forms::FrmAboutView frmAboutView;
    forms::MenuFormView menuFormView;
    display::DisplayInfo display;
    switch_window::Form2 form2;
    mouse_window::MouseWindow mouse;
    tray::FrmAbout about;
    tray::MenuForm menu;
    gesture::ClickEngine engine;

private:
    void routeCloseRequests();
};

}  // namespace quill::app
