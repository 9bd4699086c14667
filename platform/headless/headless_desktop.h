#pragma once
// A deterministic in-memory desktop for tests: windows are pixel rectangles, the clock is
// virtual, timers fire when the clock passes them, and everything the program does to the
// outside world (cursor moves, synthesised buttons, message boxes, the end) is recorded.
// Misuse (an unknown handle, a wait on which nothing can ever happen) throws.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports/desktop.h"

namespace quill::platform::headless {

// The integrity level of an ordinary program, and of one that runs elevated.
enum : Long { kMediumIntegrity = 0x2000, kHighIntegrity = 0x3000 };

struct WindowState {
    WindowClient* client = nullptr;  // null for a window of another program
    std::string title;
    PixelRect rect;
    bool visible = false;
    bool minimised = false;
    std::optional<Long> integrity = kMediumIntegrity;  // its process's; none: it cannot be read
    bool topmost = false;
    bool noActivate = false;
    std::optional<Colour> colourKey;
    int repaints = 0;
};

struct SynthesisedEvent {
    Long flags = 0;
    Long dx = 0, dy = 0;
    PixelPoint cursor;          // where it took place
    WindowHandle foreground = 0;
    std::int64_t timeMs = 0;
    // The window the event reached when the pump delivered it (0: the desktop); none yet
    // while it waits in the queue.
    std::optional<WindowHandle> receiver;
    Integer button = 0;        // the button windows see: the flags' own, swapped for a left-hander
    bool doubleClick = false;  // a press delivered as the second of a double click
};

// A request to the shell about a notification icon, and its answer (a removal records the tip
// the icon had, if there was one).
enum class TrayRequest { Add, Modify, Delete };
struct TrayRecord {
    TrayRequest request = TrayRequest::Add;
    Outcome outcome = Outcome::Done;
    WindowHandle owner = 0;
    std::string tip;
};

struct BalloonRecord {
    WindowHandle owner = 0;
    std::string title, text;
};

struct PopupMenuRecord {
    WindowHandle owner = 0;
    std::vector<std::string> items;
    PixelPoint at;  // the cursor when it opened
};

struct MessageBoxRecord {
    std::string text, title;
    int icon = 0;
};

enum FileAttribute : unsigned { kNormal = 0, kReadOnly = 1, kHidden = 2, kSystem = 4, kFolder = 16 };

// Every port of the program, carried out in memory. Tests call the ports' functions on it
// directly too, to arrange and to look.
class HeadlessDesktop : public AllPortsDesktop {
public:
    HeadlessDesktop();
    ~HeadlessDesktop() override;

    // ---- WindowPort ----
    Single twipsPerPixelX() const override { return tppX_; }
    Single twipsPerPixelY() const override { return tppY_; }
    WindowHandle createWindow(WindowClient& client, const std::string& title, const PixelRect& rect,
                              Placement placement) override;
    Outcome destroyWindow(WindowHandle h) override;
    PixelRect windowRect(WindowHandle h) const override { return window(h).rect; }
    Outcome moveWindow(WindowHandle h, const PixelRect& r) override { window(h).rect = r; return Outcome::Done; }
    void setVisible(WindowHandle h, bool v) override { window(h).visible = v; }
    bool isVisible(WindowHandle h) const override { return window(h).visible; }
    Outcome repaint(WindowHandle h) override { ++window(h).repaints; return Outcome::Done; }

    // ---- StylingPort: kept in each window's state ----
    Outcome setColourKey(WindowHandle h, Colour key) override { window(h).colourKey = key; return Outcome::Done; }
    Outcome setTopmost(WindowHandle h, bool show) override;
    Outcome setNoActivate(WindowHandle h) override { window(h).noActivate = true; return Outcome::Done; }
    Outcome setInputPassThrough(bool on) override { passThrough_ = on; return Outcome::Done; }

    // ---- EventLoopPort: timers fire when the virtual clock passes them ----
    TimerId createTimer(TimerClient& client) override;
    Outcome setTimer(TimerId id, Long intervalMs, bool enabled) override;
    Outcome destroyTimer(TimerId id) override;
    Single secondsSinceMidnight() const override;  // see setClockMs
    // A pass delivers what was due when it began; a wait moves the clock to the next event.
    void doEvents() override;
    void waitForEvents() override;
    // Ended by endProgram, or once every window of the program is gone.
    void endProgram() override;
    bool programEnded() const override;

