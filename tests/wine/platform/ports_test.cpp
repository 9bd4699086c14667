// The real desktop's ports say what the system did: a message registered by name reaches the
// client of the window it is sent to, requests the system refuses come back as failures, and a
// synthesised event says that it went in.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/win32_desktop.h"

namespace {

using namespace quill;
using namespace quill::platform;
using platform::win32::toHwnd;

struct Listener final : WindowClient {
    void onMouse(const RawMouse&) override {}
    WindowModel model() const override { return {}; }
    CursorShape cursorAt(Long, Long) const override { return CursorShape::Default; }
    void onCloseMessage(CloseReason) override {}
    void onNamedMessage(MessageId id) override { heard.push_back(id); }
    std::vector<MessageId> heard;
};

class Win32Ports : public ::testing::Test {
protected:
    void SetUp() override {
        window = desk.createWindow(client, "ports", {40, 40, 60, 60}, Placement::Given);
        ASSERT_NE(window, 0);
    }
    void TearDown() override { (void)desk.destroyWindow(window); }

    platform::win32::Win32Desktop desk{GetModuleHandleW(nullptr)};
    Listener client;
    WindowHandle window = 0;
};

TEST_F(Win32Ports, ANamedMessageReachesTheWindowsClientOnlyOnceTheProgramRegisteredIt) {
    const UINT notOurs = RegisterWindowMessageW(L"QuilloraPortsTestNotOurs");
    const MessageId id = desk.registerMessage("QuilloraPortsTest");
    ASSERT_NE(id, 0u);
    EXPECT_EQ(desk.registerMessage("QuilloraPortsTest"), id);
    SendMessageW(toHwnd(window), notOurs, 0, 0);
    SendMessageW(toHwnd(window), id, 0, 0);
    EXPECT_EQ(client.heard, (std::vector<MessageId>{id}));
}

TEST_F(Win32Ports, RequestsTheSystemRefusesComeBackAsFailures) {
    const WindowHandle gone = 0x7ffe;  // no window has this handle
    EXPECT_EQ(desk.setForegroundWindow(0), Outcome::Failed);
    EXPECT_EQ(desk.moveWindow(gone, {1, 2, 3, 4}), Outcome::Failed);
    EXPECT_EQ(desk.setColourKey(gone, 0), Outcome::Failed);
    EXPECT_EQ(desk.setTopmost(gone, false), Outcome::Failed);
    EXPECT_EQ(desk.destroyWindow(gone), Outcome::Failed);
    EXPECT_EQ(desk.destroyTimer(99), Outcome::Failed);
    // And what it does, it says it did.
    EXPECT_EQ(desk.moveWindow(window, {50, 40, 70, 60}), Outcome::Done);
    EXPECT_EQ(desk.windowRect(window), (PixelRect{50, 40, 70, 60}));
    EXPECT_EQ(desk.setColourKey(window, 0x00FF00), Outcome::Done);
    EXPECT_EQ(desk.setNoActivate(window), Outcome::Done);
    EXPECT_EQ(desk.setInputPassThrough(true), Outcome::Done);
    EXPECT_EQ(desk.setInputPassThrough(false), Outcome::Done);
}

TEST_F(Win32Ports, TheCursorMovesWhereAskedAndASynthesisedEventSaysItWentIn) {
    ASSERT_EQ(desk.setCursorPos(31, 17), Outcome::Done);
    EXPECT_EQ(desk.cursorPos(), (PixelPoint{31, 17}));
    const InputDelivery moved = desk.mouseEvent(0, 0, 0);  // no button: it clicks nothing
    EXPECT_EQ(moved.sent, 1);
    EXPECT_TRUE(moved.complete());
}

}  // namespace
