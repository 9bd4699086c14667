#pragma once
// The real desktop: Win32 windows, timers, input, monitors, the message pump, the notification
// icon and message boxes behind every port. It carries out what the program decides and
// nothing more, and tells the program what the system did.
#include <windows.h>

#include <shellapi.h>
#include <wtsapi32.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "common/escaped_exception.h"
#include "common/win32/unique_handle.h"
#include "platform/ports/desktop.h"
#include "platform/win32/window_painter_win32.h"

namespace quill::platform::win32 {

// Handles cross the platform layer as Longs; window and monitor handles fit in 32 bits.
inline Long toLong(const void* h) { return static_cast<Long>(reinterpret_cast<std::intptr_t>(h)); }
inline HWND toHwnd(Long h) { return reinterpret_cast<HWND>(static_cast<std::intptr_t>(h)); }
inline HMONITOR toHmonitor(Long h) { return reinterpret_cast<HMONITOR>(static_cast<std::intptr_t>(h)); }

class Win32Desktop : public AllPortsDesktop {
public:
    explicit Win32Desktop(HINSTANCE instance);
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

    // WindowPort (win32_desktop.cpp)
    Single twipsPerPixelX() const override { return tppX_; }
    Single twipsPerPixelY() const override { return tppY_; }
    WindowHandle createWindow(WindowClient& client, const std::string& title, const PixelRect& rect,
                              Placement placement) override;
    Outcome destroyWindow(WindowHandle h) override;
    PixelRect windowRect(WindowHandle h) const override;
    Outcome moveWindow(WindowHandle h, const PixelRect& r) override;
    void setVisible(WindowHandle h, bool visible) override;
    bool isVisible(WindowHandle h) const override;
    Outcome repaint(WindowHandle h) override;

    // StylingPort (win32_desktop.cpp)
    Outcome setColourKey(WindowHandle h, Colour key) override;
    Outcome setTopmost(WindowHandle h, bool show) override;
    Outcome setNoActivate(WindowHandle h) override;
    Outcome setInputPassThrough(bool on) override;

    // EventLoopPort (system_win32.cpp, pump_win32.cpp)
    TimerId createTimer(TimerClient& client) override;
    Outcome setTimer(TimerId id, Long intervalMs, bool enabled) override;
    Outcome destroyTimer(TimerId id) override;
    Single secondsSinceMidnight() const override;
    void doEvents() override;
    void waitForEvents() override;
    void endProgram() override;
    bool programEnded() const override;

    // InputPort (system_win32.cpp)
    PixelPoint cursorPos() const override;
    Outcome setCursorPos(Long x, Long y) override;
    InputDelivery mouseEvent(Long flags, Long dx, Long dy) override;
    WindowHandle foregroundWindow() const override;
    Outcome setForegroundWindow(WindowHandle h) override;
    bool escapePressed() override;
    // (input_reach_win32.cpp)
    PointerSettings pointerSettings() const override;
    Reach reachAt(PixelPoint p) const override;
    bool windowShowing(WindowHandle h) const override;
    // (session_win32.cpp)
    Outcome setSessionListener(SessionListener* listener) override;

    // MonitorPort (monitors_win32.cpp)
    Outcome enumDisplayMonitors(const std::function<Long(MonitorHandle)>& proc) override;
    std::optional<MonitorInfo> monitorInfo(MonitorHandle m) const override;
    MonitorHandle monitorFromWindow(WindowHandle h) const override;
    MonitorHandle monitorFromPoint(PixelPoint p) const override;
    MonitorHandle monitorFromRect(const PixelRect& r) const override;

    // TrayPort (shell_win32.cpp)
    Outcome addTrayIcon(WindowHandle owner, const std::string& tip) override;
    Outcome modifyTrayIcon(WindowHandle owner, const std::string& tip) override;
    Outcome removeTrayIcon(WindowHandle owner) override;
    Outcome showBalloon(WindowHandle owner, const std::string& title, const std::string& text) override;
    MenuChoice trackPopupMenu(WindowHandle owner, const std::vector<std::string>& items) override;
    MessageId registerMessage(const std::string& name) override;

    // MessageBoxPort (message_box_win32.cpp) and FilePort (pump_win32.cpp)
    Outcome messageBox(const std::string& text, const std::string& title, int icon) override;
    std::string programFolder() const override;
    bool findNormalFile(const std::string& path) const override;
    PictureLoad loadPicture(const std::string& path) override;

