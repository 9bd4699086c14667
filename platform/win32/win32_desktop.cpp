// Windows of the real desktop: creation, geometry, visibility, styling, and keeping each
// window's painted picture and label children in step with its model.
#include "platform/win32/win32_desktop.h"

#include "common/twips.h"
#include "common/win32/text.h"
#include "platform/win32/window_classes_win32.h"

namespace quill::platform::win32 {

using quill::win32::widen;

namespace {
Colour systemColour(int index) { return static_cast<Colour>(GetSysColor(index)); }

constexpr int kFirstLabelId = 100;
}  // namespace

Win32Desktop::Win32Desktop(HINSTANCE instance) : instance_(instance) {
    setSystemColourSource(&systemColour);
    registerWindowClasses(instance_);
    timerWindow_.reset(CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this));
    handCursor_ = LoadCursorW(instance_, MAKEINTRESOURCEW(kHandCursorResource));
    if (!handCursor_) handCursor_ = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
}

Win32Desktop::~Win32Desktop() {
    // A program ended by an error box never unloads its icon's owner; an icon left behind
    // would linger in the notification area until the pointer passes over it.
    if (trayIcon_) Shell_NotifyIconW(NIM_DELETE, &*trayIcon_);
    windows_.clear();  // destroys the windows while the desktop still answers their messages
    sessionNotice_.reset();  // before its window goes
    timerWindow_.reset();
}

Win32Desktop::Window* Win32Desktop::find(HWND h) {
    auto it = windows_.find(h);
    return it == windows_.end() ? nullptr : it->second.get();
}

PixelPoint Win32Desktop::defaultPosition(const PixelRect& rect, Placement placement) const {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT& m = placement == Placement::ScreenCentre ? mi.rcMonitor : mi.rcWork;
    if (placement == Placement::ScreenCentre) {
        return {m.left + (m.right - m.left - rect.width()) / 2, m.top + (m.bottom - m.top - rect.height()) / 2};
    }
    // A popup window gets no default position from the system; a quarter into the work area
    // is where a first overlapped window would roughly appear.
    return {m.left + (m.right - m.left) / 4, m.top + (m.bottom - m.top) / 4};
}

WindowHandle Win32Desktop::createWindow(WindowClient& client, const std::string& title,
                                        const PixelRect& rect, Placement placement) {
    const PixelPoint at = placement == Placement::Given ? PixelPoint{rect.left, rect.top}
                                                        : defaultPosition(rect, placement);
    auto w = std::make_unique<Window>();
    w->client = &client;
    Window* raw = w.get();
    // WS_EX_TOOLWINDOW keeps the window off the taskbar.
    HWND h = CreateWindowExW(WS_EX_TOOLWINDOW, kFormClass, widen(title).c_str(), WS_POPUP, at.x, at.y,
                             rect.width(), rect.height(), nullptr, nullptr, instance_, this);
    if (!h) return 0;
    windows_[h] = std::move(w);
    hadOwnWindows_ = true;
    letNamedMessagesThrough(h);
    // A window that keeps taking the mouse is still a window; the replay's own request said so.
    if (passThrough_) (void)applyPassThrough(h, *raw);
    sync(h, *raw);
    return toLong(h);
}

Outcome Win32Desktop::destroyWindow(WindowHandle h) {
    HWND hwnd = toHwnd(h);
    auto it = windows_.find(hwnd);
    if (it == windows_.end()) return Outcome::Failed;  // not a window of ours
    auto w = std::move(it->second);
    windows_.erase(it);
    w->labels.clear();
    const Outcome destroyed = outcomeOf(DestroyWindow(hwnd));
    // The last window can go inside a message sent to us (the tray's notification, the end of
    // the session), which GetMessage handles without returning: the quit message wakes it.
    if (windows_.empty()) PostQuitMessage(0);
    return destroyed;
}

PixelRect Win32Desktop::windowRect(WindowHandle h) const {
    RECT r{};
    GetWindowRect(toHwnd(h), &r);
    return {r.left, r.top, r.right, r.bottom};
}

// A move to where the window already is still costs the system a round of messages.
Outcome Win32Desktop::moveWindow(WindowHandle h, const PixelRect& r) {
    if (windowRect(h) == r) return Outcome::Done;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    return outcomeOf(SetWindowPos(toHwnd(h), nullptr, r.left, r.top, r.width(), r.height(), flags));
}

void Win32Desktop::setVisible(WindowHandle h, bool visible) {
    HWND hwnd = toHwnd(h);
    const bool noActivate = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0;
    ShowWindow(hwnd, !visible ? SW_HIDE : noActivate ? SW_SHOWNOACTIVATE : SW_SHOW);
}

bool Win32Desktop::isVisible(WindowHandle h) const { return IsWindowVisible(toHwnd(h)) != FALSE; }

Outcome Win32Desktop::repaint(WindowHandle h) {
    HWND hwnd = toHwnd(h);
    Window* w = find(hwnd);
    if (w) sync(hwnd, *w);
    const UINT children = w ? redrawChildren(*w) : RDW_ALLCHILDREN;
    return outcomeOf(RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | children));
}

// The form's paint covers its children's rectangles; only a label that shows text must paint
// again over it. The body's labels are hidden or empty, so its every step repaints one window.
UINT Win32Desktop::redrawChildren(const Window& w) {
    for (const LabelWindow& l : w.labels) {
        if (l.shown && l.shown->visible && !l.shown->caption.empty()) return RDW_ALLCHILDREN;
    }
    return RDW_NOCHILDREN;
}

