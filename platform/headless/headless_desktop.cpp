// Windows, timers, the virtual clock and the pump of the headless desktop.
#include <algorithm>
#include <stdexcept>

#include "platform/headless/headless_desktop.h"

namespace quill::platform::headless {

namespace {
constexpr std::int64_t kDayMs = 86400000;

[[noreturn]] void misuse(const std::string& what) { throw std::logic_error("headless desktop: " + what); }
}  // namespace

HeadlessDesktop::HeadlessDesktop() {
    setMonitors({MonitorInfo{0x10001, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1}});
}

HeadlessDesktop::~HeadlessDesktop() = default;

WindowState& HeadlessDesktop::window(WindowHandle h) {
    auto it = windows_.find(h);
    if (it == windows_.end()) misuse("no window " + std::to_string(h));
    return it->second;
}

const WindowState& HeadlessDesktop::window(WindowHandle h) const {
    auto it = windows_.find(h);
    if (it == windows_.end()) misuse("no window " + std::to_string(h));
    return it->second;
}

WindowHandle HeadlessDesktop::createWindow(WindowClient& client, const std::string& title,
                                           const PixelRect& rect, Placement placement) {
    PixelRect r = rect;
    if (placement != Placement::Given) {
        PixelPoint at = defaultPos_;
        if (placement == Placement::ScreenCentre) {
            const PixelRect m = monitorInfo(monitorFromPoint({0, 0})).value().monitor;
            at = {m.left + (m.width() - rect.width()) / 2, m.top + (m.height() - rect.height()) / 2};
        }
        r = {at.x, at.y, at.x + rect.width(), at.y + rect.height()};
    }
    const WindowHandle h = nextHandle_;
    nextHandle_ += 2;
    WindowState w;
    w.client = &client;
    w.title = title;
    w.rect = r;
    windows_[h] = w;
    zOrder_.push_back(h);  // a new window goes to the back of the topmost band's followers
    hadOwnWindows_ = true;
    return h;
}

WindowHandle HeadlessDesktop::addForeignWindow(const std::string& title, const PixelRect& rect) {
    const WindowHandle h = nextHandle_;
    nextHandle_ += 2;
    WindowState w;
    w.title = title;
    w.rect = rect;
    w.visible = true;
    windows_[h] = w;
    zOrder_.push_back(h);
    return h;
}

Outcome HeadlessDesktop::destroyWindow(WindowHandle h) {
    if (!window(h).client) misuse("destroying a window of another program");
    windows_.erase(h);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), h), zOrder_.end());
    if (capture_ == h) capture_ = 0, held_ = 0;
    if (foreground_ == h) foreground_ = 0;
    return Outcome::Done;
}

void HeadlessDesktop::closeForeignWindow(WindowHandle h) {
    if (window(h).client) misuse("closing a window of the program as if another program did");
    windows_.erase(h);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), h), zOrder_.end());
    if (foreground_ == h) foreground_ = 0;
}

void HeadlessDesktop::raise(WindowHandle h) {
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), h), zOrder_.end());
    // Topmost windows stay in front of the others; a raised window leads its band.
    auto firstNormal = std::find_if(zOrder_.begin(), zOrder_.end(),
                                    [&](WindowHandle w) { return !windows_.at(w).topmost; });
    zOrder_.insert(window(h).topmost ? zOrder_.begin() : firstNormal, h);
}

Outcome HeadlessDesktop::setTopmost(WindowHandle h, bool show) {
    WindowState& w = window(h);
    w.topmost = true;
    if (show) w.visible = true;
    raise(h);
    return Outcome::Done;
}


TimerId HeadlessDesktop::createTimer(TimerClient& client) {
    const TimerId id = nextTimer_++;
    timers_[id] = TimerState{&client};
    return id;
}

HeadlessDesktop::TimerState& HeadlessDesktop::timer(TimerId id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) misuse("no timer " + std::to_string(id));
    return it->second;
}

Outcome HeadlessDesktop::setTimer(TimerId id, Long intervalMs, bool enabled) {
    if (enabled && intervalMs <= 0) misuse("a timer enabled with interval " + std::to_string(intervalMs));
    TimerState& t = timer(id);
    t.interval = intervalMs;
    t.enabled = enabled;
    t.due = now_ + intervalMs;
    return Outcome::Done;
}

Outcome HeadlessDesktop::destroyTimer(TimerId id) {
    timer(id);
    timers_.erase(id);
    return Outcome::Done;
}

std::optional<Long> HeadlessDesktop::timerInterval(TimerId id) const {
    auto it = timers_.find(id);
    if (it == timers_.end() || !it->second.enabled) return std::nullopt;
    return it->second.interval;
}

