// The session the real desktop's input goes to: locks, switches of user and remote
// disconnects (WM_WTSSESSION_CHANGE, once registered), suspend and resume (WM_POWERBROADCAST,
// sent to every top-level window) and display changes, told to the program's listener.
#include "platform/win32/win32_desktop.h"

namespace quill::platform::win32 {

namespace {
std::optional<SessionChange> sessionChangeOf(UINT msg, WPARAM w) {
    if (msg == WM_DISPLAYCHANGE) return SessionChange::Interrupted;
    if (msg == WM_POWERBROADCAST) {
        if (w == PBT_APMSUSPEND) return SessionChange::Interrupted;
        if (w == PBT_APMRESUMESUSPEND || w == PBT_APMRESUMEAUTOMATIC) return SessionChange::Back;
        return std::nullopt;
    }
    switch (w) {  // WM_WTSSESSION_CHANGE
        case WTS_SESSION_LOCK:
        case WTS_CONSOLE_DISCONNECT:
        case WTS_REMOTE_DISCONNECT:
        case WTS_SESSION_LOGOFF: return SessionChange::Interrupted;
        case WTS_SESSION_UNLOCK:
        case WTS_CONSOLE_CONNECT:
        case WTS_REMOTE_CONNECT: return SessionChange::Back;
        default: return std::nullopt;
    }
}
}  // namespace

// The system tells only a registered window of the session's changes: the message-only window
// that owns the timers lives as long as the desktop.
Outcome Win32Desktop::setSessionListener(SessionListener* listener) {
    sessionListener_ = listener;
    if (!listener) {
        sessionNotice_.reset();
    } else if (!sessionNotice_ && WTSRegisterSessionNotification(timerWindow_.get(), NOTIFY_FOR_THIS_SESSION)) {
        sessionNotice_.reset(timerWindow_.get());
    }
    return outcomeOf(!listener || sessionNotice_);
}

// A broadcast reaches every top-level window of the program: the listener may hear of one
// change several times.
void Win32Desktop::onSessionMessage(UINT msg, WPARAM w) {
    if (ended_ || !sessionListener_) return;
    if (const std::optional<SessionChange> change = sessionChangeOf(msg, w)) sessionListener_->onSessionChange(*change);
}

}  // namespace quill::platform::win32
