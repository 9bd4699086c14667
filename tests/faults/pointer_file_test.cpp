// Pointer.bmp replaced or deleted while the program runs: the body was read at start-up, so it
// keeps its artwork and size through drags, glides and a whole gesture, and nothing complains.
#include <gtest/gtest.h>

#include "../gesture/gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;

class PointerFile : public GestureTest {
protected:
    // A flick, then a click on the button that is replayed.
    void useTheBody() {
        flickBody(60, 20);
        settle();
        if (!form1().btnLDown.enabled()) clickSwitch();
        clickButton();
        runUntilReplayed();
    }
};

TEST_F(PointerFile, ReplacedOrDeletedWhileRunningTheBodyKeepsItsArtwork) {
    const lumo::PictureRef artwork = form1().picture1.picture();
    const auto size = form1Rect();
    const int repaints = desk.windowState(form1().hWnd()).repaints;
    desk.addFile(kPointerPath, bodyBmp(180, 60));  // another picture of another size
    useTheBody();
    desk.addFile(kPointerPath, {'B', 'M', 0, 0});  // no picture at all
    useTheBody();
    desk.removeFile(kPointerPath);
    useTheBody();

    EXPECT_EQ(form1().picture1.picture(), artwork);
    EXPECT_EQ(form1Rect().width(), size.width());
    EXPECT_EQ(form1Rect().height(), size.height());
    EXPECT_GT(desk.windowState(form1().hWnd()).repaints, repaints);
    EXPECT_EQ(desk.synthesised().size(), 6u);  // three replayed clicks, each down and up
    EXPECT_TRUE(desk.messageBoxes().empty());
    EXPECT_FALSE(desk.programEnded());
}

}  // namespace
}  // namespace quilltest
