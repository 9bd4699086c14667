// Start-up of the mouse window: the artwork check, the window's shape and the first two aims.
#include "common/twips.h"
#include "forms/layouts.h"
#include "mouse_window/mouse_window.h"
#include "platform/run_error_report.h"
#include "window_styling/window_styling.h"

namespace quill::mouse_window {

void MouseWindow::endWithMessage(const char* text) {
    desktop().messageBox(text, kStartUpErrorTitle, platform::kCriticalIcon);
    desktop().endProgram();
}

RunError MouseWindow::siteLumoCtrl1() {
    const platform::Desktop& d = desktop();
    return lumo_.site(view_.hWnd(), platform::toPixels(forms::kForm1LumoCtrl1, d.twipsPerPixelX(), d.twipsPerPixelY()));
}

StartUp MouseWindow::Form_Initialize() {
    platform::Desktop& d = desktop();
    const std::string path = d.programFolder() + "\\" + kPointerFileName;
    if (!d.findNormalFile(path)) {
        endWithMessage(kMissingImageText);
        return StartUp::Ended;
    }
    const platform::PictureLoad load = d.loadPicture(path);
    if (!load.picture) {
        // Not a picture (truncated, corrupt, unreadable): say which file and why, then end.
        platform::reportRunError(d, RunError::InvalidPicture, path + "\n" + load.error);
        return StartUp::Ended;
    }
    view_.picture1.setPicture(load.picture);
    const Single w = view_.picture1.width() / d.twipsPerPixelX();
    const Single h = view_.picture1.height() / d.twipsPerPixelY();
    if (w >= kImageSideLimitPx || h >= kImageSideLimitPx) {
        endWithMessage(kImageTooLargeText);
        return StartUp::Ended;
    }
    const RunError e = initializeWithPicture(load.picture);
    if (e != RunError::None) {
        platform::reportRunError(d, e);
        return StartUp::Ended;
    }
    return StartUp::Continue;
}

RunError MouseWindow::applyKeyColour(Colour key) {
    state.KeyColor = static_cast<Long>(key);
    QUILL_RETURN_IF_ERROR(lumo_.setPicViewBgColor(key));
    window_styling::SetTransparentColor(desktop(), view_.hWnd(), key);
    return RunError::None;
}

RunError MouseWindow::initializeWithPicture(const PictureRef& picture) {
    platform::Desktop& d = desktop();
    // Never activated from the start, not only from the first recording tick: otherwise the
    // press that starts the first gesture activates the body, and that gesture loses its target.
    window_styling::SetTopMostNoActivate(view_);
    QUILL_RETURN_IF_ERROR(applyKeyColour(view_.picture1.point(0, 0)));
    view_.btnLDown.setEnabled(false);
    QUILL_RETURN_IF_ERROR(view_.setWidth(view_.picture1.width()));
    QUILL_RETURN_IF_ERROR(view_.setHeight(view_.picture1.height()));
    view_.setPicture(picture);
    const auto wPx = twipsToPixels(view_.width(), d.twipsPerPixelX());
    const auto hPx = twipsToPixels(view_.height(), d.twipsPerPixelY());
    QUILL_RETURN_IF_ERROR(lumo_.setExtent(wPx.value_or(0), hPx.value_or(0)));
    view_.refresh();
    // Read again from the window itself, after the refresh.
    QUILL_RETURN_IF_ERROR(applyKeyColour(view_.point(0, 0)));
    state.CenterX = view_.width() / 2 + view_.left();
    state.CenterY = view_.height() / 2 + view_.top();
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
