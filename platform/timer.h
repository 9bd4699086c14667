#pragma once
// A form's timer: interval in milliseconds and an enabled flag. A tick that arrives while the
// timer's own handler is still running (it pumps events) is dropped, never nested.
#include "common/run_error.h"
#include "platform/controls.h"
#include "platform/ports/event_loop_port.h"

namespace quill::platform {

class Form;

class Timer : private TimerClient {
public:
    Timer(Form& owner, Long intervalMs, bool enabled);
    ~Timer() override;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    Long interval() const { return interval_; }
    void setInterval(Long ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);

    PlainHandler onTimer;

private:
    friend class Form;
    void attach();  // the form has been loaded
    void detach();  // the form is being unloaded
    void apply();
    void onTick() override;

    Form& owner_;
    Long interval_;
    bool enabled_;
    bool running_ = false;  // its handler is on the stack
    TimerId id_ = 0;
};

}  // namespace quill::platform
