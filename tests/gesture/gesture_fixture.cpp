#include "gesture_fixture.h"

namespace quilltest {

void GestureTest::SetUp() {
    ASSERT_TRUE(startProgram());
    notepad = desk.addForeignWindow("Notepad", {0, 0, 1920, 1040});
    desk.setForeground(notepad);
    settle();
    clickSwitch();
    ASSERT_TRUE(form1().btnLDown.enabled());
}

void GestureTest::clickButton() {
    const auto p = buttonPoint();
    desk.click(p.x, p.y);
    desk.doEvents();
}

void GestureTest::recordPressDragRelease() {
    const auto p = buttonPoint();
    desk.press(p.x, p.y, quill::platform::kLeftButton);
    desk.at(desk.nowMs() + 150, [this, p] { desk.moveMouse(p.x + 30, p.y); });
    desk.at(desk.nowMs() + 300, [this, p] { desk.release(p.x + 30, p.y, quill::platform::kLeftButton); });
    desk.runFor(300);
    ASSERT_TRUE(rec().Recording);
}

void GestureTest::runUntilReplayed() {
    desk.runUntil([&] { return !form1().btnLDown.enabled() && !prog().engine.replaying(); });
}

void GestureTest::whenTrue(std::function<bool()> condition, std::function<void()> action) {
    desk.after(2, [this, condition, action] {
        if (condition()) {
            action();
        } else {
            whenTrue(condition, action);
        }
    });
}

std::vector<quill::Long> GestureTest::codes() const {
    std::vector<quill::Long> c;
    const auto& buf = program_->engine.state().RecBuf;
    for (std::size_t i = 1; i < buf.size(); ++i) c.push_back(buf[i].Code);
    return c;
}

}  // namespace quilltest
