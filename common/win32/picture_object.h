#pragma once
// Pictures as the platform sees them, both ways: 32-bit top-down DIBs and picture objects
// (IPicture/IPictureDisp over a bitmap). The control takes and hands out picture objects, the
// program hands its artwork over as one and paints pictures through DIBs; each does so with
// these, and neither reaches into the other.
#include <windows.h>
#include <ocidl.h>

#include <cstddef>
#include <vector>

#include "common/picture.h"
#include "common/run_error.h"

namespace quill::win32 {

// A 32-bit top-down DIB header of w by h: the pixel layout of a Picture.
BITMAPINFO topDown32(int w, int h);

// A new picture object that owns a DIB section holding a copy of w by h pixels whose rows lie
// `stride` pixels apart; the empty picture when w or h is not positive.
HRESULT newPictureObject(const Pixel* px, int w, int h, std::ptrdiff_t stride, IPictureDisp** out);
// The same for a picture; null is the empty picture.
HRESULT newPictureObject(const Picture* picture, IPictureDisp** out);

// The empty picture a picture property reads as when nothing is loaded.
HRESULT emptyPictureObject(IPictureDisp** out);

// The bitmap a picture object holds: null for an empty picture or Nothing; InvalidPicture for
// an object that is no picture, and for icons and metafiles.
RunError bitmapOfPicture(IPictureDisp* pic, HBITMAP& out);

// Any bitmap's pixels in the layout of a Picture, through GetDIBits on `dc` (which the bitmap
// is never selected into). A size beyond the picture caps is refused before allocating.
RunError readBitmap(HDC dc, HBITMAP bmp, std::vector<Pixel>& pixels, int& w, int& h);

// A one-off read of a picture object: null for an empty picture or Nothing.
RunError readPicture(IPictureDisp* pic, PictureRef& out);

}  // namespace quill::win32
