// The switch: clicks toggle the button and its image together, and never take the focus.
#include <gtest/gtest.h>

#include "../app/program_fixture.h"
#include "forms/artwork.h"

namespace quilltest {
namespace {

using namespace quill;

class Switch : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(startProgram()); }
    bool imageSaysOn() { return prog().form2View.picture1.picture() == forms::lampOnPicture(); }
};

TEST_F(Switch, ClicksToggleTheButtonAndTheImageAlwaysAgrees) {
    EXPECT_FALSE(form1().btnLDown.enabled());
    EXPECT_FALSE(imageSaysOn());
    clickSwitch();
    EXPECT_TRUE(form1().btnLDown.enabled());
    EXPECT_TRUE(imageSaysOn());
    desk.runFor(600);  // not a double click
    clickSwitch();
    EXPECT_FALSE(form1().btnLDown.enabled());
    EXPECT_FALSE(imageSaysOn());
}

TEST_F(Switch, ClickingItLeavesTheActiveWindowAlone) {
    const auto other = desk.addForeignWindow("Editor", {0, 0, 100, 100});
    desk.setForeground(other);
    clickSwitch();
    EXPECT_EQ(desk.foregroundWindow(), other);
}

TEST_F(Switch, AClickBesideThePictureDoesNothing) {
    const auto r = desk.windowRect(prog().form2View.hWnd());
    desk.click(r.left + 2, r.top + 40);
    desk.doEvents();
    EXPECT_FALSE(form1().btnLDown.enabled());
}

}  // namespace
}  // namespace quilltest
