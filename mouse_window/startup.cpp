// Start-up of the mouse window: the artwork check, the window's shape and the first two aims.
#include "common/twips.h"
#include "forms/layouts.h"
#include "mouse_window/mouse_window.h"
#include "window_styling/window_styling.h"

namespace quill::mouse_window {

RunError MouseWindow::siteLumoCTRL1() {
    const platform::PixelRect place =
        platform::toPixels(forms::kForm1LumoCTRL1, view_.twipsPerPixelX(), view_.twipsPerPixelY());
    return LumoCTRL1_.site(view_.hWnd(), place);
}

StartUp MouseWindow::Form_Initialize() {
    const platform::UntrappedErrors& errors = ports_.errors;
    const std::string path = ports_.files.programFolder() + "\\" + kPointerFileName;
    if (!ports_.files.findNormalFile(path)) {
        errors.endWithMessage(kMissingImageText, kStartUpErrorTitle);
        return StartUp::Ended;
    }
    const platform::PictureLoad load = ports_.files.loadPicture(path);
    if (!load.picture) {
        // Not a picture (truncated, corrupt, unreadable): say which file and why, then end.
        errors.report(RunError::InvalidPicture, path + "\n" + load.error);
        return StartUp::Ended;
    }
    view_.picture1.setPicture(load.picture);
    const Single w = view_.picture1.width() / view_.twipsPerPixelX();
    const Single h = view_.picture1.height() / view_.twipsPerPixelY();
    if (w >= kImageSideLimitPx || h >= kImageSideLimitPx) {
        errors.endWithMessage(kImageTooLargeText, kStartUpErrorTitle);
        return StartUp::Ended;
    }
    const RunError e = initializeWithPicture(load.picture);
    if (e != RunError::None) {
        errors.report(e);
        return StartUp::Ended;
    }
    return StartUp::Continue;
}

RunError MouseWindow::applyKeyColour(Colour key) {
    keyColor_ = static_cast<Long>(key);
    QUILL_RETURN_IF_ERROR(LumoCTRL1_.setPicViewBgColor(key));
    // A body the system would not key still moves and draws: its background shows.
    (void)window_styling::SetTransparentColor(ports_.styling, view_.hWnd(), key);
    return RunError::None;
}

RunError MouseWindow::initializeWithPicture(const PictureRef& picture) {
    // Never activated from the start, not only from the first recording tick: otherwise the
    // press that starts the first gesture activates the body, and that gesture loses its target.
    (void)window_styling::SetTopMostNoActivate(ports_.styling, view_);
    QUILL_RETURN_IF_ERROR(applyKeyColour(view_.picture1.point(0, 0)));
    view_.btnLDown.setEnabled(false);
    QUILL_RETURN_IF_ERROR(view_.setWidth(view_.picture1.width()));
    QUILL_RETURN_IF_ERROR(view_.setHeight(view_.picture1.height()));
    view_.setPicture(picture);
    const auto wPx = twipsToPixels(view_.width(), view_.twipsPerPixelX());
    const auto hPx = twipsToPixels(view_.height(), view_.twipsPerPixelY());
    QUILL_RETURN_IF_ERROR(LumoCTRL1_.setExtent(wPx.value_or(0), hPx.value_or(0)));
    view_.refresh();
    // Read again from the window itself, after the refresh.
    QUILL_RETURN_IF_ERROR(applyKeyColour(view_.point(0, 0)));
    motion_.recentre();
    setLedColour(0xFFFFFF);
    view_.refresh();
    return RunError::None;
}

void MouseWindow::Form_Load() {
    if (loadMenuForm_) loadMenuForm_();
    UpdateMouse();
    UpdateMouse();
}

void MouseWindow::setLedColour(Colour c) {
    view_.recLED.setFillStyle(platform::Shape::kSolid);
    view_.recLED.setFillColour(c);
}

}  // namespace quill::mouse_window
