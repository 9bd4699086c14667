// Replays that stop the moment their world changes: the target goes away, the user moves the
// mouse, the session is locked or interrupted, the input is refused, the window under the tip
// runs elevated, the icon's menu opens. Each stop releases every held button exactly once, sends
// nothing more, and ends as Esc does: lamp white, switch off.
#include <gtest/gtest.h>

#include "gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using platform::headless::HeadlessDesktop;
using Refusal = HeadlessDesktop::Refusal;

class ReplayStop : public GestureTest {
protected:
    // Two clicks at the tip, the first held while the tip moves two pixels: a press at tick 4,
    // moves at 10 and 20, the release at 40; the second click at 60 and 70 (too late to make a
    // double click). The replay presses at counter tick 12 and holds for about a second.
    void loadTwoClicks() {
        const platform::PixelPoint t = tip();
        const std::pair<Long, double> steps[] = {{1, 4}, {0, 10}, {0, 20}, {2, 40}, {1, 60}, {2, 70}};
        std::vector<gesture::RecEvent> buf(1);
        Long dx = 0;
        for (const auto& [code, tick] : steps) {
            if (code == 0) ++dx;
            buf.push_back({t.x + dx, t.y, 6000, 4500, 45, 3000, 3000, code, tick});
        }
        rec().RecBuf = buf;
        rec().RecCount = static_cast<Long>(buf.size()) - 1;
        rec().TargetHwnd = notepad;
    }
    platform::PixelPoint tip() const {
        const auto r = form1Rect();
        return {r.left + r.width() / 2 + 60, r.top + r.height() / 2};
    }
    // Inside the replay's wait, once its first press went in; remembers the cursor moves so far.
    void duringFirstPress(std::function<void()> action) {
        whenTrue([&] { return !desk.synthesised().empty(); }, [this, action] {
            movesAtAction_ = desk.cursorMoves().size();
            action();
        });
    }
    void replay() { ASSERT_EQ(prog().engine.PlayGesture(), RunError::None); }
    std::vector<Long> flags() const {
        std::vector<Long> f;
        for (const auto& e : desk.synthesised()) f.push_back(e.flags);
        return f;
    }
    // Lamp white, switch off, the wait timer and the pass-through off, as after Esc.
    void expectEndedAsEsc() {
        EXPECT_FALSE(prog().engine.replaying());
        EXPECT_EQ(form1().recLED.fillColour(), 0xFFFFFFu);
        EXPECT_FALSE(form1().btnLDown.enabled());
        EXPECT_FALSE(form1().uWaitObj.enabled());
        EXPECT_FALSE(desk.inputPassesThrough());
        EXPECT_TRUE(desk.messageBoxes().empty());
    }
    // The replay set the cursor nowhere after the stop.
    void expectNothingFollowed() { EXPECT_EQ(desk.cursorMoves().size(), movesAtAction_); }

    const std::vector<Long> pressAndRelease{platform::kLeftDownFlag, platform::kLeftUpFlag};
    std::size_t movesAtAction_ = 0;
};

using OutOfSight = HeadlessDesktop::OutOfSight;
enum class TargetFate { Closed, Hidden, Minimised };
class TargetGoesAway : public ReplayStop, public ::testing::WithParamInterface<TargetFate> {};

TEST_P(TargetGoesAway, TheReplayStopsBeforeItsNextStepAndReleasesTheHeldButton) {
    loadTwoClicks();
    duringFirstPress([&] {
        switch (GetParam()) {
            case TargetFate::Closed: desk.closeForeignWindow(notepad); break;
            case TargetFate::Hidden: desk.putForeignWindowOutOfSight(notepad, OutOfSight::Hidden); break;
            case TargetFate::Minimised: desk.putForeignWindowOutOfSight(notepad, OutOfSight::Minimised); break;
        }
    });
    replay();
    EXPECT_EQ(flags(), pressAndRelease);
    expectNothingFollowed();
    expectEndedAsEsc();
}

std::string fateName(const ::testing::TestParamInfo<TargetFate>& info) {
    static const char* const names[] = {"Closed", "Hidden", "Minimised"};
    return names[static_cast<int>(info.param)];
}
INSTANTIATE_TEST_SUITE_P(ClosedHiddenOrMinimised, TargetGoesAway,
                         ::testing::Values(TargetFate::Closed, TargetFate::Hidden, TargetFate::Minimised), fateName);

TEST_F(ReplayStop, ThePointerMovedByTheUserStopsItAtOnceWhereTheUserLeftIt) {
    loadTwoClicks();
    const platform::PixelPoint moved{tip().x + 5, tip().y};
    std::int64_t movedAt = 0;
    duringFirstPress([&] {
        movedAt = desk.nowMs();
        desk.moveMouse(moved.x, moved.y);
    });
    replay();
    ASSERT_EQ(flags(), pressAndRelease);
    EXPECT_LE(desk.synthesised().back().timeMs - movedAt, 10);  // within a tick of the counter
    EXPECT_EQ(desk.synthesised().back().cursor, moved);
    EXPECT_EQ(desk.cursorPos(), moved);
    expectNothingFollowed();
    expectEndedAsEsc();
}

TEST_F(ReplayStop, AJitterOfAFewPixelsIsNotTheUsersHand) {
    loadTwoClicks();
    duringFirstPress([&] { desk.moveMouse(tip().x + 4, tip().y - 4); });
    replay();
    EXPECT_EQ(desk.synthesised().size(), 4u);
}

