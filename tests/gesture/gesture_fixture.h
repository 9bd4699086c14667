#pragma once
// A started program with the switch on and another program's window in front.
#include "../app/program_fixture.h"

namespace quilltest {

class GestureTest : public ProgramTest {
protected:
    void SetUp() override;
    // Press and release the left button on the on-screen button without moving.
    void clickButton();
    // A press, a drag and a release on the button: its replay holds the left button between.
    void recordPressDragRelease();
    // Runs until the replay has ended and the switch has turned itself off.
    void runUntilReplayed();
    std::vector<quill::Long> codes() const;
    // Checks the condition every 2 ms of virtual time, also inside a running replay, and runs
    // the action once when it holds.
    void whenTrue(std::function<bool()> condition, std::function<void()> action);

    quill::platform::WindowHandle notepad = 0;
};

}  // namespace quilltest