    // ---- InputPort: recorded (cursorMoves, synthesised) unless refused ----
    PixelPoint cursorPos() const override { return cursor_; }
    Outcome setCursorPos(Long x, Long y) override;
    InputDelivery mouseEvent(Long flags, Long dx, Long dy) override;  // queued as real input
    WindowHandle foregroundWindow() const override { return foreground_; }
    Outcome setForegroundWindow(WindowHandle h) override;
    bool escapePressed() override;
    PointerSettings pointerSettings() const override { return pointer_; }
    // The window under the point (the program's let the mouse through while they are told to)
    // against the program's own integrity level; the desktop and the program's windows are reached.
    Reach reachAt(PixelPoint p) const override;
    bool windowShowing(WindowHandle h) const override;
    Outcome setSessionListener(SessionListener* listener) override {
        sessionListener_ = listener;
        return Outcome::Done;
    }

    // ---- MonitorPort: the monitors setMonitors gave, nearest by overlap, then by distance ----
    Outcome enumDisplayMonitors(const std::function<Long(MonitorHandle)>& proc) override;
    std::optional<MonitorInfo> monitorInfo(MonitorHandle m) const override;  // none once removed
    MonitorHandle monitorFromWindow(WindowHandle h) const override { return monitorFromRect(window(h).rect); }
    MonitorHandle monitorFromPoint(PixelPoint p) const override {
        return monitorFromRect({p.x, p.y, p.x + 1, p.y + 1});
    }
    MonitorHandle monitorFromRect(const PixelRect& r) const override;

    // ---- TrayPort: the icons and menus are recorded; menus choose what tests queued ----
    Outcome addTrayIcon(WindowHandle owner, const std::string& tip) override;
    Outcome modifyTrayIcon(WindowHandle owner, const std::string& tip) override;
    Outcome removeTrayIcon(WindowHandle owner) override;
    Outcome showBalloon(WindowHandle owner, const std::string& title, const std::string& text) override;
    MenuChoice trackPopupMenu(WindowHandle owner, const std::vector<std::string>& items) override;
    MessageId registerMessage(const std::string& name) override;

    // ---- MessageBoxPort and FilePort ----
    Outcome messageBox(const std::string& text, const std::string& title, int icon) override {
        messageBoxes_.push_back({text, title, icon});
        return Outcome::Done;
    }
    std::string programFolder() const override { return folder_; }
    bool findNormalFile(const std::string& path) const override;
    PictureLoad loadPicture(const std::string& path) override;

    // ---- set-up by tests ----
    void setMonitors(std::vector<MonitorInfo> monitors);
    void setTwipsPerPixel(Single x, Single y) { tppX_ = x; tppY_ = y; }
    void setDefaultWindowPosition(PixelPoint p) { defaultPos_ = p; }
    // The clock reads this many milliseconds since midnight now, and runs on from there.
    void setClockMs(std::int64_t msSinceMidnight);
    void setProgramFolder(std::string f) { folder_ = std::move(f); }
    void addFile(const std::string& path, std::vector<std::uint8_t> bytes, unsigned attributes = kNormal);
    void addFolder(const std::string& path) { addFile(path, {}, kFolder); }
    // A window of another program, for foreground and target tests.
    WindowHandle addForeignWindow(const std::string& title, const PixelRect& rect);
    // ---- faults injected by tests ----
    void removeFile(const std::string& path) { files_.erase(path); }
    // Another program closes one of its windows (the replay's target, say), or hides or
    // minimises it.
    void closeForeignWindow(WindowHandle h);
    enum class OutOfSight { Hidden, Minimised };
    void putForeignWindowOutOfSight(WindowHandle h, OutOfSight how);
    // The integrity level of a window's process (none: it cannot be read).
    void setIntegrity(WindowHandle h, std::optional<Long> level) { window(h).integrity = level; }
    // The user swaps the buttons for the left hand: the system then delivers a synthesised
    // left-button event as the right button, and the other way round.
    void setButtonsSwapped(bool swapped) { pointer_.buttonsSwapped = swapped; }
    // Runs the action once, when the program next reads a monitor's information: a monitor can
    // go away in the middle of a walk over them.
    void atNextMonitorQuery(std::function<void()> action) { monitorQueryHook_ = std::move(action); }
    // From now on the system refuses every request of this kind, as Windows may (input blocked
    // by another desktop, a shell that does not answer): the program is told and carries on.
    enum class Refusal { CursorMoves, SynthesisedInput, Foreground, TrayIcon };
    void refuse(Refusal what) { refused_.push_back(what); }

