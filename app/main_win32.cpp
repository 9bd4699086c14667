// Quillora.exe: the program over the real desktop and the registered drawing control.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "app/program.h"
#include "mouse_window/lumo_ctrl_com_win32.h"
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
    std::string error;
    auto lumo = mouse_window::ComLumoObject::create(error);
    if (!lumo) {
        desktop.messageBox(error + "\nRegister Lumoscope.dll with regsvr32 and start Quillora again.",
                           platform::kProgramTitle, platform::kCriticalIcon);
        return 1;
    }
    app::Program program(desktop, *lumo);
    if (program.start()) program.run();
    return 0;
}
