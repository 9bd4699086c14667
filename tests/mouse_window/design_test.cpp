// Form1 as its creation leaves it: the design-time pictures, LumoCTRL1 sited at its place, and
// nothing but the body showing however tall or wide the artwork is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../app/bmp_writer.h"
#include "../app/program_fixture.h"
#include "forms/artwork.h"

namespace quilltest {
namespace {

using namespace quill;
using platform::PixelRect;

constexpr Colour kPureGreen = 0x0000FF00;  // 0x00BBGGRR

// Every pixel of the picture's outer frame: the background the artwork is drawn on.
void expectGreenFrame(const lumo::PictureRef& p) {
    ASSERT_TRUE(p);
    for (int y = 0; y < p->height; ++y) {
        for (int x = 0; x < p->width; ++x) {
            if (x > 0 && y > 0 && x < p->width - 1 && y < p->height - 1) continue;
            ASSERT_EQ(colourFromPixel(p->pixels[static_cast<std::size_t>(y) * p->width + x]), kPureGreen) << x << "," << y;
        }
    }
}

TEST(Form1Design, CarriesTheSilhouetteAndTheBodyAtTheirDesignSizes) {
    HeadlessDesktop desk;
    platform::FormRegistry forms;
    forms::Form1View form1(desk, forms);
    const auto silhouette = forms::silhouettePicture(), body = forms::bodyPicture();
    ASSERT_TRUE(silhouette && body);
    EXPECT_EQ(form1.picture(), silhouette);
    EXPECT_EQ(form1.picture2.picture(), silhouette);
    EXPECT_EQ(form1.picture1.picture(), body);
    EXPECT_EQ(silhouette->width, 127);
    EXPECT_EQ(silhouette->height, 127);
    EXPECT_EQ(body->width, 64);
    EXPECT_EQ(body->height, 61);
    // The pictures fill their auto-sized boxes exactly: no box background shows around them.
    EXPECT_EQ(form1.picture2.width(), 1905);
    EXPECT_EQ(form1.picture2.height(), 1905);
    EXPECT_EQ(form1.picture1.width(), 960);
    EXPECT_EQ(form1.picture1.height(), 915);
    expectGreenFrame(silhouette);
    expectGreenFrame(body);
}

// What the window shows of each picture box inside its client area must be key-coloured
// picture, never the box's background.
void expectOnlyKeyedPictureBoxes(const platform::WindowModel& m, Long width, Long height, Colour key) {
    for (const auto& c : m.controls) {
        if (c.kind != platform::ControlModel::Kind::PictureBox || !c.visible) continue;
        for (Long y = std::max(c.rect.top, Long{0}); y < std::min(c.rect.bottom, height); ++y) {
            for (Long x = std::max(c.rect.left, Long{0}); x < std::min(c.rect.right, width); ++x) {
                const Long px = x - c.rect.left, py = y - c.rect.top;
                ASSERT_TRUE(c.picture && px < c.picture->width && py < c.picture->height) << "background at " << x << "," << y;
                ASSERT_EQ(colourFromPixel(c.picture->pixels[static_cast<std::size_t>(py) * c.picture->width + px]), key)
                    << "picture pixel at " << x << "," << y;
            }
        }
    }
}

class LargeBodies : public ProgramTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(LargeBodies, ShowNothingOfTheDesignTimePictureBoxes) {
    const auto [w, h] = GetParam();
    desk.addFile(kPointerPath, bodyBmp(w, h));
    ASSERT_TRUE(startProgram());
    ASSERT_EQ(form1Rect().width(), w);
    ASSERT_EQ(form1Rect().height(), h);
    const auto model = desk.windowState(form1().hWnd()).client->model();
    expectOnlyKeyedPictureBoxes(model, w, h, static_cast<Colour>(prog().mouse.keyColor()));
}

INSTANTIATE_TEST_SUITE_P(TallAndWide, LargeBodies,
                         ::testing::Values(std::pair{100, 189}, std::pair{189, 189}, std::pair{189, 100}));

// LumoCTRL1 as seen from the form: which places and extents it is given, in order.
class RecordingLumo : public mouse_window::LumoCtrl {
public:
    RunError invoke(lumo::DispId id, mouse_window::InvokeKind kind, mouse_window::DispArg* args,
                    std::size_t count, mouse_window::DispArg* result) override {
        return engine.invoke(id, kind, args, count, result);
    }
    RunError site(platform::WindowHandle form, const PixelRect& place) override {
        calls.push_back("site " + std::to_string(form) + " " + std::to_string(place.left) + "," +
                        std::to_string(place.top) + " " + std::to_string(place.width()) + "x" +
                        std::to_string(place.height()));
        return engine.site(form, place);
    }
    RunError setExtent(Long w, Long h) override {
        calls.push_back("extent " + std::to_string(w) + "x" + std::to_string(h));
        return engine.setExtent(w, h);
    }
    mouse_window::EngineLumoCtrl engine;
    std::vector<std::string> calls;
};

TEST(Form1Design, LumoCtrl1IsSitedAtItsDesignPlaceThenSizedToTheArtwork) {
    HeadlessDesktop desk;
    desk.setProgramFolder(kFolder);
    desk.addFile(kPointerPath, bodyBmp(120, 110));
    RecordingLumo lumo;
    app::Program program(desk, lumo);
    ASSERT_TRUE(program.start());
    const std::string form1 = std::to_string(program.form1View.hWnd());
    // 2520, 2160, 2175 by 1935 twips; then Width and Height follow the window.
    EXPECT_EQ(lumo.calls, (std::vector<std::string>{"site " + form1 + " 168,144 145x129", "extent 120x110"}));
    EXPECT_EQ(lumo.engine.control().surfaces().view.width(), 120);
}

}  // namespace
}  // namespace quilltest