    // Runs the action when the virtual clock reaches the time (delivered by the pump).
    void at(std::int64_t timeMs, std::function<void()> action);
    void after(std::int64_t delayMs, std::function<void()> action) { at(now_ + delayMs, std::move(action)); }

    // ---- real input (screen pixels), queued and delivered by the pump ----
    void press(Long x, Long y, Integer button);
    void moveMouse(Long x, Long y);
    void release(Long x, Long y, Integer button);
    void click(Long x, Long y, Integer button = kLeftButton) { press(x, y, button); release(x, y, button); }
    // Esc typed in any program: the next question about it says so.
    void typeEscape() { escapeTyped_ = true; }

    // ---- the session (delivered by the pump) ----
    // The session is locked (or switched away from): the program hears of it, and from then on
    // the system refuses cursor moves and synthesised input; unlocking brings both back.
    void lockSession();
    void unlockSession();
    // The machine suspends, or the display changes: the program hears of it; input still goes in.
    void interruptSession();

    // ---- the system closing windows (delivered by the pump) ----
    void requestClose(WindowHandle h);
    // Every window of the program is told in turn that the session ends; then, as the system
    // may, the process is ended: nothing it does afterwards reaches the desktop.
    void endSession();

    // ---- the notification icon and its menus ----
    // The shell tells the icon's owner of a mouse message over the icon (delivered by the pump;
    // nothing happens when there is no icon).
    void notifyTrayIcon(Long mouseMessage = kTrayMouseMove);
    // The shell broadcasts a message by name to every window of the program (delivered by the
    // pump; windows hear of it only when the program registered the name).
    void broadcast(const std::string& name);
    // The taskbar that holds the icons stops (or has not started yet, as at logon): every icon
    // is gone, and the shell refuses to add, change or show one until it runs again.
    void stopTaskbar() { taskbarRunning_ = false; trayIcons_.clear(); }
    // It runs (again) with no icons and, as a new taskbar does, tells every top-level window by
    // the broadcast "TaskbarCreated"; a taskbar that was only slow to answer says nothing.
    void startTaskbar(bool announce = true);
    void restartTaskbar() {
        stopTaskbar();
        startTaskbar();
    }
    // The next popup menu picks this item (-1 dismisses it); menus with no choice queued are
    // dismissed. A choice runs after the menu has been recorded.
    void chooseInNextMenu(int index) { menuChoices_.push_back(index); }

    // ---- running ----
    // One pass: deliver what is due; with nothing due, move the clock to the next event and
    // deliver that. Returns false when nothing is left that could ever happen.
    bool step();
    void runFor(std::int64_t ms);  // pump until the clock has advanced by ms
    void runUntil(const std::function<bool()>& done, std::int64_t limitMs = 600000);

