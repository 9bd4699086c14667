// The notification icon is the program's only way out, so the program keeps it for as long as it
// runs: a taskbar that has not started yet, one that restarts with the icon shown or not, one
// that announces itself while it still has the icon; and the notice a second start asks for.
#include <gtest/gtest.h>

#include "../app/program_fixture.h"
#include "tray/tray.h"

namespace quilltest {
namespace {

using namespace quill;
using platform::headless::TrayRequest;
using tray::kIconRetryMs;

constexpr int kExit = 0;

class IconKept : public ProgramTest {
protected:
    int adds() const { return desk.trayRequests(TrayRequest::Add); }
    int requests() const { return static_cast<int>(desk.trayHistory().size()); }
    bool iconShown() const { return desk.trayTip() == std::optional<std::string>("Quillora"); }
    // The user opens the menu from the icon and chooses "終了".
    void exitFromTheIcon() {
        desk.chooseInNextMenu(kExit);
        desk.notifyTrayIcon(platform::kTrayLeftUp);
        desk.doEvents();
    }
    // Nothing more is asked of the shell for a long while.
    void expectNoMoreRequests() {
        const int before = requests();
        desk.runFor(10 * kIconRetryMs);
        EXPECT_EQ(requests(), before);
    }
};

TEST_F(IconKept, ATaskbarNotThereAtStartIsAskedEveryFewSecondsUntilItTakesTheIcon) {
    desk.stopTaskbar();
    ASSERT_TRUE(startProgram());
    EXPECT_FALSE(desk.trayTip());
    EXPECT_EQ(adds(), 1);
    desk.runFor(3 * kIconRetryMs + kIconRetryMs / 2);
    EXPECT_EQ(adds(), 4);  // once at start, then once every retry interval: no busy loop
    EXPECT_TRUE(desk.messageBoxes().empty());

    // A taskbar that was only slow to answer says nothing when it is ready.
    desk.startTaskbar(false);
    desk.runFor(kIconRetryMs);
    EXPECT_TRUE(iconShown());
    EXPECT_TRUE(prog().menu.icon().shown());
    expectNoMoreRequests();
    exitFromTheIcon();
    EXPECT_TRUE(desk.programEnded());
    EXPECT_FALSE(desk.trayTip());
}

TEST_F(IconKept, ARestartedTaskbarGetsTheIconBackWhetherItWasShownOrNot) {
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(iconShown());
    desk.restartTaskbar();
    EXPECT_FALSE(desk.trayTip());
    desk.doEvents();
    EXPECT_TRUE(iconShown());
    EXPECT_EQ(adds(), 2);

    // Down, and back before the next retry was due: the icon comes back at once.
    desk.stopTaskbar();
    desk.runFor(kIconRetryMs / 3);
    desk.startTaskbar();
    desk.doEvents();
    EXPECT_TRUE(iconShown());
    expectNoMoreRequests();
    exitFromTheIcon();
    EXPECT_TRUE(desk.programEnded());
}

TEST_F(IconKept, ARestartWhileTheIconWasRefusedShowsItAndEndsTheRetries) {
    desk.stopTaskbar();
    ASSERT_TRUE(startProgram());
    desk.runFor(kIconRetryMs / 2);
    desk.startTaskbar();
    desk.doEvents();
    EXPECT_TRUE(iconShown());
    EXPECT_EQ(adds(), 2);
    expectNoMoreRequests();
}

TEST_F(IconKept, AnAnnouncementWhileTheShellStillHasTheIconGivesItAgainWithoutASecondIcon) {
    ASSERT_TRUE(startProgram());
    desk.broadcast("TaskbarCreated");  // the shell still holds the icon: its add is refused
    desk.doEvents();
    ASSERT_EQ(desk.trayHistory().size(), 3u);
    EXPECT_EQ(desk.trayHistory()[1].request, TrayRequest::Add);
    EXPECT_EQ(desk.trayHistory()[1].outcome, platform::Outcome::Failed);
    EXPECT_EQ(desk.trayHistory()[2].request, TrayRequest::Modify);
    EXPECT_EQ(desk.trayHistory()[2].outcome, platform::Outcome::Done);
    EXPECT_TRUE(iconShown());
    EXPECT_TRUE(prog().menu.icon().shown());
    expectNoMoreRequests();
}

TEST_F(IconKept, AnIconNeverShownIsStillRemovedAtTheEndAndNeverAskedForAgain) {
    desk.stopTaskbar();
    ASSERT_TRUE(startProgram());
    desk.requestClose(form1().hWnd());  // what the user has left: another program's close request
    EXPECT_NO_THROW(prog().run());
    EXPECT_TRUE(desk.programEnded());
    EXPECT_EQ(prog().forms.count(), 0);
    ASSERT_FALSE(desk.trayHistory().empty());
    EXPECT_EQ(desk.trayHistory().back().request, TrayRequest::Delete);
    EXPECT_FALSE(prog().menu.icon().wanted());
    EXPECT_FALSE(desk.anyTimerEnabled());
    EXPECT_TRUE(desk.messageBoxes().empty());
}

class SecondStart : public IconKept {
protected:
    void SetUp() override { ASSERT_TRUE(startProgram()); }
    void secondStartAsks() {
        desk.broadcast(tray::kAlreadyRunningMessage);
        desk.doEvents();
    }
};

TEST_F(SecondStart, TheRunningCopySaysSoFromItsIconAndChangesNothingElse) {
    clickSwitch();
    ASSERT_TRUE(form1().btnLDown.enabled());
    const auto body = form1Rect();
    const int forms = prog().forms.count();
    secondStartAsks();
    ASSERT_EQ(desk.balloons().size(), 1u);
    EXPECT_EQ(desk.balloons()[0].owner, prog().menuFormView.hWnd());
    EXPECT_EQ(desk.balloons()[0].title, "Quillora");
    EXPECT_EQ(desk.balloons()[0].text, "Quillora は既に起動しています");
    EXPECT_TRUE(form1().btnLDown.enabled());  // the switch is still on
    EXPECT_EQ(form1Rect(), body);
    EXPECT_EQ(prog().forms.count(), forms);
    EXPECT_TRUE(desk.menusShown().empty());
    EXPECT_TRUE(iconShown());
    EXPECT_TRUE(desk.messageBoxes().empty());
}

TEST_F(SecondStart, WithoutItsIconTheRunningCopyRunsOnQuietly) {
    desk.stopTaskbar();
    secondStartAsks();
    EXPECT_TRUE(desk.balloons().empty());
    EXPECT_TRUE(desk.messageBoxes().empty());
    EXPECT_FALSE(desk.programEnded());
}

}  // namespace
}  // namespace quilltest
