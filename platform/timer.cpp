#include "platform/timer.h"

#include "platform/form.h"

namespace quill::platform {

Timer::Timer(Form& owner, Long intervalMs, bool enabled)
    : owner_(owner), interval_(intervalMs), enabled_(enabled) {
    owner_.addTimer(*this);
}

Timer::~Timer() {
    detach();
    owner_.removeTimer(*this);
}

void Timer::setInterval(Long ms) {
    if (ms == interval_) return;
    interval_ = ms;
    apply();
}

void Timer::setEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    apply();
}

void Timer::attach() {
    if (id_ == 0) id_ = owner_.loop_.createTimer(*this);
    apply();
}

void Timer::detach() {
    if (id_ == 0) return;
    (void)owner_.loop_.destroyTimer(id_);  // a timer the system no longer knows ticks no more
    id_ = 0;
}

void Timer::apply() {
    // An interval of 0 never ticks, whatever Enabled says. A timer the system would not start
    // stays quiet, as a timer does whose Enabled is off.
    if (id_ != 0) (void)owner_.loop_.setTimer(id_, interval_, enabled_ && interval_ > 0);
}

void Timer::onTick() {
    if (running_ || !onTimer) return;
    running_ = true;
    const RunError e = onTimer();
    running_ = false;
    owner_.report(e);
}

}  // namespace quill::platform
