// The notification icon, its popup menu and the about box, driven as the shell drives them:
// notifications over the icon, then a choice in the menu that opens.
#include <gtest/gtest.h>

#include "../gesture/gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using platform::headless::TrayRequest;

constexpr int kExit = 0, kAbout = 1;

class Tray : public ProgramTest {
protected:
    // The user opens the menu from the icon and picks an item.
    void choose(int item) {
        desk.chooseInNextMenu(item);
        desk.notifyTrayIcon(platform::kTrayLeftUp);
        desk.doEvents();
    }
    std::vector<std::string> loadedForms() {
        std::vector<std::string> names;
        for (int i = 0; i < prog().forms.count(); ++i) names.push_back(prog().forms.at(i).name());
        return names;
    }
};

TEST_F(Tray, TheIconIsAddedAtStartWithItsTipAndRemovedLastAtExit) {
    ASSERT_TRUE(startProgram());
    const auto menuForm = prog().menuFormView.hWnd();
    ASSERT_EQ(desk.trayHistory().size(), 1u);
    EXPECT_EQ(desk.trayHistory()[0].request, TrayRequest::Add);
    EXPECT_EQ(desk.trayHistory()[0].outcome, platform::Outcome::Done);
    EXPECT_EQ(desk.trayHistory()[0].owner, menuForm);
    EXPECT_EQ(desk.trayTip(), "Quillora");
    EXPECT_FALSE(desk.windowState(menuForm).visible);  // MenuForm is never shown

    choose(kAbout);
    choose(kExit);
    EXPECT_TRUE(desk.programEnded());
    EXPECT_EQ(prog().forms.count(), 0);
    ASSERT_EQ(desk.trayHistory().size(), 2u);
    EXPECT_EQ(desk.trayHistory()[1].request, TrayRequest::Delete);
    EXPECT_EQ(desk.trayHistory()[1].tip, "Quillora");
    EXPECT_FALSE(desk.trayTip());
    EXPECT_TRUE(desk.messageBoxes().empty());
}

TEST_F(Tray, EveryNotificationOpensTheMenuWithItsTwoItemsAtTheCursor) {
    ASSERT_TRUE(startProgram());
    desk.moveMouse(1800, 1060);
    const Long doubleClick = 0x203;
    for (Long message : std::vector<Long>{platform::kTrayMouseMove, platform::kTrayLeftDown, platform::kTrayLeftUp,
                                          platform::kTrayRightUp, doubleClick}) {
        desk.notifyTrayIcon(message);
    }
    desk.doEvents();
    ASSERT_EQ(desk.menusShown().size(), 5u);
    for (const auto& m : desk.menusShown()) {
        EXPECT_EQ(m.owner, prog().menuFormView.hWnd());
        EXPECT_EQ(m.items, (std::vector<std::string>{"終了", "バージョン情報"}));
        EXPECT_EQ(m.at, (platform::PixelPoint{1800, 1060}));
    }
    // Dismissed menus change nothing.
    EXPECT_EQ(loadedForms(), (std::vector<std::string>{"Form1", "MenuForm", "Form2"}));
    EXPECT_FALSE(prog().frmAboutView.loaded());
}

TEST_F(Tray, ExitUnloadsOldestFirstAndRemovesTheIconAsMenuFormGoes) {
    ASSERT_TRUE(startProgram());
    choose(kAbout);
    ASSERT_EQ(loadedForms(), (std::vector<std::string>{"Form1", "MenuForm", "Form2", "frmAbout"}));
    // Record the order in which windows go, and whether the icon is still there each time.
    std::vector<std::pair<std::string, bool>> order;
    for (platform::Form* f : std::vector<platform::Form*>{&prog().form1View, &prog().form2View, &prog().frmAboutView,
                                                          &prog().menuFormView}) {
        auto previous = f->onQueryUnload;
        f->onQueryUnload = [this, f, previous, &order] {
            order.emplace_back(f->name(), desk.trayTip().has_value());
            return previous ? previous() : RunError::None;
        };
    }
    choose(kExit);
    EXPECT_EQ(order, (std::vector<std::pair<std::string, bool>>{
                         {"Form1", true}, {"Form2", true}, {"frmAbout", true}, {"MenuForm", true}}));
    EXPECT_FALSE(desk.trayTip());
    EXPECT_TRUE(desk.programEnded());
    EXPECT_NO_THROW(prog().run());
}

