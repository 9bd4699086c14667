#pragma once
// A borderless top-level window of the program with its child controls, in twips over the
// backend's whole pixels: reading a position gives pixels times twips per pixel; setting one
// converts and rounds half to even, so every backend quantises moves identically.
#include <string>
#include <vector>

#include "common/colour.h"
#include "common/picture.h"
#include "common/run_error.h"
#include "platform/controls.h"
#include "platform/ports/desktop.h"
#include "platform/ports/run_error_report.h"

namespace quill::platform {

class Form;
class Timer;

// The loaded forms in load order (the forms collection).
class FormRegistry {
public:
    int count() const { return static_cast<int>(forms_.size()); }
    Form& at(int i) const { return *forms_.at(static_cast<std::size_t>(i)); }

private:
    friend class Form;
    std::vector<Form*> forms_;
};

// Design-time values of a form: name, title, client size and placement, in twips.
struct FormDesign {
    std::string name;
    std::string title;
    Single width = 0;
    Single height = 0;
    Placement placement = Placement::SystemDefault;
    Single left = 0;  // with Placement::Given
    Single top = 0;
    Colour backColour = 0x8000000Fu;
};

// A handler of a message registered by name (TrayPort::registerMessage).
using MessageHandler = std::function<RunError(MessageId)>;

class Form : private WindowClient {
public:
    // The form takes from the desktop the ports it uses: its window, its timers' loop, popup
    // menus and the report of a failing handler.
    Form(Desktop& desktop, FormRegistry& registry, FormDesign design);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return design_.name; }
    // The screen's scale, in which the form's twips are whole pixels.
    Single twipsPerPixelX() const { return windows_.twipsPerPixelX(); }
    Single twipsPerPixelY() const { return windows_.twipsPerPixelY(); }

    // Loading creates the hidden window and starts its enabled timers; unloading destroys
    // both. Loading a loaded form does nothing.
    void load();
    void unload();
    bool loaded() const { return handle_ != 0; }
    WindowHandle hWnd() const;  // fails loudly when the form is not loaded

    Single left() const;
    Single top() const;
    Single width() const;
    Single height() const;
    Single scaleWidth() const { return width(); }  // borderless: the client is the window
    Single scaleHeight() const { return height(); }
    [[nodiscard]] RunError setLeft(double twips);
    [[nodiscard]] RunError setTop(double twips);
    // Left, then top, as the two statements would set them (a failing left leaves the window
    // where it was), in one move of the window: the step in between is never seen.
    [[nodiscard]] RunError setPosition(double left, double top);
    [[nodiscard]] RunError setWidth(double twips);
    [[nodiscard]] RunError setHeight(double twips);

    const PictureRef& picture() const { return picture_; }
    void setPicture(PictureRef p) { picture_ = std::move(p); }
    Colour backColour() const { return design_.backColour; }
    // The colour the form shows at a client pixel: its picture, else its background.
    Colour point(Long x, Long y) const;

    void show();
    bool visible() const;
    void refresh();

    // Shows the menu's items as a popup at the cursor and runs the chosen item's Click.
    void popupMenu(const Menu& menu);

    MouseHandler onMouseDown, onMouseMove, onMouseUp;
    // Runs whenever a loaded form is unloaded, before its window goes; it cannot cancel.
    PlainHandler onQueryUnload;
    // Decides what a close request from the system does; without one the form unloads itself.
    std::function<void(CloseReason)> onCloseRequest;
    // Runs when a message registered by name reaches the loaded form.
    MessageHandler onRegisteredMessage;

protected:
    // Controls in tab order; a later one lies above an earlier one for input.
    void addControl(Control& c) { controls_.push_back(&c); }
    friend class Timer;
    void addTimer(Timer& t) { timers_.push_back(&t); }
    void removeTimer(Timer& t);

private:
    void onMouse(const RawMouse& m) override;
    WindowModel model() const override;
    CursorShape cursorAt(Long x, Long y) const override;
    void onCloseMessage(CloseReason reason) override;
    void onNamedMessage(MessageId id) override;
    void destroy();
    Control* controlAt(Single x, Single y) const;
    void dispatch(Control* target, const RawMouse& m, Single x, Single y);
    void report(RunError e) const;
    [[nodiscard]] RunError moveTo(const PixelRect& r);
    PixelRect rect() const;

    WindowPort& windows_;
    EventLoopPort& loop_;
    TrayPort& menus_;
    UntrappedErrors errors_;
    FormRegistry& registry_;
    FormDesign design_;
    WindowHandle handle_ = 0;
    PictureRef picture_;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    Control* captured_ = nullptr;
    bool captureIsForm_ = false;
    Control* pressed_ = nullptr;
};

}  // namespace quill::platform
