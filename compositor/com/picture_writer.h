#pragma once
// Engine pixels as the platform's picture objects (IPictureDisp over a bitmap).
#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <vector>

#include "common/win32/picture_object.h"
#include "compositor/engine/surface_view.h"

namespace lumo::com {

using quill::win32::emptyPictureObject;

// A new picture object that owns a DIB section holding a copy of the pixels.
inline HRESULT newPictureObject(ConstSurfaceView px, IPictureDisp** out) {
    return quill::win32::newPictureObject(px.px, px.w, px.h, px.stride, out);
}

// Pictures of the view for Image. Creating a picture object is costly, and the host takes one
// on every redraw and lets the previous one go, so the pool keeps its own reference to the few
// it made and rewrites one only once no one else holds it; a picture the host still holds is
// never touched.
class ImagePool {
public:
    HRESULT picture(ConstSurfaceView px, IPictureDisp** out);

private:
    static constexpr std::size_t kSize = 3;
    std::vector<Microsoft::WRL::ComPtr<IPictureDisp>> pool_;
    std::size_t next_ = 0;  // the slot a new picture replaces when none is free
};

}  // namespace lumo::com
