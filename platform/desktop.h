#pragma once
// What a backend provides: the operating system's windows, timers, input, monitors, event
// pump, message boxes and files, in whole pixels. The forms runtime (form.h) builds the
// program's twips view on top of it, once for every backend.
#include <functional>
#include <string>
#include <vector>

#include "common/colour.h"
#include "common/picture.h"
#include "platform/types.h"
#include "platform/window_model.h"

namespace quill::platform {

// A window's side of the backend: input to route and a model to paint from.
class WindowClient {
public:
    virtual ~WindowClient() = default;
    virtual void onMouse(const RawMouse& m) = 0;
    virtual WindowModel model() const = 0;
    virtual CursorShape cursorAt(Long x, Long y) const = 0;  // client pixels
    // The system asks the window to close; it decides how the program goes away.
    virtual void onCloseMessage(CloseReason reason) = 0;
};

class TimerClient {
public:
    virtual ~TimerClient() = default;
    virtual void onTick() = 0;
};

struct PictureLoad {
    PictureRef picture;  // null when the file is not a usable picture
    std::string error;         // why not, in plain words
};

// Where a new window appears: where the layout says, where the system puts new windows, or
// centred on the primary monitor.
enum class Placement { Given, SystemDefault, ScreenCentre };

class Desktop {
public:
    virtual ~Desktop() = default;

    // The screen's scale.
    virtual Single twipsPerPixelX() const = 0;
    virtual Single twipsPerPixelY() const = 0;

    // Borderless top-level windows, created hidden; the rectangle gives the size, and the
    // position too when placed as given.
    virtual WindowHandle createWindow(WindowClient& client, const std::string& title,
                                      const PixelRect& rect, Placement placement) = 0;
    virtual void destroyWindow(WindowHandle h) = 0;
    virtual PixelRect windowRect(WindowHandle h) const = 0;  // GetWindowRect
    virtual void moveWindow(WindowHandle h, const PixelRect& r) = 0;
    virtual void setVisible(WindowHandle h, bool visible) = 0;
    virtual bool isVisible(WindowHandle h) const = 0;
    virtual void repaint(WindowHandle h) = 0;  // paint the window from its model now

    // Styling effects: a transparent (and click-through) colour, the topmost band and
    // windows that are never activated by a click.
    virtual void setColourKey(WindowHandle h, Colour key) = 0;
    // SetWindowPos(HWND_TOPMOST) keeping size and position; show adds SWP_SHOWWINDOW.
    virtual void setTopmost(WindowHandle h, bool show) = 0;
    virtual void setNoActivate(WindowHandle h) = 0;

    // Timers deliver ticks through the pump while enabled; an interval change restarts one.
    virtual TimerId createTimer(TimerClient& client) = 0;
    virtual void setTimer(TimerId id, Long intervalMs, bool enabled) = 0;
    virtual void destroyTimer(TimerId id) = 0;

    // Seconds since midnight, as the platform's timer function gives them.
    virtual Single secondsSinceMidnight() const = 0;

    // The system cursor, synthesised button events and the foreground window.
    virtual PixelPoint cursorPos() const = 0;
    virtual void setCursorPos(Long x, Long y) = 0;
    virtual void mouseEvent(Long flags, Long dx, Long dy, Long data, Long extraInfo) = 0;
    virtual WindowHandle foregroundWindow() const = 0;
    virtual void setForegroundWindow(WindowHandle h) = 0;
    // While on, every window of the program lets the mouse through to what lies beneath it,
    // windows created meanwhile included: synthesised clicks must reach the window under the
    // cursor, whatever the program's artwork covers there.
    virtual void setInputPassThrough(bool on) = 0;
    // Whether Esc is down now or was pressed since the last call (from any program).
    virtual bool escapePressed() = 0;

    // Monitors in enumeration order; the three lookups return the nearest monitor.
    virtual void enumDisplayMonitors(const std::function<Long(MonitorHandle)>& proc) = 0;
    virtual MonitorInfo monitorInfo(MonitorHandle m) const = 0;
    virtual MonitorHandle monitorFromWindow(WindowHandle h) const = 0;
    virtual MonitorHandle monitorFromPoint(PixelPoint p) const = 0;
    virtual MonitorHandle monitorFromRect(const PixelRect& r) const = 0;

    // The event pump: deliver what is due without waiting; then sleep until something is.
    virtual void doEvents() = 0;
    virtual void waitForEvents() = 0;

    // The program's one notification-area icon (the application icon) with its tip. The
    // shell's notifications reach the owner as mouse moves with the left button held (the
    // icon id 1 decodes as that button) and the shell's mouse message as x.
    virtual void addTrayIcon(WindowHandle owner, const std::string& tip) = 0;
    virtual void removeTrayIcon(WindowHandle owner) = 0;
    // A popup menu of the items at the cursor; runs until it closes and returns the index of
    // the chosen item, or -1 when it was dismissed.
    virtual int trackPopupMenu(WindowHandle owner, const std::vector<std::string>& items) = 0;

    // A modal message box with one OK button; returns when it is closed.
    virtual void messageBox(const std::string& text, const std::string& title, int icon) = 0;
    // Ends the program at once: no handler of any window runs after this.
    virtual void endProgram() = 0;
    virtual bool programEnded() const = 0;

    // The executable's folder, without a trailing separator (a drive root may keep its own).
    virtual std::string programFolder() const = 0;
    // True when the path names a file that is neither hidden, system nor a folder.
    virtual bool findNormalFile(const std::string& path) const = 0;
    virtual PictureLoad loadPicture(const std::string& path) = 0;
};

}  // namespace quill::platform
