// An exception of the program's own code never unwinds through the system's message dispatch:
// the window procedure stops it, and the pump reports it as an error no handler traps (a
// critical message box, then the end of the program).
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "common/win32/text.h"
#include "platform/win32/win32_desktop.h"

namespace {

using namespace quill;

class ThrowingTick final : public platform::TimerClient {
public:
    void onTick() override {
        ++ticks;
        throw std::logic_error("form Form1 used while not loaded");
    }
    int ticks = 0;
};

// Waits on its own thread for the program's message box, reads its text and presses OK.
class MessageBoxReader {
public:
    MessageBoxReader() : thread_([this] { run(); }) {}
    ~MessageBoxReader() {
        if (thread_.joinable()) thread_.join();
    }
    MessageBoxReader(const MessageBoxReader&) = delete;
    MessageBoxReader& operator=(const MessageBoxReader&) = delete;

    std::string text() {
        if (thread_.joinable()) thread_.join();
        return text_;
    }
    int boxesSeen() const { return seen_; }

private:
    void run() {
        for (int i = 0; i < 3000 && seen_ == 0; ++i) {  // a minute, for a cold or busy start
            if (HWND box = FindWindowW(L"#32770", L"Quillora")) {
                wchar_t buf[512] = {};
                GetDlgItemTextW(box, 0xFFFF, buf, 512);  // a message box's text control
                text_ = win32::narrow(buf);
                ++seen_;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(20);
        }
    }

    std::string text_;
    std::atomic<int> seen_{0};
    std::thread thread_;
};

TEST(WindowProcedureBoundary, AnExceptionInAHandlerIsReportedOnceAndEndsTheProgram) {
    platform::win32::Win32Desktop desk(GetModuleHandleW(nullptr));
    ThrowingTick tick;
    const platform::TimerId id = desk.createTimer(tick);
    desk.setTimer(id, 10, true);
    MessageBoxReader reader;
    for (int i = 0; i < 1000 && !desk.programEnded(); ++i) desk.waitForEvents();
    EXPECT_TRUE(desk.programEnded());
    EXPECT_EQ(reader.text(), "Run-time error '51':\n\nInternal error\n\nform Form1 used while not loaded");
    EXPECT_EQ(reader.boxesSeen(), 1);
    EXPECT_GE(tick.ticks, 1);
    desk.destroyTimer(id);
}

}  // namespace
