#pragma once
// The whole program on a headless desktop, with a body artwork written as Pointer.bmp.
#include <gtest/gtest.h>

#include <memory>

#include "app/program.h"
#include "mouse_window/lumo_ctrl_engine.h"
#include "platform/headless/headless_desktop.h"

namespace quilltest {

using quill::platform::headless::HeadlessDesktop;

constexpr std::uint32_t kGreen = 0x00FF00;  // the artwork's background, 0x00RRGGBB
constexpr const char* kFolder = "C:\\Quillora";
constexpr const char* kPointerPath = "C:\\Quillora\\Pointer.bmp";

// A 130 by 130 body: a white disc on green, whose top-left pixel is the key colour.
std::vector<std::uint8_t> bodyBmp(int w = 130, int h = 130);

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest();
    // Writes the standard body unless a test wrote its own Pointer.bmp, then starts.
    bool startProgram();
    quill::app::Program& prog() { return *program_; }
    quill::mouse_window::MotionState& st() { return program_->mouse.motion().stateForTests(); }
    quill::gesture::GestureState& rec() { return program_->engine.state(); }
    quill::forms::Form1View& form1() { return program_->form1View; }
    quill::platform::PixelRect form1Rect() const;
    // A screen point inside the on-screen button, and inside the switch's picture.
    quill::platform::PixelPoint buttonPoint() const;
    quill::platform::PixelPoint switchPoint() const;
    quill::platform::PixelPoint bodyPoint() const;  // on the body, outside the button
    // On the body, outside the button, and where the switch window does not cover it.
    quill::platform::PixelPoint uncoveredBodyPoint() const;
    void clickSwitch();
    // Drags the body by (dx, dy) pixels in one step and lets go 10 ms later: a flick.
    void flickBody(quill::Long dx, quill::Long dy);
    // Lets the program run until its heartbeat is idle at 100 ms (no glide, no push).
    void settle();

    HeadlessDesktop desk;
    quill::mouse_window::EngineLumoCtrl lumo;
    std::unique_ptr<quill::app::Program> program_;
    bool pointerWritten_ = false;
};

}  // namespace quilltest
