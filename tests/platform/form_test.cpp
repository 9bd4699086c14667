// The forms runtime: twips over whole pixels, mouse routing to controls, timers.
#include "platform/form.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/headless/headless_desktop.h"
#include "platform/timer.h"

namespace {

using namespace quill;
using namespace quill::platform;
using headless::HeadlessDesktop;

class TestForm : public Form {
public:
    TestForm(Desktop& d, FormRegistry& r)
        : Form(d, r, {"Test", "t", 1500, 1500, Placement::Given, 150, 300}),
          button("button", {300, 300, 600, 600}), timer(*this, 10, false) {
        addControl(button);
    }
    Label button;
    Timer timer;
};

struct Log {
    std::vector<std::string> events;
    MouseHandler record(const std::string& name) {
        return [this, name](const MouseArgs& a) {
            events.push_back(name + " " + std::to_string(a.button) + " " + std::to_string(int(a.x)) + "," +
                             std::to_string(int(a.y)));
            return RunError::None;
        };
    }
};

class FormTest : public ::testing::Test {
protected:
    HeadlessDesktop d;
    FormRegistry reg;
    TestForm f{d, reg};
    Log log;
    void SetUp() override {
        f.load();
        f.show();
        f.onMouseDown = log.record("form-down");
        f.onMouseMove = log.record("form-move");
        f.onMouseUp = log.record("form-up");
        f.button.onMouseDown = log.record("down");
        f.button.onMouseMove = log.record("move");
        f.button.onMouseUp = log.record("up");
        f.button.onDblClick = [this] {
            log.events.push_back("dbl");
            return RunError::None;
        };
        f.button.onClick = [this] {
            log.events.push_back("click");
            return RunError::None;
        };
    }
};

TEST_F(FormTest, TwipsAreWholePixelsAndSettingRoundsHalfToEven) {
    EXPECT_EQ(f.left(), 150);
    EXPECT_EQ(f.top(), 300);
    EXPECT_EQ(f.width(), 1500);
    ASSERT_EQ(f.setLeft(22.5), RunError::None);  // 1.5 pixels
    EXPECT_EQ(d.windowRect(f.hWnd()).left, 2);
    ASSERT_EQ(f.setLeft(37.5), RunError::None);  // 2.5 pixels
    EXPECT_EQ(d.windowRect(f.hWnd()).left, 2);
    EXPECT_EQ(f.left(), 30);
    ASSERT_EQ(f.setTop(-7.5), RunError::None);  // -0.5 pixels
    EXPECT_EQ(d.windowRect(f.hWnd()).top, 0);
    EXPECT_EQ(f.width(), 1500);  // moving keeps the size
    EXPECT_EQ(f.setLeft(1e12), RunError::Overflow);
}

TEST_F(FormTest, PressesOnAnEnabledLabelGoToItWithItsOwnCoordinates) {
    const PixelRect r = d.windowRect(f.hWnd());
    d.press(r.left + 25, r.top + 30, kLeftButton);  // 5, 10 pixels into the label
    d.moveMouse(r.left + 200, r.top + 30);          // captured: still the label's
    d.release(r.left + 200, r.top + 30, kLeftButton);
    d.doEvents();
    EXPECT_EQ(log.events, (std::vector<std::string>{"down 1 75,150", "move 1 2700,150", "up 1 2700,150"}));
}

TEST_F(FormTest, ADisabledLabelLeavesItsPressesToTheForm) {
    f.button.setEnabled(false);
    const PixelRect r = d.windowRect(f.hWnd());
    d.click(r.left + 25, r.top + 30, kRightButton);
    d.doEvents();
    EXPECT_EQ(log.events, (std::vector<std::string>{"form-down 2 375,450", "form-up 2 375,450"}));
}

TEST_F(FormTest, ADoubleClickReplacesTheSecondPress) {
    const PixelRect r = d.windowRect(f.hWnd());
    d.click(r.left + 25, r.top + 30);
    d.click(r.left + 26, r.top + 31);
    d.doEvents();
    // No second Click: the double click stands for it.
    EXPECT_EQ(log.events, (std::vector<std::string>{"down 1 75,150", "up 1 75,150", "click", "dbl",
                                                    "up 1 90,165"}));
}

TEST_F(FormTest, ClicksActivateAWindowUnlessItIsNeverActivated) {
    const PixelRect r = d.windowRect(f.hWnd());
    d.click(r.left + 1, r.top + 1);
    d.doEvents();
    EXPECT_EQ(d.foregroundWindow(), f.hWnd());
    const WindowHandle other = d.addForeignWindow("other", {900, 900, 950, 950});
    d.setForeground(other);
    d.setNoActivate(f.hWnd());
    d.click(r.left + 1, r.top + 1);
    d.doEvents();
    EXPECT_EQ(d.foregroundWindow(), other);
}

TEST_F(FormTest, ATimerIsNeverReenteredWhileItsHandlerPumps) {
    int entries = 0, depth = 0, deepest = 0;
    f.timer.onTimer = [&] {
        ++entries;
        deepest = std::max(deepest, ++depth);
        for (int i = 0; i < 5; ++i) {
            d.doEvents();
            d.waitForEvents();
        }
        --depth;
        return RunError::None;
    };
    f.timer.setEnabled(true);
    d.runFor(200);
    EXPECT_EQ(deepest, 1);
    EXPECT_GT(entries, 2);
}

TEST_F(FormTest, UnloadingStopsTimersAndLaterUseFailsLoudly) {
    f.timer.setEnabled(true);
    f.unload();
    EXPECT_FALSE(d.anyTimerEnabled());
    EXPECT_EQ(reg.count(), 0);
    EXPECT_THROW(f.hWnd(), std::logic_error);
    EXPECT_TRUE(d.programEnded());  // no window of the program is left
}

TEST_F(FormTest, AFailingHandlerIsReportedAndEndsTheProgram) {
    f.button.onMouseDown = [](const MouseArgs&) { return RunError::Overflow; };
    const PixelRect r = d.windowRect(f.hWnd());
    d.press(r.left + 25, r.top + 30, kLeftButton);
    d.doEvents();
    ASSERT_EQ(d.messageBoxes().size(), 1u);
    EXPECT_NE(d.messageBoxes()[0].text.find("'6'"), std::string::npos);
    EXPECT_EQ(d.messageBoxes()[0].icon, kCriticalIcon);
    EXPECT_TRUE(d.endCalled());
}

}  // namespace
