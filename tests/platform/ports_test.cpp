// What the ports tell the program when the system says no, and the messages the shell
// broadcasts by name, as the headless desktop carries them out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/headless/headless_desktop.h"

namespace {

using namespace quill;
using namespace quill::platform;
using headless::HeadlessDesktop;
using Refusal = HeadlessDesktop::Refusal;

TEST(HeadlessRefusals, EachRefusedRequestIsReportedAndChangesNothing) {
    HeadlessDesktop d;
    const WindowHandle other = d.addForeignWindow("Notepad", {0, 0, 500, 500});
    InputPort& input = d.input();
    ASSERT_EQ(input.setCursorPos(5, 6), Outcome::Done);
    EXPECT_EQ(input.mouseEvent(kLeftDownFlag, 5, 6).sent, 1);
    for (Refusal r : {Refusal::CursorMoves, Refusal::SynthesisedInput, Refusal::Foreground}) d.refuse(r);

    EXPECT_EQ(input.setCursorPos(10, 20), Outcome::Failed);
    EXPECT_EQ(input.cursorPos(), (PixelPoint{5, 6}));
    const InputDelivery up = input.mouseEvent(kLeftUpFlag, 10, 20);
    EXPECT_EQ(up.sent, 0);
    EXPECT_EQ(up.asked, 1);
    EXPECT_FALSE(up.complete());
    EXPECT_EQ(d.synthesised().size(), 1u);  // only the event that went in
    EXPECT_EQ(input.setForegroundWindow(other), Outcome::Failed);
    EXPECT_EQ(input.foregroundWindow(), 0);
}

struct Owner : WindowClient {
    void onMouse(const RawMouse&) override {}
    WindowModel model() const override { return {}; }
    CursorShape cursorAt(Long, Long) const override { return CursorShape::Default; }
    void onCloseMessage(CloseReason) override {}
};

TEST(HeadlessTray, TheShellRefusesASecondIconAndARefusedOneShowsNothing) {
    HeadlessDesktop d;
    Owner owner;
    const WindowHandle h = d.createWindow(owner, "MenuForm", {0, 0, 10, 10}, Placement::Given);
    TrayPort& tray = d.tray();
    EXPECT_EQ(tray.removeTrayIcon(h), Outcome::Done);  // none shown: nothing to remove
    ASSERT_EQ(tray.addTrayIcon(h, "Quillora"), Outcome::Done);
    EXPECT_EQ(tray.addTrayIcon(h, "Other"), Outcome::Failed);
    EXPECT_EQ(d.trayTip(), "Quillora");
    ASSERT_EQ(tray.removeTrayIcon(h), Outcome::Done);
    d.refuse(Refusal::TrayIcon);
    EXPECT_EQ(tray.addTrayIcon(h, "Quillora"), Outcome::Failed);
    EXPECT_FALSE(d.trayTip());
}

TEST(HeadlessTray, ABalloonNeedsTheOwnersIconShown) {
    HeadlessDesktop d;
    Owner owner, stranger;
    const WindowHandle h = d.createWindow(owner, "MenuForm", {0, 0, 10, 10}, Placement::Given);
    const WindowHandle other = d.createWindow(stranger, "Other", {0, 0, 10, 10}, Placement::Given);
    EXPECT_EQ(d.tray().showBalloon(h, "Quillora", "before the icon"), Outcome::Failed);
    ASSERT_EQ(d.tray().addTrayIcon(h, "Quillora"), Outcome::Done);
    EXPECT_EQ(d.tray().showBalloon(other, "Quillora", "not its icon"), Outcome::Failed);
    EXPECT_EQ(d.tray().showBalloon(h, "Quillora", "shown"), Outcome::Done);
    ASSERT_EQ(d.balloons().size(), 1u);
    EXPECT_EQ(d.balloons()[0].owner, h);
    EXPECT_EQ(d.balloons()[0].title, "Quillora");
    EXPECT_EQ(d.balloons()[0].text, "shown");
}

class NamedMessages : public ::testing::Test {
protected:
    HeadlessDesktop d;
    FormRegistry reg;
    Form a{d, reg, {"A", "a", 150, 150}};
    Form b{d, reg, {"B", "b", 150, 150}};
    Form unloaded{d, reg, {"C", "c", 150, 150}};
    std::vector<std::string> heard;
    MessageHandler listen(const std::string& name) {
        return [this, name](MessageId id) {
            heard.push_back(name + " " + std::to_string(id));
            return RunError::None;
        };
    }
    void SetUp() override {
        a.load();
        b.load();
        a.onRegisteredMessage = listen("a");
        unloaded.onRegisteredMessage = listen("c");
    }
};

TEST_F(NamedMessages, ReachTheLoadedFormsThatListenOnceTheProgramRegisteredTheName) {
    d.broadcast("TaskbarCreated");
    d.doEvents();
    EXPECT_TRUE(heard.empty());  // a name the program never registered is none of its business
    const MessageId id = d.tray().registerMessage("TaskbarCreated");
    ASSERT_NE(id, 0u);
    EXPECT_EQ(d.tray().registerMessage("TaskbarCreated"), id);
    EXPECT_NE(d.tray().registerMessage("Other"), id);
    d.broadcast("TaskbarCreated");
    d.doEvents();
    EXPECT_EQ(heard, (std::vector<std::string>{"a " + std::to_string(id)}));
}

TEST_F(NamedMessages, AFailingHandlerIsReportedAndEndsTheProgram) {
    b.onRegisteredMessage = [](MessageId) { return RunError::Overflow; };
    (void)d.tray().registerMessage("TaskbarCreated");
    d.broadcast("TaskbarCreated");
    d.doEvents();
    ASSERT_EQ(d.messageBoxes().size(), 1u);
    EXPECT_NE(d.messageBoxes()[0].text.find("'6'"), std::string::npos);
    EXPECT_TRUE(d.endCalled());
}

}  // namespace
