// Hosts the registered control in ATL at a known place on the screen, listens to its events and
// prints them, so that a script can drive it with real X input. Prints "READY left top width
// height" (the control window's screen rectangle) once it listens; exits after a MouseUp or
// after 15 s.
#include <cstdio>

#include "atl_host.h"
#include "event_sink.h"

#include <ocidl.h>

#include "compositor/com/lumoscope_h.h"

int main() {
    using namespace comtest;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int rc = 1;
    {
        AtlHost host(300, 200, 200, 150);
        Microsoft::WRL::ComPtr<IConnectionPointContainer> cpc;
        Microsoft::WRL::ComPtr<IConnectionPoint> cp;
        RecordingSink sink;
        DWORD cookie = 0;
        if (!host.ok() || FAILED(host.control().As(&cpc)) || FAILED(cpc->FindConnectionPoint(DIID___LumoCTRL, &cp)) ||
            FAILED(cp->Advise(&sink, &cookie))) {
            std::printf("FAILED to host the control\n");
            return 2;
        }
        RECT r{};
        GetWindowRect(host.controlWindow(), &r);
        std::printf("READY %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        std::fflush(stdout);
        auto released = [&] {
            for (const RecordedEvent& e : sink.events)
                if (e.id == 7) return true;
            return false;
        };
        const DWORD end = GetTickCount() + 15000;
        while (LONG(end - GetTickCount()) > 0 && !released()) pumpMessages(20);
        pumpMessages(200);  // whatever follows the release, a stray Click included, shows too
        for (const RecordedEvent& e : sink.events) std::printf("EVENT %s\n", describe(e).c_str());
        rc = released() ? 0 : 1;
        cp->Unadvise(cookie);
    }
    CoUninitialize();
    return rc;
}