    // ---- observations ----
    std::int64_t nowMs() const { return now_; }
    const WindowState& windowState(WindowHandle h) const { return window(h); }
    void setForeground(WindowHandle h) { foreground_ = h; }
    bool exists(WindowHandle h) const { return windows_.count(h) != 0; }
    bool hasFile(const std::string& path) const { return files_.count(path) != 0; }
    std::vector<WindowHandle> zOrder() const { return zOrder_; }  // front first
    const std::vector<PixelPoint>& cursorMoves() const { return cursorMoves_; }
    const std::vector<SynthesisedEvent>& synthesised() const { return synthesised_; }
    bool inputPassesThrough() const { return passThrough_; }
    const std::vector<MessageBoxRecord>& messageBoxes() const { return messageBoxes_; }
    const std::vector<WindowHandle>& foregroundRequests() const { return foregroundRequests_; }
    bool endCalled() const { return endCalled_; }
    const std::vector<TrayRecord>& trayHistory() const { return trayHistory_; }
    std::optional<std::string> trayTip() const;  // the icon's tip while there is one
    // How many times the shell was asked this since the start.
    int trayRequests(TrayRequest r) const;
    const std::vector<BalloonRecord>& balloons() const { return balloons_; }
    const std::vector<PopupMenuRecord>& menusShown() const { return menusShown_; }
    // The cursor a window of the program shows at a screen point (the default elsewhere).
    CursorShape cursorShapeAt(PixelPoint p) const;
    long pumpPasses() const { return pumpPasses_; }
    long waits() const { return waits_; }
    long ticksDelivered() const { return ticksDelivered_; }
    std::optional<Long> timerInterval(TimerId id) const;  // while enabled
    bool anyTimerEnabled() const;

private:
    struct TimerState {
        TimerClient* client = nullptr;
        Long interval = 0;
        bool enabled = false;
        std::int64_t due = 0;
    };
    struct Input {
        MouseAction action;
        Integer button;
        PixelPoint at;
        std::optional<std::size_t> synthesised;  // its index in synthesised_
    };
    struct Scheduled {
        std::int64_t time;
        long order;
        std::function<void()> action;
    };

    WindowState& window(WindowHandle h);
    const WindowState& window(WindowHandle h) const;
    TimerState& timer(TimerId id);
    bool deliverOne(std::int64_t upTo);
    bool deliverInput();
    bool deliverScheduled(std::int64_t upTo);
    bool deliverTimer(std::int64_t upTo);
    bool anythingDue() const;
    std::optional<std::int64_t> nextEventTime() const;
    WindowHandle windowAt(PixelPoint p) const;
    void raise(WindowHandle h);
    const MonitorInfo& nearestToRect(const PixelRect& r) const;
    bool refuses(Refusal what) const;

    Single tppX_ = kTwipsPerPixel, tppY_ = kTwipsPerPixel;
    std::int64_t now_ = 0;
    std::int64_t clockOffset_ = 0;
    PixelPoint defaultPos_{200, 150};
    std::map<WindowHandle, WindowState> windows_;
    std::vector<WindowHandle> zOrder_;
    WindowHandle nextHandle_ = 0x10010;
    bool hadOwnWindows_ = false;
    std::map<TimerId, TimerState> timers_;
    TimerId nextTimer_ = 1;
    std::vector<MonitorInfo> monitors_;
    std::vector<MonitorHandle> removedMonitors_;  // their information reads as zeros, as on Windows
    mutable std::function<void()> monitorQueryHook_;
    std::deque<Input> input_;
    std::vector<Scheduled> scheduled_;
    long scheduleOrder_ = 0;
    WindowHandle capture_ = 0;
    Integer held_ = 0;
    std::optional<Input> lastPress_;
    WindowHandle lastPressWindow_ = 0;
    std::int64_t lastPressTime_ = 0;
    PixelPoint cursor_;
    WindowHandle foreground_ = 0;
    bool passThrough_ = false;
    PointerSettings pointer_;
    bool sessionLocked_ = false;
    SessionListener* sessionListener_ = nullptr;
    bool terminated_ = false;
    bool escapeTyped_ = false;
    std::vector<Refusal> refused_;
    std::map<std::string, MessageId> registeredMessages_;
    std::string folder_ = "C:\\Program Files\\Quillora";
    struct File {
        std::vector<std::uint8_t> bytes;
        unsigned attributes;
    };
    std::map<std::string, File> files_;

    std::vector<PixelPoint> cursorMoves_;
    std::vector<SynthesisedEvent> synthesised_;
    std::vector<MessageBoxRecord> messageBoxes_;
    bool taskbarRunning_ = true;
    std::map<WindowHandle, std::string> trayIcons_;
    std::vector<TrayRecord> trayHistory_;
    std::vector<BalloonRecord> balloons_;
    std::deque<int> menuChoices_;
    std::vector<PopupMenuRecord> menusShown_;
    std::vector<WindowHandle> foregroundRequests_;
    bool endCalled_ = false;
    long pumpPasses_ = 0;
    long waits_ = 0;
    long ticksDelivered_ = 0;
};

}  // namespace quill::platform::headless