TEST_F(ReplayStop, ALockedSessionStopsItAndTheRefusedReleaseGoesOutOnceWhenItIsBack) {
    loadTwoClicks();
    duringFirstPress([&] { desk.lockSession(); });
    replay();
    EXPECT_EQ(flags(), std::vector<Long>{platform::kLeftDownFlag});  // the locked session took no release
    expectNothingFollowed();
    expectEndedAsEsc();

    desk.unlockSession();
    desk.runFor(10);
    EXPECT_EQ(flags(), pressAndRelease);
    desk.lockSession();
    desk.unlockSession();
    desk.runFor(10);
    EXPECT_EQ(flags(), pressAndRelease);
}

TEST_F(ReplayStop, ASuspendOrADisplayChangeStopsItAndReleasesAtOnce) {
    loadTwoClicks();
    std::int64_t at = 0;
    duringFirstPress([&] {
        at = desk.nowMs();
        desk.interruptSession();
    });
    replay();
    ASSERT_EQ(flags(), pressAndRelease);
    EXPECT_EQ(desk.synthesised().back().timeMs, at);
    expectNothingFollowed();
    expectEndedAsEsc();
    desk.unlockSession();  // back: nothing was left to send
    desk.runFor(10);
    EXPECT_EQ(flags(), pressAndRelease);
}

TEST_F(ReplayStop, InputTheSystemRefusesStopsTheReplayAtTheRefusedEvent) {
    loadTwoClicks();
    duringFirstPress([&] { desk.refuse(Refusal::SynthesisedInput); });
    replay();
    EXPECT_EQ(flags(), std::vector<Long>{platform::kLeftDownFlag});
    // The moves before the refused release were made; the second click never started.
    EXPECT_EQ(desk.cursorMoves().size(), movesAtAction_ + 3);
    EXPECT_EQ(desk.cursorMoves().back(), (platform::PixelPoint{tip().x + 2, tip().y}));
    expectEndedAsEsc();
}

TEST_F(ReplayStop, AnElevatedWindowUnderTheTipIsNeverPressedAndTheIconSaysWhy) {
    loadTwoClicks();
    desk.setIntegrity(notepad, platform::headless::kHighIntegrity);
    replay();
    EXPECT_TRUE(desk.synthesised().empty());
    EXPECT_TRUE(desk.cursorMoves().empty());
    EXPECT_TRUE(desk.foregroundRequests().empty());
    ASSERT_EQ(desk.balloons().size(), 1u);
    EXPECT_EQ(desk.balloons()[0].owner, prog().menuFormView.hWnd());
    EXPECT_EQ(desk.balloons()[0].title, "Quillora");
    EXPECT_EQ(desk.balloons()[0].text, "管理者として実行中のウィンドウには再生できません");
    expectEndedAsEsc();
}

TEST_F(ReplayStop, AWindowFoundElevatedBeforeALaterPressGetsNoPress) {
    loadTwoClicks();
    duringFirstPress([&] { desk.setIntegrity(notepad, platform::headless::kHighIntegrity); });
    replay();
    EXPECT_EQ(flags(), pressAndRelease);  // the release of the first click, not the second press
    EXPECT_EQ(desk.balloons().size(), 1u);
    expectEndedAsEsc();
}

TEST_F(ReplayStop, AnIntegrityLevelThatCannotBeReadLetsTheReplayGoOn) {
    loadTwoClicks();
    desk.setIntegrity(notepad, std::nullopt);
    replay();
    EXPECT_EQ(desk.synthesised().size(), 4u);
    EXPECT_TRUE(desk.balloons().empty());
}

TEST_F(ReplayStop, TheIconsMenuOpensOnlyOnceTheReplayHasStopped) {
    loadTwoClicks();
    struct AtMenu {
        std::vector<Long> flags;
        Colour lamp = 0;
        bool switchOn = true;
        std::size_t menusShown = 1;
    } atMenu;
    auto stop = prog().menu.beforeMenuOpens;
    ASSERT_TRUE(stop);
    prog().menu.beforeMenuOpens = [&, stop] {
        stop();
        atMenu = {flags(), form1().recLED.fillColour(), form1().btnLDown.enabled(), desk.menusShown().size()};
    };
    duringFirstPress([&] { desk.notifyTrayIcon(); });
    replay();
    EXPECT_EQ(atMenu.flags, pressAndRelease);
    EXPECT_EQ(atMenu.lamp, 0xFFFFFFu);
    EXPECT_FALSE(atMenu.switchOn);
    EXPECT_EQ(atMenu.menusShown, 0u);
    EXPECT_EQ(desk.menusShown().size(), 1u);
    EXPECT_EQ(flags(), pressAndRelease);
    expectNothingFollowed();
    expectEndedAsEsc();
}

TEST_F(ReplayStop, AStopOutsideAReplayDoesNothing) {
    prog().engine.stopReplay();
    desk.lockSession();
    desk.unlockSession();
    desk.notifyTrayIcon();
    desk.runFor(10);
    EXPECT_TRUE(desk.synthesised().empty());
    EXPECT_TRUE(form1().btnLDown.enabled());  // the switch the user turned on stays on
    EXPECT_EQ(desk.menusShown().size(), 1u);
}

}  // namespace
}  // namespace quilltest
