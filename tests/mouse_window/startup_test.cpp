// Start-up: the artwork checks and their messages, the window's shape and the initial state.
#include <gtest/gtest.h>

#include <cmath>

#include "../app/bmp_writer.h"
#include "../app/program_fixture.h"
#include "forms/artwork.h"

namespace quilltest {
namespace {

using namespace quill;
namespace hl = quill::platform::headless;

class StartUp : public ProgramTest {
protected:
    void expectOnlyMessage(const std::string& text) {
        ASSERT_EQ(desk.messageBoxes().size(), 1u);
        EXPECT_EQ(desk.messageBoxes()[0].text, text);
        EXPECT_EQ(desk.messageBoxes()[0].title, "Error");
        EXPECT_EQ(desk.messageBoxes()[0].icon, 16);
        EXPECT_TRUE(desk.programEnded());
        EXPECT_FALSE(prog().form1View.visible());
        EXPECT_FALSE(prog().form2View.loaded());
        EXPECT_FALSE(prog().menuFormView.loaded());
    }
};

TEST_F(StartUp, AMissingPointerShowsOnlyTheFirstMessage) {
    pointerWritten_ = true;
    EXPECT_FALSE(startProgram());
    expectOnlyMessage("マウスポインタの画像が見つかりません。");
}

TEST_F(StartUp, AHiddenPointerCountsAsMissing) {
    desk.addFile(kPointerPath, bodyBmp(), hl::kHidden);
    EXPECT_FALSE(startProgram());
    expectOnlyMessage("マウスポインタの画像が見つかりません。");
}

TEST_F(StartUp, AFolderNamedPointerCountsAsMissing) {
    desk.addFolder(kPointerPath);
    EXPECT_FALSE(startProgram());
    expectOnlyMessage("マウスポインタの画像が見つかりません。");
}

TEST_F(StartUp, The189PixelLimitHoldsOnEachSide) {
    desk.addFile(kPointerPath, solidBmp(190, 1, kGreen));
    EXPECT_FALSE(startProgram());
    expectOnlyMessage("マウスポインタの画像サイズが大きすぎます。");
}

TEST_F(StartUp, TallArtworkIsRejectedToo) {
    desk.addFile(kPointerPath, solidBmp(1, 190, kGreen));
    EXPECT_FALSE(startProgram());
    expectOnlyMessage("マウスポインタの画像サイズが大きすぎます。");
}

TEST_F(StartUp, ArtworkOf189By189IsAcceptedAndSizesTheWindow) {
    desk.addFile(kPointerPath, bodyBmp(189, 189));
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(desk.messageBoxes().empty());
    EXPECT_EQ(form1Rect().width(), 189);
    EXPECT_EQ(form1Rect().height(), 189);
    EXPECT_TRUE(prog().form1View.visible());
    EXPECT_EQ(lumo.control().surfaces().view.width(), 189);
}

TEST_F(StartUp, ACorruptFileIsReportedByNameAndReasonThenEnds) {
    auto bytes = bodyBmp();
    bytes.resize(60);  // truncated pixel data
    desk.addFile(kPointerPath, bytes);
    EXPECT_FALSE(startProgram());
    ASSERT_EQ(desk.messageBoxes().size(), 1u);
    const auto& box = desk.messageBoxes()[0];
    EXPECT_NE(box.text.find(kPointerPath), std::string::npos);
    EXPECT_NE(box.text.find("481"), std::string::npos);
    EXPECT_GT(box.text.size(), std::string(kPointerPath).size() + 40);  // a reason is given
    EXPECT_EQ(box.icon, 16);
    EXPECT_TRUE(desk.programEnded());
    EXPECT_FALSE(prog().form1View.visible());
}

TEST_F(StartUp, TheTopLeftPixelIsTheKeyColour) {
    desk.addFile(kPointerPath, bmp24(130, 130, [](int x, int y) { return x + y == 0 ? 0xFF00FFu : 0x123456u; }));
    ASSERT_TRUE(startProgram());
    const Colour magenta = 0xFF00FF;  // the same in both byte orders
    EXPECT_EQ(prog().mouse.keyColor(), static_cast<Long>(magenta));
    EXPECT_EQ(desk.windowState(form1().hWnd()).colourKey, magenta);
    EXPECT_EQ(lumo.control().picViewBgColor(), magenta);
}

TEST_F(StartUp, ButtonLampAndSwitchStartOff) {
    ASSERT_TRUE(startProgram());
    EXPECT_FALSE(form1().btnLDown.enabled());
    EXPECT_EQ(form1().recLED.fillStyle(), platform::Shape::kSolid);
    EXPECT_EQ(form1().recLED.fillColour(), 0xFFFFFFu);
    auto& f2 = prog().form2View;
    EXPECT_EQ(f2.picture1.picture(), forms::lampOffPicture());
    const auto& s2 = desk.windowState(f2.hWnd());
    EXPECT_TRUE(s2.visible && s2.topmost && s2.noActivate);
    EXPECT_EQ(s2.colourKey, 0xFFFFFFu);  // its own window-colour background
    EXPECT_TRUE(desk.windowState(form1().hWnd()).topmost);
    EXPECT_TRUE(prog().menuFormView.loaded());
    EXPECT_FALSE(prog().menuFormView.visible());
}

TEST_F(StartUp, TheTwoFirstPassesPutTheSwitchAThousandTwipsOutPlusTheDrift) {
    ASSERT_TRUE(startProgram());
    // The drift adds a hundredth of the centre's coordinates (the last centre is still 0).
    const double cx = st().CenterX, cy = st().CenterY;
    EXPECT_NEAR(std::hypot(st().SwitchX - cx / 100 - cx, st().SwitchY - cy / 100 - cy), 1000, 1e-6);
    // The switch lies towards the screen origin, where the first pass put the switch window.
    EXPECT_LT(st().SwitchX, cx);
    EXPECT_LT(st().SwitchY, cy);
    EXPECT_NEAR(std::hypot(st().PointerX - cx, st().PointerY - cy), 900, 1);
    // The window shows the second pass's starting point: the first pass's result.
    const auto r = desk.windowRect(prog().form2View.hWnd());
    EXPECT_GT(r.left, 300);
    EXPECT_LT(r.left, 500);
}

}  // namespace
}  // namespace quilltest
