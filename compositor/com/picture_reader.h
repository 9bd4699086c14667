#pragma once
// Pictures a host hands over (IPicture/IPictureDisp over any bitmap) as engine pictures.
#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "common/win32/picture_object.h"
#include "common/win32/unique_handle.h"
#include "compositor/com/outcome.h"
#include "compositor/engine/bitmap.h"

namespace lumo::com {

// Reads a picture's pixels. While a host keeps handing over the same pixels (the redraw loads
// the same artwork every time), the previous engine picture is handed back instead of a new
// one: the engine then has nothing to copy or re-sample.
class PictureReader {
public:
    PictureReader();

    // Any bitmap picture; an empty picture or Nothing gives null. Icons and metafiles are an
    // invalid picture.
    Outcome read(IPictureDisp* pic, PictureRef& out);
    Outcome readBitmap(HBITMAP bmp, PictureRef& out);

private:
    bool unchangedSinceLastRead(HBITMAP bmp) const;
    void rememberSection(HBITMAP bmp);

    quill::win32::UniqueDc dc_;  // GetDIBits wants a DC; the bitmap is never selected into it
    std::vector<Pixel> scratch_;
    PictureRef last_;
    // The 32-bit DIB section last_ was read from, when its memory then equalled last_.
    HBITMAP lastSection_ = nullptr;
};

// A one-off read, for callers without a reader of their own.
inline Outcome pixelsOfPicture(IPictureDisp* pic, PictureRef& out) {
    return Outcome::failed(quill::win32::readPicture(pic, out));
}

}  // namespace lumo::com
