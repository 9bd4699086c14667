#pragma once
// A control embedded in a window of ours the way a form embeds its controls: a client site,
// InitNew, its extent, then in-place activation as a child window at its rectangle. Closing
// takes the control out of its site, so neither keeps the other alive.
#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include "common/rounding.h"
#include "common/run_error.h"
#include "ole_container/client_site_win32.h"

namespace quill::ole_container {

class EmbeddedControl {
public:
    explicit EmbeddedControl(Microsoft::WRL::ComPtr<IUnknown> control) : control_(std::move(control)) {}
    ~EmbeddedControl();
    EmbeddedControl(const EmbeddedControl&) = delete;
    EmbeddedControl& operator=(const EmbeddedControl&) = delete;

    // The window that holds the control and the control's rectangle in its client pixels.
    RunError site(HWND window, const RECT& place);
    // The extent in pixels: in hundredths of a millimetre for the control, and once it is in
    // place its rectangle, keeping its top left.
    RunError setExtent(Long widthPx, Long heightPx);

private:
    Microsoft::WRL::ComPtr<IUnknown> control_;
    Microsoft::WRL::ComPtr<ClientSite> site_;  // set once sited
    RECT place_{};
    bool inPlace_ = false;  // active in place: a child window of the site's window
};

}  // namespace quill::ole_container
