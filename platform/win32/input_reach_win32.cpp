// What decides whether the real desktop takes a replay's input: the user's pointer settings,
// the integrity level of the window under a point, and whether the target is still showing.
#include <optional>
#include <vector>

#include "platform/win32/win32_desktop.h"
#include "platform/win32/wine_win32.h"

namespace quill::platform::win32 {

using quill::win32::UniqueKernelObject;

namespace {
// The last sub-authority of the token's mandatory label (0x2000 medium, 0x3000 high).
std::optional<DWORD> integrityLevel(HANDLE process) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) return std::nullopt;
    UniqueKernelObject token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) {
        return std::nullopt;
    }
    PSID label = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(label);
    if (count == 0) return std::nullopt;
    return *GetSidSubAuthority(label, count - 1u);
}

std::optional<DWORD> integrityLevelOfWindow(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    UniqueKernelObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return std::nullopt;
    return integrityLevel(process.get());
}
}  // namespace

// Wine keeps the setting but swaps no button, neither the device's nor synthesised ones
// (measured with Wine 8): there the flags already name the buttons the user means.
PointerSettings Win32Desktop::pointerSettings() const {
    PointerSettings s;
    s.buttonsSwapped = GetSystemMetrics(SM_SWAPBUTTON) != 0 && !runningUnderWine();
    s.doubleClickMs = static_cast<Long>(GetDoubleClickTime());
    s.doubleClickWidth = GetSystemMetrics(SM_CXDOUBLECLK);
    s.doubleClickHeight = GetSystemMetrics(SM_CYDOUBLECLK);
    return s;
}

// Our own windows let the mouse through while a replay runs, so the point finds the window the
// input would reach. Wine has no integrity levels between windows: its programs take every
// synthesised event.
Reach Win32Desktop::reachAt(PixelPoint p) const {
    if (runningUnderWine()) return Reach::Reachable;
    HWND w = WindowFromPoint(POINT{p.x, p.y});
    if (!w) return Reach::Unknown;
    // Our own level is fixed for the life of the process: read it once, not at every press.
    static const std::optional<DWORD> ours = integrityLevel(GetCurrentProcess());
    const std::optional<DWORD> theirs = integrityLevelOfWindow(w);
    if (!ours || !theirs) return Reach::Unknown;
    return *theirs > *ours ? Reach::AboveUs : Reach::Reachable;
}

bool Win32Desktop::windowShowing(WindowHandle h) const {
    HWND w = toHwnd(h);
    return IsWindow(w) && IsWindowVisible(w) && !IsIconic(w);
}

}  // namespace quill::platform::win32
