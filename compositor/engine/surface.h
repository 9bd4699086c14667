#pragma once
// A picture box reduced to what the control needs: a persistent 32-bit image with a background
// colour and an optional loaded picture. All drawing goes to the persistent image.
#include <memory>

#include "common/colour.h"
#include "common/run_error.h"
#include "compositor/engine/bitmap.h"
#include "compositor/engine/pixel_storage.h"
#include "compositor/engine/surface_view.h"

namespace lumo {

using quill::Colour;
using quill::RunError;

class Surface {
public:
    Surface(int width, int height, Colour background, bool autoSize,
            PixelStorageFactory storage = makeHeapStorage);

    int width() const { return w_; }
    int height() const { return h_; }

    Colour backgroundColour() const { return background_; }
    // Like a picture box: setting the background erases everything drawn.
    RunError setBackgroundColour(Colour c);

    const PictureRef& picture() const { return picture_; }
    // Loads a picture (null unloads it). An auto-sizing surface takes the picture's size.
    // The image is erased to the background with the picture on top.
    RunError setPicture(PictureRef p);

    // Keeps the overlapping part of the image and fills the rest with the background.
    RunError resize(int width, int height);

    // Background, then the loaded picture at (0, 0).
    void clear();

    // A picture of the persistent image as it is now. Where the storage allows, the picture is
    // the image's own buffer rather than a copy; the surface then draws into a spare buffer
    // until the picture is let go, so the picture never changes.
    PictureRef snapshot() const;
    // The loaded picture becomes a snapshot of the persistent image.
    void bake();

    Pixel pixel(int x, int y) const;             // kNoPixel outside the surface
    void setPixel(int x, int y, Pixel p);         // nothing happens outside

    SurfaceView pixels();                  // for writing
    ConstSurfaceView constPixels() const;  // for reading

private:
    Pixel backgroundPixel() const;
    RunError reallocate(int width, int height);
    void materialise();
    PictureRef shareStorage() const;
    SurfaceView writable(bool keepPixels);

    int w_ = 0;
    int h_ = 0;
    Colour background_;
    bool autoSize_;
    PictureRef picture_;
    PixelStorageFactory makeStorage_;
    std::unique_ptr<PixelStorage> storage_;
    // Whenever a picture shares storage_, these hold a buffer of the same size that none does:
    // writes then go there, so they never fail for want of memory.
    mutable SpareStorage spares_;
    // While true the image equals the loaded picture, which has the surface's exact size, and
    // the storage is stale: loading and baking the material then cost no copy.
    bool imageIsPicture_ = false;
};

}  // namespace lumo
