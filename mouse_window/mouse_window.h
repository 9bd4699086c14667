#pragma once
// Form1, the mouse window: its state, start-up, the body's drag and flick, and UpdateMouse,
// which re-aims the body, places the switch, redraws and lets the recorder look after every
// move.
#include <functional>

#include "common/run_error.h"
#include "forms/views.h"
#include "mouse_window/form1_state.h"
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
    MouseWindow(forms::Form1View& view, switch_window::Form2& form2, LateBoundObject& lumoObject, MouseWindowPorts ports);

    Form1State state;

    forms::Form1View& view() { return view_; }
    switch_window::Form2& form2() { return form2_; }
    void setRecorder(StepRecorder* r) { recorder_ = r; }
    void setMenuFormLoader(std::function<void()> load) { loadMenuForm_ = std::move(load); }

    // Creating Form1 places LumoCTRL1 on it, at its design-time place and extent.
    RunError siteLumoCtrl1();
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

    // One drag step of the body or the on-screen button: move by (X - GrabX, Y - GrabY),
    // remember the step and its time, then UpdateMouse.
    RunError dragStep(const platform::MouseArgs& a);
    void setLedColour(Colour c);
    Long clockMs() const;

private:
    RunError initializeWithPicture(const PictureRef& picture);
    RunError applyKeyColour(Colour key);

    forms::Form1View& view_;
    switch_window::Form2& form2_;
    LumoCtrl1 lumo_;
    MouseWindowPorts ports_;
    StepRecorder* recorder_ = nullptr;
    std::function<void()> loadMenuForm_;
};

}  // namespace quill::mouse_window
