// LumoCTRL1 failing in the middle of a drag: each failing call is one step of the redraw lost;
// the drag, the switch window, the angle and the recording go on, and the body is drawn again
// as soon as the control answers again.
#include <gtest/gtest.h>

#include <set>

#include "../app/program_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using LumoDispId = lumo::DispId;

// The engine's control, with the calls of chosen members failing as a control can fail.
class FlakyControl final : public mouse_window::LumoCtrl {
public:
    explicit FlakyControl(mouse_window::LumoCtrl& inner) : inner_(inner) {}
    RunError invoke(LumoDispId id, mouse_window::InvokeKind kind, mouse_window::DispArg* args, std::size_t count,
                    mouse_window::DispArg* result) override {
        if (failing.count(id)) {
            ++failures;
            return RunError::OutOfMemory;
        }
        return inner_.invoke(id, kind, args, count, result);
    }
    RunError site(platform::WindowHandle form, const platform::PixelRect& place) override {
        return inner_.site(form, place);
    }
    RunError setExtent(Long w, Long h) override { return inner_.setExtent(w, h); }

    std::set<LumoDispId> failing;
    int failures = 0;

private:
    mouse_window::LumoCtrl& inner_;
};

class FailingControl : public ProgramTest {
protected:
    FailingControl() { program_ = std::make_unique<app::Program>(desk, flaky); }
    ~FailingControl() override { program_.reset(); }  // the program refers to the control
    void SetUp() override {
        ASSERT_TRUE(startProgram());
        settle();
        clickSwitch();
        from_ = buttonPoint();
        desk.press(from_.x, from_.y, platform::kLeftButton);  // a recording starts
        desk.doEvents();
    }
    // One drag step on the button, turning a little each time.
    void dragStep() {
        ++steps_;
        desk.moveMouse(from_.x + 9 * steps_, from_.y + (steps_ % 3) * 7);
        desk.doEvents();
    }
    // The window's picture is the control's view: all key colour when nothing was drawn on it.
    bool bodyDrawn() {
        const lumo::PictureRef& pic = form1().picture();
        for (lumo::Pixel p : pic->pixels) {
            if (p != pic->pixels[0]) return true;
        }
        return false;
    }

    FlakyControl flaky{lumo};
    platform::PixelPoint from_;
    int steps_ = 0;
};

TEST_F(FailingControl, EachFailingCallLosesOneStepOfTheRedrawAndTheDragGoesOn) {
    dragStep();
    ASSERT_TRUE(bodyDrawn());
    auto moved = [&](const std::function<void()>& check) {
        const auto body = form1Rect(), tail = desk.windowRect(prog().form2View.hWnd());
        const Long records = rec().RecCount;
        dragStep();
        dragStep();
        EXPECT_GT(form1Rect().left, body.left);
        EXPECT_NE(desk.windowRect(prog().form2View.hWnd()).left, tail.left);
        EXPECT_GT(rec().RecCount, records);
        check();
    };
    flaky.failing = {LumoDispId::Lumoscope};  // the view was cleared and nothing drawn on it
    moved([&] { EXPECT_FALSE(bodyDrawn()); });
    flaky.failing = {LumoDispId::setPicMaterial};  // drawn from the material loaded before
    moved([&] { EXPECT_TRUE(bodyDrawn()); });
    flaky.failing = {LumoDispId::Image};  // the window keeps the picture it had
    const lumo::PictureRef before = form1().picture();
    moved([&] { EXPECT_EQ(form1().picture(), before); });
    flaky.failing = {LumoDispId::ClsPicView, LumoDispId::setPicMaterial, LumoDispId::Lumoscope,
                     LumoDispId::ReDraw, LumoDispId::Image};
    moved([] {});
    EXPECT_EQ(flaky.failures, 2 + 2 + 2 + 2 * 5);

    flaky.failing.clear();
    dragStep();
    EXPECT_TRUE(bodyDrawn());
    EXPECT_NE(form1().picture(), before);
    const auto p = buttonPoint();
    desk.release(p.x, p.y, platform::kLeftButton);
    desk.runUntil([&] { return !form1().btnLDown.enabled() && !prog().engine.replaying(); });
    ASSERT_EQ(desk.synthesised().size(), 2u);  // the whole gesture replays: down, then up
    EXPECT_EQ(desk.synthesised()[0].flags, platform::kLeftDownFlag);
    EXPECT_EQ(desk.synthesised()[1].flags, platform::kLeftUpFlag);
    EXPECT_TRUE(desk.messageBoxes().empty());
    EXPECT_FALSE(desk.programEnded());
}

}  // namespace
}  // namespace quilltest
