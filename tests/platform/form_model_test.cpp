// What a form hands the backend's painter: background, picture and controls in client pixels,
// with system colours resolved, in tab order.
#include <gtest/gtest.h>

#include "compositor/engine/bitmap.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/headless/headless_desktop.h"

namespace {

using namespace quill;
using namespace quill::platform;
using headless::HeadlessDesktop;

class PaintedForm : public Form {
public:
    PaintedForm(Desktop& d, FormRegistry& r)
        : Form(d, r, {"Painted", "p", 3000, 1500, Placement::Given, 0, 0, 0x80000005u}),
          box("box", {150, 300, 450, 600}, false, 15, 15),
          lamp("lamp", {960, 780, 255, 165}),
          caption("caption", {0, 1200, 1500, 255}) {
        addControl(box);
        addControl(lamp);
        addControl(caption);
    }
    PictureBox box;
    Shape lamp;
    Label caption;
};

TEST(FormModel, DescribesEveryControlInClientPixelsWithResolvedColours) {
    HeadlessDesktop d;
    FormRegistry reg;
    PaintedForm f(d, reg);
    f.load();
    f.box.setBackColour(0x80000008u);  // the window text colour: black in the standard scheme
    f.lamp.setFillStyle(Shape::kSolid);
    f.lamp.setFillColour(0x000000FF);
    f.caption.setCaption("12>3:4(0)");
    f.caption.setVisible(false);
    const lumo::PictureRef pic = lumo::makePicture(2, 2, std::vector<lumo::Pixel>(4, 0x123456));
    f.setPicture(pic);

    const WindowModel m = d.windowState(f.hWnd()).client->model();
    EXPECT_EQ(m.background, 0xFFFFFFu);  // the window colour, resolved
    EXPECT_EQ(m.picture, pic);
    ASSERT_EQ(m.controls.size(), 3u);
    EXPECT_EQ(m.controls[0].kind, ControlModel::Kind::PictureBox);
    EXPECT_EQ(m.controls[0].rect, (PixelRect{10, 20, 40, 60}));
    EXPECT_EQ(m.controls[0].colour, 0x000000u);
    EXPECT_EQ(m.controls[1].kind, ControlModel::Kind::Circle);
    EXPECT_EQ(m.controls[1].rect, (PixelRect{64, 52, 81, 63}));
    EXPECT_TRUE(m.controls[1].filled);
    EXPECT_EQ(m.controls[1].colour, 0x0000FFu);
    EXPECT_EQ(m.controls[2].kind, ControlModel::Kind::Label);
    EXPECT_EQ(m.controls[2].caption, "12>3:4(0)");
    EXPECT_FALSE(m.controls[2].visible);

    // The backend repaints when the model changes, so equal forms must compare equal.
    EXPECT_EQ(m, d.windowState(f.hWnd()).client->model());
    f.lamp.setFillColour(0x00FF00);
    EXPECT_NE(m, d.windowState(f.hWnd()).client->model());
}

}  // namespace
