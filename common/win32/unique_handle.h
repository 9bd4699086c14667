#pragma once
// One move-only owner for every kind of Windows handle: a line per kind below says how the
// handle is closed. Windows-only.
#include <windows.h>

#include <utility>

namespace quill::win32 {

template <typename T, auto Close, T Invalid = T{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) : h_(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }

    T get() const { return h_; }
    explicit operator bool() const { return h_ != Invalid; }

    T release() { return std::exchange(h_, Invalid); }
    void reset(T h = Invalid) {
        if (h_ != Invalid) Close(h_);
        h_ = h;
    }

private:
    T h_ = Invalid;
};

using UniqueHwnd = UniqueHandle<HWND, DestroyWindow>;
using UniqueDc = UniqueHandle<HDC, DeleteDC>;  // a DC from CreateCompatibleDC
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObject>;
using UniquePen = UniqueHandle<HPEN, DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, DeleteObject>;
// File and search handles fail as INVALID_HANDLE_VALUE, which cannot be a template argument:
// pass them through noneIfInvalid so that failure is the empty handle.
using UniqueFile = UniqueHandle<HANDLE, CloseHandle>;
using UniqueFind = UniqueHandle<HANDLE, FindClose>;
inline HANDLE noneIfInvalid(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }
// Other kernel objects (a mutex, a process, a token) fail as null and close alike.
using UniqueKernelObject = UniqueFile;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;  // an icon that is not shared (LoadIconMetric)
using UniqueHkey = UniqueHandle<HKEY, RegCloseKey>;
using UniqueHook = UniqueHandle<HHOOK, UnhookWindowsHookEx>;

// Puts an object into a DC and puts the previous one back on scope exit.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's DC from GetDC, released to that window.
class WindowDc {
public:
    explicit WindowDc(HWND w) : w_(w), dc_(GetDC(w)) {}
    ~WindowDc() { if (dc_) ReleaseDC(w_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND w_;
    HDC dc_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintGuard {
public:
    explicit PaintGuard(HWND w) : w_(w) { dc_ = BeginPaint(w, &ps_); }
    ~PaintGuard() { EndPaint(w_, &ps_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND w_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

}  // namespace quill::win32