    // The window procedure's way in (window_classes_win32.cpp).
    LRESULT onMessage(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    // Only inside a catch at a boundary: keeps the first exception that reached one, to be
    // reported once the system's dispatch has returned to the pump.
    void noteEscapedException() noexcept;

private:
    // A label's STATIC child with the font it draws in; the window goes before its font.
    struct LabelWindow {
        quill::win32::UniqueFont font;
        LabelStyle style;
        quill::win32::UniqueHwnd hwnd;
        std::optional<ControlModel> shown;  // what the child was last told, to tell it only changes
    };
    struct Window {
        WindowClient* client = nullptr;
        WindowModel shown;                 // what the window was last told to show
        std::vector<LabelWindow> labels;   // one hidden-or-shown STATIC per label
        bool layeredForPassThrough = false; // made layered only to let the mouse through
        std::optional<Colour> colourKey;    // the transparent colour, once set
        BackBuffer frame;                   // where its paint is composed
    };

    Window* find(HWND h);
    PixelPoint defaultPosition(const PixelRect& rect, Placement placement) const;
    void syncAll();
    bool sync(HWND h, Window& w);
    void syncLabels(HWND parent, Window& w, const WindowModel& m);
    static UINT redrawChildren(const Window& w);
    void onMouse(HWND h, MouseAction action, Integer button, WPARAM w, LPARAM l);
    LRESULT onMouseMessage(HWND h, UINT msg, WPARAM w, LPARAM l);
    void onPaint(HWND h);
    void onClose(HWND h, CloseReason reason);
    bool onNamedMessage(HWND h, UINT msg);
    void letNamedMessagesThrough(HWND h) const;
    NOTIFYICONDATAW trayRecord(WindowHandle owner, const std::string& tip);
    void onSessionMessage(UINT msg, WPARAM w);
    Outcome applyPassThrough(HWND h, Window& w);
    static Outcome setExStyle(HWND h, LONG style);
    static Outcome addExStyle(HWND h, LONG style);
    LRESULT onCtlColorStatic(HDC dc, HWND label);
    bool onSetCursor(HWND h);
    void styleLabel(LabelWindow& label, const LabelStyle& style);
    void onTimer(UINT_PTR id);
    bool dispatchOneMessage(DWORD passStart);
    void deliver(const MSG& msg);

    // The last answer to one question about the monitors, for the arguments it was asked with.
    template <class Key>
    struct LastAnswer {
        std::optional<std::pair<Key, MonitorHandle>> answer;
        MonitorHandle operator()(const Key& key, const std::function<MonitorHandle()>& ask) {
            if (!answer || answer->first != key) answer.emplace(key, ask());
            return answer->second;
        }
    };
    // What the system said about the monitors, until the layout changes. The nearest monitor is
    // asked again whenever the window, point or rectangle differs from the last one.
    struct MonitorAnswers {
        std::optional<std::vector<MonitorHandle>> handles;
        Outcome listed = Outcome::Done;  // whether the system listed them all
        std::map<MonitorHandle, MonitorInfo> infos;
        LastAnswer<std::pair<WindowHandle, std::array<Long, 4>>> byWindow;
        LastAnswer<std::array<Long, 2>> byPoint;
        LastAnswer<std::array<Long, 4>> byRect;
        void forget();
    };
    static std::array<Long, 4> rectKey(const PixelRect& r);

    HINSTANCE instance_;
    mutable MonitorAnswers monitors_;
    Single tppX_ = kTwipsPerPixel, tppY_ = kTwipsPerPixel;
    quill::win32::UniqueHwnd timerWindow_;  // message-only window that receives every WM_TIMER
    // The session's changes, told to the timers' window while someone listens.
    quill::win32::UniqueHandle<HWND, WTSUnRegisterSessionNotification> sessionNotice_;
    SessionListener* sessionListener_ = nullptr;
    std::map<HWND, std::unique_ptr<Window>> windows_;
    bool hadOwnWindows_ = false;
    std::map<TimerId, TimerClient*> timers_;
    TimerId nextTimer_ = 1;
    bool ended_ = false;
    bool passThrough_ = false;
    bool altHeld_ = false;  // at the last press or release
    std::set<UINT> registered_;  // messages registered by name, routed to the windows' clients
    quill::win32::UniqueIcon trayImage_;       // the icon's image, which the record names
    std::optional<NOTIFYICONDATAW> trayIcon_;  // the record it was added with, to remove it
    HCURSOR handCursor_ = nullptr;             // a shared resource cursor: never destroyed
    int messageBoxes_ = 0;  // open message boxes: their modal loops must not run timer handlers
    std::optional<EscapedException> escaped_;  // the first exception stopped at a boundary
};

}  // namespace quill::platform::win32