bool HeadlessDesktop::anyTimerEnabled() const {
    return std::any_of(timers_.begin(), timers_.end(), [](const auto& t) { return t.second.enabled; });
}

void HeadlessDesktop::setClockMs(std::int64_t msSinceMidnight) { clockOffset_ = msSinceMidnight - now_; }

Single HeadlessDesktop::secondsSinceMidnight() const {
    const std::int64_t ms = ((now_ + clockOffset_) % kDayMs + kDayMs) % kDayMs;
    return static_cast<Single>(static_cast<double>(ms) / 1000.0);
}

void HeadlessDesktop::at(std::int64_t timeMs, std::function<void()> action) {
    if (timeMs < now_) misuse("scheduling into the past");
    scheduled_.push_back({timeMs, scheduleOrder_++, std::move(action)});
}

bool HeadlessDesktop::deliverScheduled(std::int64_t upTo) {
    auto due = std::min_element(scheduled_.begin(), scheduled_.end(), [](const auto& a, const auto& b) {
        return a.time != b.time ? a.time < b.time : a.order < b.order;
    });
    if (due == scheduled_.end() || due->time > upTo) return false;
    auto action = std::move(due->action);
    scheduled_.erase(due);
    action();
    return true;
}

bool HeadlessDesktop::deliverTimer(std::int64_t upTo) {
    TimerState* next = nullptr;
    for (auto& [id, t] : timers_) {
        if (t.enabled && t.due <= upTo && (!next || t.due < next->due)) next = &t;
    }
    if (!next) return false;
    // Like a platform timer, a late tick is delivered once and the period restarts from now.
    next->due = now_ + next->interval;
    ++ticksDelivered_;
    next->client->onTick();
    return true;
}

bool HeadlessDesktop::deliverOne(std::int64_t upTo) {
    if (programEnded()) return false;
    return deliverInput() || deliverScheduled(upTo) || deliverTimer(upTo);
}

void HeadlessDesktop::doEvents() {
    ++pumpPasses_;
    // Only what was due when the pass began: a handler that waits moves the clock, and what
    // comes due meanwhile belongs to the next pass. Each timer delivered restarts its period
    // from now, so the loop ends.
    const std::int64_t passStart = now_;
    while (deliverOne(passStart)) {
    }
}

bool HeadlessDesktop::anythingDue() const {
    if (!input_.empty()) return true;
    const auto t = nextEventTime();
    return t && *t <= now_;
}

std::optional<std::int64_t> HeadlessDesktop::nextEventTime() const {
    std::optional<std::int64_t> next;
    auto consider = [&](std::int64_t t) { next = next ? std::min(*next, t) : t; };
    for (const auto& s : scheduled_) consider(s.time);
    for (const auto& [id, t] : timers_) {
        if (t.enabled) consider(t.due);
    }
    return next;
}

void HeadlessDesktop::waitForEvents() {
    ++waits_;
    if (programEnded() || anythingDue()) return;
    const auto t = nextEventTime();
    if (!t) misuse("waiting with no timer running and nothing scheduled: it would wait forever");
    now_ = *t;
}

bool HeadlessDesktop::step() {
    if (programEnded()) return false;
    if (!anythingDue()) {
        const auto t = nextEventTime();
        if (!t) return false;
        now_ = *t;
    }
    doEvents();
    return true;
}

void HeadlessDesktop::runFor(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    for (;;) {
        doEvents();
        const auto t = nextEventTime();
        if (programEnded() || !t || *t > end) break;
        now_ = std::max(now_, *t);
    }
    if (now_ < end) now_ = end;
}

void HeadlessDesktop::runUntil(const std::function<bool()>& done, std::int64_t limitMs) {
    const std::int64_t limit = now_ + limitMs;
    while (!done()) {
        if (now_ > limit) misuse("condition not reached within " + std::to_string(limitMs) + " ms");
        if (!step()) misuse("condition not reached and nothing left to happen");
    }
}

void HeadlessDesktop::endProgram() {
    endCalled_ = true;
    for (auto& [id, t] : timers_) t.enabled = false;
    input_.clear();
    scheduled_.clear();
}

bool HeadlessDesktop::programEnded() const {
    if (endCalled_) return true;
    if (!hadOwnWindows_) return false;
    return std::none_of(windows_.begin(), windows_.end(), [](const auto& w) { return w.second.client; });
}

bool HeadlessDesktop::refuses(Refusal what) const {
    return std::find(refused_.begin(), refused_.end(), what) != refused_.end();
}

}  // namespace quill::platform::headless
