#include "program_fixture.h"

#include <utility>

#include "bmp_writer.h"

namespace quilltest {

std::vector<std::uint8_t> bodyBmp(int w, int h) {
    return bmp24(w, h, [w, h](int x, int y) {
        const int dx = 2 * x - w, dy = 2 * y - h;
        return dx * dx + dy * dy < w * h / 2 ? 0xFFFFFFu : kGreen;
    });
}

ProgramTest::ProgramTest() {
    desk.setProgramFolder(kFolder);
    desk.setDefaultWindowPosition({400, 300});
    // A minute after midnight: the single-precision clock still resolves well under a millisecond.
    desk.setClockMs(60 * 1000);
    program_ = std::make_unique<quill::app::Program>(desk, lumo);
}

bool ProgramTest::startProgram() {
    if (!desk.hasFile(kPointerPath) && !pointerWritten_) desk.addFile(kPointerPath, bodyBmp());
    return program_->start();
}

quill::platform::PixelRect ProgramTest::form1Rect() const {
    return desk.windowRect(program_->form1View.hWnd());
}

quill::platform::PixelPoint ProgramTest::buttonPoint() const {
    // The button's rectangle is (24, 32) to (97, 97) pixels of the client area.
    const auto r = form1Rect();
    return {r.left + 60, r.top + 64};
}

quill::platform::PixelPoint ProgramTest::bodyPoint() const {
    const auto r = form1Rect();
    return {r.left + 110, r.top + 110};
}

quill::platform::PixelPoint ProgramTest::switchPoint() const {
    // Picture1 of the switch sits at (8, 0) pixels and is 30 by 29.
    const auto r = desk.windowRect(program_->form2View.hWnd());
    return {r.left + 20, r.top + 14};
}

void ProgramTest::clickSwitch() {
    const auto p = switchPoint();
    desk.click(p.x, p.y);
    desk.doEvents();
}

quill::platform::PixelPoint ProgramTest::uncoveredBodyPoint() const {
    const auto body = form1Rect(), tail = desk.windowRect(program_->form2View.hWnd());
    for (const auto& [x, y] : {std::pair{110, 110}, {110, 15}, {15, 110}, {110, 60}, {60, 110}}) {
        const quill::platform::PixelPoint p{body.left + x, body.top + y};
        if (p.x < tail.left || p.x >= tail.right || p.y < tail.top || p.y >= tail.bottom) return p;
    }
    return bodyPoint();
}

void ProgramTest::flickBody(quill::Long dx, quill::Long dy) {
    const auto p = uncoveredBodyPoint();
    desk.press(p.x, p.y, quill::platform::kLeftButton);
    desk.moveMouse(p.x + dx, p.y + dy);
    desk.doEvents();
    desk.after(10, [this, p, dx, dy] { desk.release(p.x + dx, p.y + dy, quill::platform::kLeftButton); });
    desk.runUntil([&] { return st().Throwing; });
}

void ProgramTest::settle() {
    desk.runUntil([&] { return !st().Throwing && form1().timer1.interval() == 100; });
}

}  // namespace quilltest
