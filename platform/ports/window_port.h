#pragma once
// The program's top-level windows in whole pixels, and the screen's scale. The forms runtime
// (platform/form.h) builds its twips view on top of this, once for every backend.
#include <string>

#include "platform/ports/outcome.h"
#include "platform/ports/types.h"
#include "platform/ports/window_model.h"

namespace quill::platform {

// A window's side of the backend: input to route, a model to paint from, and what the system
// asks of it.
class WindowClient {
public:
    virtual ~WindowClient() = default;
    virtual void onMouse(const RawMouse& m) = 0;
    virtual WindowModel model() const = 0;
    virtual CursorShape cursorAt(Long x, Long y) const = 0;  // client pixels
    // The system asks the window to close; it decides how the program goes away.
    virtual void onCloseMessage(CloseReason reason) = 0;
    // A message registered by name (TrayPort::registerMessage) reached the window, as a
    // broadcast of the shell reaches every top-level window. A window that registered nothing
    // hears nothing.
    virtual void onNamedMessage(MessageId) {}
};

// Where a new window appears: where the layout says, where the system puts new windows, or
// centred on the primary monitor.
enum class Placement { Given, SystemDefault, ScreenCentre };

class WindowPort {
public:
    virtual ~WindowPort() = default;

    virtual Single twipsPerPixelX() const = 0;
    virtual Single twipsPerPixelY() const = 0;

    // A borderless top-level window, created hidden; the rectangle gives the size, and the
    // position too when placed as given. 0 when the system refused to make it.
    virtual WindowHandle createWindow(WindowClient& client, const std::string& title, const PixelRect& rect,
                                      Placement placement) = 0;
    [[nodiscard]] virtual Outcome destroyWindow(WindowHandle h) = 0;
    virtual PixelRect windowRect(WindowHandle h) const = 0;  // GetWindowRect
    [[nodiscard]] virtual Outcome moveWindow(WindowHandle h, const PixelRect& r) = 0;
    // Showing and hiding cannot be refused: ShowWindow answers only with what was shown before.
    virtual void setVisible(WindowHandle h, bool visible) = 0;
    virtual bool isVisible(WindowHandle h) const = 0;
    // Paints the window from its model now.
    [[nodiscard]] virtual Outcome repaint(WindowHandle h) = 0;
};

}  // namespace quill::platform
