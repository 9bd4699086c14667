// Quillora.exe: the program over the real desktop and the drawing control beside it.
#include <windows.h>

#include <string>

#include "app/one_copy_win32.h"
#include "app/program.h"
#include "common/win32/com_apartment.h"
#include "lumo_client/com_lumo_ctrl_win32.h"
#include "lumo_client/lumo_failure_win32.h"
#include "mouse_window/mouse_window.h"
#include "platform/ports/run_error_report.h"
#include "platform/win32/win32_desktop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace quill;
    // Before anything opens a window or a box: a second start only tells the first one.
    const app::OneCopyPerSession session;
    if (session.anotherCopyRuns()) {
        session.tellTheCopyThatRuns();
        return 0;
    }
    // Open while anything holds a COM object: the control goes before the apartment closes.
    win32::ComApartment com;
    platform::win32::Win32Desktop desktop(instance);
    // Form1's control comes first: without it there is no body to draw.
    HRESULT failure = S_OK;
    auto LumoCTRL1 = lumo_client::ComLumoCtrl::create(failure);
    if (!LumoCTRL1) {
        const std::string dll = desktop.programFolder() + "\\" + lumo_client::kLumoFileName;
        platform::UntrappedErrors(desktop, desktop).endWithMessage(lumo_client::lumoFailureText(dll, failure),
                                                                 mouse_window::kStartUpErrorTitle);
        return 1;
    }
    app::Program program(desktop, *LumoCTRL1);
    if (program.start()) program.run();
    return 0;
}
