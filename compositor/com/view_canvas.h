#pragma once
// The view's device context and the DIB sections behind it: the engine draws into the same
// memory that the DC shows, so getViewhDC hands out a real DC and painting is one BitBlt.
#include <windows.h>

#include "common/win32/unique_handle.h"
#include "compositor/engine/pixel_storage.h"

namespace lumo::com {

class ViewCanvas {
public:
    ViewCanvas();
    ~ViewCanvas();
    ViewCanvas(const ViewCanvas&) = delete;
    ViewCanvas& operator=(const ViewCanvas&) = delete;

    bool valid() const { return bool(dc_); }
    HDC dc() const { return dc_.get(); }

    // Storage for the view surface: each new DIB section is selected into the DC. The canvas
    // must outlive every storage it made.
    PixelStorageFactory storageFactory();

private:
    quill::win32::UniqueDc dc_;
    HGDIOBJ originalBitmap_ = nullptr;
};

}  // namespace lumo::com
