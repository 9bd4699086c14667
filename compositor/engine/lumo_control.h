#pragma once
// LumoCTRL without its platform shell: an off-screen compositor that takes a material picture,
// draws it turned, zoomed, colour-keyed and blended onto its view, and hands the view back.
#include <cstdint>
#include <functional>

#include "common/colour.h"
#include "common/run_error.h"
#include "compositor/engine/control_surfaces.h"
#include "compositor/engine/draw.h"

namespace lumo {

// The design size, 7050 by 3690 twips at 15 twips a pixel.
constexpr int kDesignWidthPx = 470;
constexpr int kDesignHeightPx = 246;
// The work surfaces' design size: 1215 twips.
constexpr int kWorkSurfaceDesignPx = 81;
// The view's design-time background: the system's window colour.
constexpr quill::Colour kViewDesignBackground = 0x80000005u;
constexpr quill::Colour kWorkSurfaceBackground = 0xFFFFFFu;

class LumoControl {
public:
    // viewStorage lets a platform shell put the view's pixels where a device context sees them.
    explicit LumoControl(int innerWidth = kDesignWidthPx, int innerHeight = kDesignHeightPx,
                         PixelStorageFactory viewStorage = makeHeapStorage);

    // The control's Resize event: the view follows the inner size; nothing else is resized.
    RunError resize(int innerWidth, int innerHeight);

    RunError setPicView(PictureRef pic);
    RunError setPicMaterial(PictureRef pic);
    RunError setPicWorkArea(PictureRef pic);

    PictureRef picture() const { return s_.view.picture(); }  // the picture loaded into the view
    PictureRef image() const { return s_.view.snapshot(); }   // everything drawn so far

    // The view's pixel at (x, y), each rounded half to even: a COLORREF, or -1 outside.
    RunError getPoint(const NumericArg& x, const NumericArg& y, std::int32_t& colour) const;

    quill::Colour picViewBgColor() const { return s_.view.backgroundColour(); }
    RunError setPicViewBgColor(quill::Colour c) { return s_.view.setBackgroundColour(c); }

    void clsPicView() { s_.view.clear(); }
    // Repaints the view's window from its persistent image; the shell supplies the repaint.
    void reDraw() const;
    void setRedrawHook(std::function<void()> hook) { redraw_ = std::move(hook); }

    RunError lumoscope(const DrawArgs& args) { return drawLumoscope(s_, args); }

    const ControlSurfaces& surfaces() const { return s_; }

private:
    ControlSurfaces s_;
    std::function<void()> redraw_;
};

}  // namespace lumo