Outcome Win32Desktop::setColourKey(WindowHandle h, Colour key) {
    HWND hwnd = toHwnd(h);
    if (Window* w = find(hwnd)) {
        w->layeredForPassThrough = false;  // layered for good now
        w->colourKey = key;
    }
    const Outcome layered = addExStyle(hwnd, WS_EX_LAYERED);
    return layered & outcomeOf(SetLayeredWindowAttributes(hwnd, key, 0, LWA_COLORKEY));
}

Outcome Win32Desktop::setTopmost(WindowHandle h, bool show) {
    // Under Wine SWP_SHOWWINDOW also activates the window unless SWP_NOACTIVATE is given.
    const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : 0);
    return outcomeOf(SetWindowPos(toHwnd(h), HWND_TOPMOST, 0, 0, 0, 0, flags));
}

Outcome Win32Desktop::setNoActivate(WindowHandle h) { return addExStyle(toHwnd(h), WS_EX_NOACTIVATE); }

// SetWindowLong answers with the previous style, which may be 0: only the last error tells a
// failure apart.
Outcome Win32Desktop::setExStyle(HWND h, LONG style) {
    SetLastError(0);
    return outcomeOf(SetWindowLongW(h, GWL_EXSTYLE, style) != 0 || GetLastError() == 0);
}

Outcome Win32Desktop::addExStyle(HWND h, LONG style) {
    return setExStyle(h, GetWindowLongW(h, GWL_EXSTYLE) | style);
}

Outcome Win32Desktop::setInputPassThrough(bool on) {
    if (passThrough_ == on) return Outcome::Done;
    passThrough_ = on;
    Outcome all = Outcome::Done;
    for (auto& [h, w] : windows_) all = all & applyPassThrough(h, *w);
    return all;
}

// Only a layered window lets the mouse through with WS_EX_TRANSPARENT, and under Wine input
// synthesised by a program ignores colour keys, so the style is what keeps replayed clicks
// off our windows. A window that is not layered becomes one, fully opaque, for the time.
Outcome Win32Desktop::applyPassThrough(HWND h, Window& w) {
    const LONG style = GetWindowLongW(h, GWL_EXSTYLE);
    if (passThrough_) {
        w.layeredForPassThrough = (style & WS_EX_LAYERED) == 0;
        const Outcome styled = setExStyle(h, style | WS_EX_LAYERED | WS_EX_TRANSPARENT);
        if (!w.layeredForPassThrough) return styled;
        return styled & outcomeOf(SetLayeredWindowAttributes(h, 0, 255, LWA_ALPHA));
    }
    const LONG layered = w.layeredForPassThrough ? WS_EX_LAYERED : 0;
    const Outcome styled = setExStyle(h, style & ~(WS_EX_TRANSPARENT | layered));
    if (layered) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    w.layeredForPassThrough = false;
    return styled;
}

// Brings every window in step with its model; the pump calls this on each pass, so a picture
// or caption set without a refresh still shows, as it would on a real form.
void Win32Desktop::syncAll() {
    for (auto& [h, w] : windows_) {
        if (sync(h, *w)) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | redrawChildren(*w));
    }
}

bool Win32Desktop::sync(HWND h, Window& w) {
    WindowModel m = w.client->model();
    if (m == w.shown) return false;
    syncLabels(h, w, m);
    w.shown = std::move(m);
    return true;
}

// Every label draws in the forms' font, 9 point, in its own weight and underline.
void Win32Desktop::styleLabel(LabelWindow& label, const LabelStyle& style) {
    if (label.font && label.style == style) return;
    const int height = -MulDiv(9, static_cast<int>(kTwipsPerInch / tppY_ + 0.5f), kPointsPerInch);
    label.font.reset(CreateFontW(height, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE, style.underline, FALSE,
                                 SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 FIXED_PITCH | FF_MODERN, L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF"));
    label.style = style;
    HWND h = label.hwnd.get();
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(label.font.get()), FALSE);
    const LONG align = style.centred ? SS_CENTER : SS_LEFT;
    SetWindowLongW(h, GWL_STYLE, (GetWindowLongW(h, GWL_STYLE) & ~(SS_TYPEMASK)) | align);
}

// Labels are real STATIC children, hidden ones included, so that other programs (and tests)
// can read their text; they let the mouse through to the form, which routes it.
void Win32Desktop::syncLabels(HWND parent, Window& w, const WindowModel& m) {
    std::size_t i = 0;
    for (const ControlModel& c : m.controls) {
        if (c.kind != ControlModel::Kind::Label) continue;
        if (i == w.labels.size()) {
            const auto id = reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kFirstLabelId + i));
            w.labels.emplace_back();
            w.labels.back().hwnd.reset(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 0, 0, parent, id, instance_, nullptr));
        }
        LabelWindow& label = w.labels[i++];
        styleLabel(label, c.style);
        HWND h = label.hwnd.get();
        if (!label.shown || label.shown->caption != c.caption) SetWindowTextW(h, widen(c.caption).c_str());
        if (!label.shown || !(label.shown->rect == c.rect) || label.shown->visible != c.visible) {
            SetWindowPos(h, nullptr, c.rect.left, c.rect.top, c.rect.width(), c.rect.height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | (c.visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        }
        label.shown = c;
    }
}

}  // namespace quill::platform::win32
