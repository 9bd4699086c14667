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

TEST_F(Exit, ACloseRequestToTheAboutBoxUnloadsItAndTheMenuOpensItAgain) {
    ASSERT_TRUE(startProgram());
    prog().menu.View_Version_Click();
    desk.requestClose(prog().frmAboutView.hWnd());
    desk.doEvents();
    EXPECT_FALSE(prog().frmAboutView.loaded());
    EXPECT_FALSE(desk.programEnded());
    prog().menu.View_Version_Click();
    ASSERT_TRUE(prog().frmAboutView.visible());
    EXPECT_TRUE(desk.windowState(prog().frmAboutView.hWnd()).topmost);  // loaded afresh
}

// 0: the body, 1: its switch, 2: the icon's hidden owner.
class CloseRequest : public ProgramTest, public ::testing::WithParamInterface<int> {};

TEST_P(CloseRequest, ToAPartOfTheMouseOrTheIconsOwnerEndsTheProgramWithItsIcon) {
    ASSERT_TRUE(startProgram());
    platform::Form* const forms[] = {&prog().form1View, &prog().form2View, &prog().menuFormView};
    desk.requestClose(forms[GetParam()]->hWnd());
    desk.doEvents();
    EXPECT_EQ(prog().forms.count(), 0);
    EXPECT_TRUE(desk.programEnded());
    EXPECT_FALSE(desk.trayTip());
    EXPECT_FALSE(desk.anyTimerEnabled());
    EXPECT_TRUE(desk.messageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Exit, CloseRequest, ::testing::Values(0, 1, 2));

TEST_F(Exit, TheSessionEndingRunsTheExitSequenceDuringAGlide) {
    ASSERT_TRUE(startProgram());
    prog().menu.View_Version_Click();
    st().Throwing = true;
    st().ThrowTicks = 100;
    st().ThrowDX = 150;
    desk.runUntil([&] { return form1().timer1.interval() == 1; });
    desk.endSession();
    EXPECT_NO_THROW(prog().run());
    EXPECT_EQ(prog().forms.count(), 0);
    ASSERT_FALSE(desk.trayHistory().empty());
    EXPECT_EQ(desk.trayHistory().back().request, platform::headless::TrayRequest::Delete);  // the icon went last
    EXPECT_FALSE(desk.anyTimerEnabled());
    EXPECT_TRUE(desk.messageBoxes().empty());
}

}  // namespace
}  // namespace quilltest
