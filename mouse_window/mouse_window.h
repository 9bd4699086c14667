#pragma once
// Form1, the mouse window: start-up, the body's own mouse handlers, and UpdateMouse, which
// after every move re-aims the body, places the switch, redraws and lets the recorder look.
// The body's motion (drag, aim, flick, glide) is its BodyMotion's.
#include <functional>

#include "common/run_error.h"
#include "forms/views.h"
#include "mouse_window/body_motion.h"
#include "mouse_window/flick.h"
#include "mouse_window/lumo_ctrl.h"
#include "platform/ports/run_error_report.h"
#include "switch_window/form2.h"

namespace quill::mouse_window {

// The gesture recorder as the mouse window sees it; the recorder owns the gesture.
class StepRecorder {
public:
    virtual ~StepRecorder() = default;
    // UpdateMouse's call after every move of the body.
    virtual RunError RecordStep() = 0;
    // A press on the body with any button but the left drops the gesture being recorded.
    virtual void DiscardGesture() = 0;
};

enum class StartUp { Continue, Ended };

constexpr const char* kPointerFileName = "Pointer.bmp";
constexpr const char* kMissingImageText = "マウスポインタの画像が見つかりません。";
constexpr const char* kImageTooLargeText = "マウスポインタの画像サイズが大きすぎます。";
constexpr const char* kStartUpErrorTitle = "Error";
constexpr int kImageSideLimitPx = 190;  // the artwork must be at most 189 by 189
// Every draw centres the artwork on this view pixel, fully opaque, at its own size, smoothed.
constexpr Integer kDrawX = 65, kDrawY = 65, kDrawAlpha = 255, kDrawZoom = 1;

// The ports the mouse window uses: the clock of its drags, the file of its artwork, the
// styling of its shape, and the end of the program when start-up cannot go on.
struct MouseWindowPorts {
    platform::EventLoopPort& clock;
    platform::FilePort& files;
    platform::StylingPort& styling;
    platform::UntrappedErrors errors;
};

class MouseWindow {
public:
    // display: finds the monitor the body glides on.
    MouseWindow(forms::Form1View& view, switch_window::Form2& form2, LumoCtrl& LumoCTRL1,
                display::DisplayInfo& display, MouseWindowPorts ports);

    BodyMotion& motion() { return motion_; }
    const BodyMotion& motion() const { return motion_; }
    // The body's transparent colour: the top-left pixel of its artwork.
    Long keyColor() const { return keyColor_; }

    forms::Form1View& view() { return view_; }
    switch_window::Form2& form2() { return form2_; }
    void setRecorder(StepRecorder* r) { recorder_ = r; }
    void setMenuFormLoader(std::function<void()> load) { loadMenuForm_ = std::move(load); }

    // Creating Form1 places LumoCTRL1 on it, at its design-time place and extent.
    RunError siteLumoCTRL1();
    // Start-up. Form_Initialize ends the program itself (with its message) when it cannot go on.
    StartUp Form_Initialize();
    void Form_Load();

    RunError Form_MouseDown(const platform::MouseArgs& a);
    RunError Form_MouseMove(const platform::MouseArgs& a);
    RunError Form_MouseUp(const platform::MouseArgs& a);

    void UpdateMouse();
    // Clear the view, draw the artwork turned by BodyAngle, and show the result. A failing step
    // is skipped when skipFailures is set; otherwise it ends the drawing.
    RunError drawBody(bool skipFailures);

    void setLedColour(Colour c);
    // The clock in whole milliseconds, as drag steps are timed.
    Long clockMs() const { return clockMillis(ports_.clock.secondsSinceMidnight()); }

private:
    RunError initializeWithPicture(const PictureRef& picture);
    RunError applyKeyColour(Colour key);

    forms::Form1View& view_;
    switch_window::Form2& form2_;
    LumoCtrl& LumoCTRL1_;
    MouseWindowPorts ports_;
    BodyMotion motion_;
    Long keyColor_ = 0;
    StepRecorder* recorder_ = nullptr;
    std::function<void()> loadMenuForm_;
};

}  // namespace quill::mouse_window
