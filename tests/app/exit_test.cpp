// The exit command and the about box.
#include <gtest/gtest.h>

#include "program_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using Exit = ProgramTest;

TEST_F(Exit, UnloadsEveryWindowOldestFirstAndMenuFormLast) {
    ASSERT_TRUE(startProgram());
    prog().menu.View_Version_Click();
    std::vector<std::string> loaded;
    for (int i = 0; i < prog().forms.count(); ++i) loaded.push_back(prog().forms.at(i).name());
    EXPECT_EQ(loaded, (std::vector<std::string>{"Form1", "MenuForm", "Form2", "frmAbout"}));
    ASSERT_EQ(prog().menu.EndRTN_Click(), RunError::None);
    EXPECT_EQ(prog().forms.count(), 0);
    EXPECT_TRUE(desk.programEnded());
    EXPECT_FALSE(desk.anyTimerEnabled());
}

TEST_F(Exit, TheAboutBoxIsCreatedOnceAndClosesWithItsCloseText) {
    ASSERT_TRUE(startProgram());
    prog().menu.View_Version_Click();
    const auto h = prog().frmAboutView.hWnd();
    prog().menu.View_Version_Click();
    EXPECT_EQ(prog().frmAboutView.hWnd(), h);
    EXPECT_TRUE(desk.windowState(h).topmost);
    const auto r = desk.windowRect(h);
    EXPECT_EQ(r.left, (1920 - 532) / 2);  // centred on the screen
    desk.click(r.left + 450, r.top + 272);  // the "Close" text at 6480, 4020 twips
    desk.doEvents();
    EXPECT_FALSE(prog().frmAboutView.loaded());
}

}  // namespace
}  // namespace quilltest
