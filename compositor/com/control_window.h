#pragma once
// The control's own child window while it is active in place: it shows the view and turns
// the user's keyboard and mouse input into the control's events.
#include <windows.h>

#include "common/win32/unique_handle.h"

namespace lumo::com {

// What the window reports to its control. Button and Shift use the event's bit values
// (buttons: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt).
class ControlWindowSink {
public:
    enum class MouseKind { Down, Move, Up };
    enum class KeyKind { Down, Up };

    virtual void onMouse(MouseKind kind, short button, short shift, float x, float y) = 0;
    virtual void onKey(KeyKind kind, short keyCode, short shift) = 0;
    virtual void onKeyPress(short keyAscii) = 0;
    virtual void onPaint(HDC dc, const RECT& area) = 0;
    virtual void onResize(int width, int height) = 0;

protected:
    ~ControlWindowSink() = default;
};

// A DLL's window classes outlive it unless it unregisters them when it is unloaded.
void unregisterControlWindowClass(HINSTANCE instance);

class ControlWindow {
public:
    explicit ControlWindow(ControlWindowSink& sink) : sink_(sink) {}

    HRESULT create(HWND parent, const RECT& rect, bool enabled);
    void destroy() { hwnd_.reset(); }

    HWND hwnd() const { return hwnd_.get(); }
    void place(const RECT& rect);
    void enable(bool on);
    void invalidate();
    void repaint();  // now, from the persistent image

private:
    bool inView() const;
    static LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    void mouse(HWND w, ControlWindowSink::MouseKind kind, short button, WPARAM wp, LPARAM lp);
    void paint(HWND w);

    ControlWindowSink& sink_;
    quill::win32::UniqueHwnd hwnd_;
};

}  // namespace lumo::com
