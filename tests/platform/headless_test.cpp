// The headless desktop: virtual clock and timers, the pump, monitors, files and misuse.
#include "platform/headless/headless_desktop.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace quill::platform;
using headless::HeadlessDesktop;

struct CountingTimer : TimerClient {
    std::function<void()> body;
    int ticks = 0;
    void onTick() override {
        ++ticks;
        if (body) body();
    }
};

TEST(HeadlessClock, TimersFireWhenTheClockPassesThemAndWaitingJumpsToTheNext) {
    HeadlessDesktop d;
    CountingTimer t;
    const TimerId id = d.createTimer(t);
    d.setTimer(id, 10, true);
    d.doEvents();
    EXPECT_EQ(t.ticks, 0);  // nothing due yet: a pump never moves the clock
    d.waitForEvents();
    EXPECT_EQ(d.nowMs(), 10);
    d.doEvents();
    EXPECT_EQ(t.ticks, 1);
    d.runFor(95);
    EXPECT_EQ(t.ticks, 10);
    d.setTimer(id, 10, false);
    d.runFor(100);
    EXPECT_EQ(t.ticks, 10);
}

TEST(HeadlessClock, SecondsSinceMidnightRestartAtMidnight) {
    HeadlessDesktop d;
    d.setClockMs(86400000 - 20);
    EXPECT_FLOAT_EQ(d.secondsSinceMidnight(), 86399.98f);
    CountingTimer t;
    d.setTimer(d.createTimer(t), 30, true);
    d.runFor(30);
    EXPECT_FLOAT_EQ(d.secondsSinceMidnight(), 0.01f);
}

TEST(HeadlessPump, ScheduledActionsRunInOrderAtTheirTime) {
    HeadlessDesktop d;
    std::vector<int> order;
    d.at(50, [&] { order.push_back(2); });
    d.at(20, [&] { order.push_back(1); });
    d.at(50, [&] { order.push_back(3); });
    while (d.step()) {
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(d.nowMs(), 50);
}

TEST(HeadlessMisuse, FailsLoudly) {
    HeadlessDesktop d;
    EXPECT_THROW(d.windowRect(12345), std::logic_error);
    EXPECT_THROW(d.waitForEvents(), std::logic_error);  // nothing could ever wake it
    EXPECT_THROW(d.setTimer(99, 10, true), std::logic_error);
    CountingTimer t;
    EXPECT_THROW(d.setTimer(d.createTimer(t), 0, true), std::logic_error);
    EXPECT_THROW(d.setMonitors({}), std::logic_error);
    EXPECT_THROW(d.runUntil([] { return false; }, 100), std::logic_error);
}

TEST(HeadlessMonitors, NearestMonitorToPointsAndRectangles) {
    HeadlessDesktop d;
    d.setMonitors({{1, {0, 0, 1920, 1080}, {}, 1}, {2, {-1280, 0, 0, 800}, {}, 0}});
    EXPECT_EQ(d.monitorFromPoint({0, 0}), 1);
    EXPECT_EQ(d.monitorFromPoint({-1, 0}), 2);
    EXPECT_EQ(d.monitorFromPoint({-5000, 5000}), 2);  // outside both: the closer one
    EXPECT_EQ(d.monitorFromRect({-100, 10, 30, 40}), 2);  // the larger share
    EXPECT_EQ(d.monitorFromRect({-30, 10, 100, 40}), 1);
    EXPECT_EQ(d.monitorFromRect({3000, 10, 3100, 40}), 1);
    std::vector<MonitorHandle> seen;
    d.enumDisplayMonitors([&](MonitorHandle h) {
        seen.push_back(h);
        return 1;
    });
    EXPECT_EQ(seen, (std::vector<MonitorHandle>{1, 2}));
}

TEST(HeadlessFiles, OnlyNormalFilesAreFound) {
    HeadlessDesktop d;
    d.addFile("C:\\a.bmp", {1}, headless::kReadOnly);
    d.addFile("C:\\h.bmp", {1}, headless::kHidden);
    d.addFile("C:\\s.bmp", {1}, headless::kSystem);
    d.addFolder("C:\\f.bmp");
    EXPECT_TRUE(d.findNormalFile("C:\\a.bmp"));
    EXPECT_FALSE(d.findNormalFile("C:\\h.bmp"));
    EXPECT_FALSE(d.findNormalFile("C:\\s.bmp"));
    EXPECT_FALSE(d.findNormalFile("C:\\f.bmp"));
    EXPECT_FALSE(d.findNormalFile("C:\\missing.bmp"));
    EXPECT_EQ(d.loadPicture("C:\\a.bmp").picture, nullptr);
    EXPECT_FALSE(d.loadPicture("C:\\a.bmp").error.empty());
}

TEST(HeadlessInput, RecordsTheProgramsOwnCursorMovesAndButtons) {
    HeadlessDesktop d;
    const WindowHandle other = d.addForeignWindow("Notepad", {0, 0, 500, 500});
    d.setForegroundWindow(other);
    d.setCursorPos(10, 20);
    d.mouseEvent(kLeftDownFlag, 10, 20);
    ASSERT_EQ(d.synthesised().size(), 1u);
    EXPECT_EQ(d.synthesised()[0].cursor, (PixelPoint{10, 20}));
    EXPECT_EQ(d.synthesised()[0].foreground, other);
    EXPECT_EQ(d.cursorMoves().size(), 1u);
    d.setForegroundWindow(0);  // refused, as the system refuses a window that is not there
    EXPECT_EQ(d.foregroundWindow(), other);
}

}  // namespace
