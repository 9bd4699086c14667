// Quillora.exe: the program over the real desktop and the drawing control beside it.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "app/program.h"
#include "mouse_window/lumo_ctrl_com_win32.h"
#include "mouse_window/lumo_failure_win32.h"
#include "mouse_window/mouse_window.h"
#include "platform/run_error_report.h"
#include "platform/win32/win32_desktop.h"

namespace {

// The one apartment of the user-interface thread, open while anything holds a COM object.
class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (ok_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace quill;
    ComApartment com;
    platform::win32::Win32Desktop desktop(instance);
    // Form1's control comes first: without it there is no body to draw.
    HRESULT failure = S_OK;
    auto lumo = mouse_window::ComLumoObject::create(failure);
    if (!lumo) {
        const std::string dll = desktop.programFolder() + "\\" + mouse_window::kLumoFileName;
        desktop.messageBox(mouse_window::lumoFailureText(dll, failure), mouse_window::kStartUpErrorTitle,
                           platform::kCriticalIcon);
        return 1;
    }
    app::Program program(desktop, *lumo);
    if (program.start()) program.run();
    return 0;
}
