#include "atl_host.h"

#include <ocidl.h>
#include <oleidl.h>

namespace comtest {
namespace {

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

template <typename F>
F entry(HMODULE m, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

const wchar_t* topClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LumoscopeTestTop";
        RegisterClassW(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

}  // namespace

AtlHost::AtlHost(int x, int y, int w, int h) : atl_(LoadLibraryW(L"atl.dll")) {
    auto init = atl_ ? entry<AtlAxWinInitFn>(atl_, "AtlAxWinInit") : nullptr;
    if (!init) return;
    init();  // fails once the window class exists: a second host in the process is fine
    top_ = CreateWindowExW(0, topClass(), L"Lumoscope host", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    container_ = CreateWindowExW(0, L"AtlAxWin", L"Lumoscope.LumoCTRL", WS_CHILD | WS_VISIBLE, 0, 0, w, h, top_,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    pumpMessages(50);
}

AtlHost::~AtlHost() {
    if (top_) DestroyWindow(top_);
    pumpMessages(20);
}

Microsoft::WRL::ComPtr<IUnknown> AtlHost::control() const {
    Microsoft::WRL::ComPtr<IUnknown> unk;
    auto get = entry<AtlAxGetControlFn>(atl_, "AtlAxGetControl");
    if (get && container_) get(container_, &unk);
    return unk;
}

HWND AtlHost::controlWindow() const {
    Microsoft::WRL::ComPtr<IOleWindow> w;
    HWND hwnd = nullptr;
    if (auto unk = control(); unk && SUCCEEDED(unk.As(&w))) w->GetWindow(&hwnd);
    return hwnd;
}

void pumpMessages(DWORD forMs) {
    const DWORD end = GetTickCount() + forMs;
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (LONG(end - GetTickCount()) > 0);
}

}  // namespace comtest
