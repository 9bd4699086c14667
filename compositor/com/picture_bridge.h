#pragma once
// The platform's picture objects (IPicture/IPictureDisp over a bitmap) on one side, the
// engine's pictures and pixel views on the other.
#include <windows.h>
#include <ocidl.h>

#include "compositor/com/outcome.h"
#include "compositor/engine/bitmap.h"
#include "compositor/engine/surface_view.h"

namespace lumo::com {

// The pixels of a picture a host hands over: any bitmap picture; an empty picture or Nothing
// gives null. Icons and metafiles are an invalid picture.
Outcome pixelsOfPicture(IPictureDisp* pic, PictureRef& out);

// A new picture object that owns a DIB section holding a copy of the pixels.
HRESULT newPictureObject(ConstSurfaceView px, IPictureDisp** out);

// The empty picture a picture property reads as when nothing is loaded.
HRESULT emptyPictureObject(IPictureDisp** out);

// The pixels of a bitmap handle as 0x00RRGGBB, top-down.
Outcome pixelsOfBitmap(HBITMAP bmp, PictureRef& out);

}  // namespace lumo::com
