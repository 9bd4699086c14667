#pragma once
// Timers, the clock, the event pump and the program's end.
#include "platform/ports/outcome.h"
#include "platform/ports/types.h"

namespace quill::platform {

class TimerClient;

class EventLoopPort {
public:
    virtual ~EventLoopPort() = default;

    // Timers deliver ticks through the pump while enabled; an interval change restarts one.
    virtual TimerId createTimer(TimerClient& client) = 0;
    [[nodiscard]] virtual Outcome setTimer(TimerId id, Long intervalMs, bool enabled) = 0;
    [[nodiscard]] virtual Outcome destroyTimer(TimerId id) = 0;

    // Seconds since midnight, as the platform's timer function gives them.
    virtual Single secondsSinceMidnight() const = 0;

    // Delivers what is due without waiting; then sleeps until something is. A wait the system
    // cannot do ends the program, so programEnded() is what a caller asks afterwards.
    virtual void doEvents() = 0;
    virtual void waitForEvents() = 0;
    // Ends the program at once: no handler of any window runs after this.
    virtual void endProgram() = 0;
    virtual bool programEnded() const = 0;
};

// What a timer calls on each tick.
class TimerClient {
public:
    virtual ~TimerClient() = default;
    virtual void onTick() = 0;
};

}  // namespace quill::platform