TEST_F(Tray, ExitWithOnlyMenuFormLeftUnloadsItAtOnce) {
    ASSERT_TRUE(startProgram());
    prog().form2View.unload();
    prog().form1View.unload();
    ASSERT_EQ(loadedForms(), (std::vector<std::string>{"MenuForm"}));
    choose(kExit);
    EXPECT_EQ(prog().forms.count(), 0);
    EXPECT_FALSE(desk.trayTip());
}

TEST_F(Tray, TheAboutBoxOpensOnceClosesFromItsTextAndReopensCentred) {
    ASSERT_TRUE(startProgram());
    choose(kAbout);
    const auto h = prog().frmAboutView.hWnd();
    choose(kAbout);
    EXPECT_EQ(prog().frmAboutView.hWnd(), h);
    EXPECT_EQ(prog().forms.count(), 4);
    const auto& w = desk.windowState(h);
    EXPECT_TRUE(w.visible);
    EXPECT_TRUE(w.topmost);
    EXPECT_EQ(w.title, "ﾊﾞｰｼﾞｮﾝ情報");
    const platform::PixelRect centred{(1920 - 532) / 2, (1080 - 326) / 2, (1920 + 532) / 2, (1080 + 326) / 2};
    EXPECT_EQ(desk.windowRect(h), centred);

    // A click away from the "Close" text does nothing; one on it unloads the box.
    desk.click(centred.left + 100, centred.top + 100);
    desk.doEvents();
    EXPECT_TRUE(prog().frmAboutView.visible());
    desk.click(centred.left + 450, centred.top + 272);
    desk.doEvents();
    EXPECT_FALSE(prog().frmAboutView.loaded());

    choose(kAbout);
    EXPECT_EQ(desk.windowRect(prog().frmAboutView.hWnd()), centred);
    EXPECT_TRUE(desk.windowState(prog().frmAboutView.hWnd()).topmost);
}

TEST_F(Tray, TheAboutBoxShowsItsPictureAndTheHandOnlyOverClose) {
    ASSERT_TRUE(startProgram());
    choose(kAbout);
    const auto& about = prog().frmAboutView;
    ASSERT_TRUE(about.picture());
    EXPECT_EQ(about.picture()->width, 531);
    EXPECT_EQ(about.picture()->height, 326);
    EXPECT_FALSE(about.lblDisclaimer.visible());
    const auto r = desk.windowRect(about.hWnd());
    // "Close" covers pixels 432..468 by 268..279.
    EXPECT_EQ(desk.cursorShapeAt({r.left + 432, r.top + 268}), platform::CursorShape::Hand);
    EXPECT_EQ(desk.cursorShapeAt({r.left + 467, r.top + 279}), platform::CursorShape::Hand);
    EXPECT_EQ(desk.cursorShapeAt({r.left + 431, r.top + 268}), platform::CursorShape::Default);
    EXPECT_EQ(desk.cursorShapeAt({r.left + 450, r.top + 280}), platform::CursorShape::Default);
    EXPECT_EQ(desk.cursorShapeAt({r.left + 60, r.top + 260}), platform::CursorShape::Default);  // the hidden warning
}

using TrayDuringReplay = GestureTest;

TEST_F(TrayDuringReplay, ExitFromTheMenuEndsTheReplayWithNoButtonLeftDown) {
    const auto p = buttonPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.at(desk.nowMs() + 150, [this, p] { desk.moveMouse(p.x + 30, p.y); });
    desk.at(desk.nowMs() + 300, [this, p] { desk.release(p.x + 30, p.y, platform::kLeftButton); });
    desk.runFor(300);
    whenTrue([&] { return !desk.synthesised().empty(); }, [&] {
        desk.chooseInNextMenu(kExit);
        desk.notifyTrayIcon();
    });
    EXPECT_NO_THROW(prog().run());
    EXPECT_TRUE(desk.programEnded());
    EXPECT_FALSE(desk.trayTip());
    std::vector<Long> flags;
    for (const auto& e : desk.synthesised()) flags.push_back(e.flags);
    EXPECT_EQ(flags, (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
    EXPECT_TRUE(desk.messageBoxes().empty());
}

}  // namespace
}  // namespace quilltest
