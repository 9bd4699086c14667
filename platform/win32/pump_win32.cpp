// The real desktop's event pump, the end of the program and its files.
#include <vector>

#include "common/win32/escaped_trace.h"
#include "common/win32/text.h"
#include "platform/ports/picture_file.h"
#include "platform/ports/run_error_report.h"
#include "platform/win32/win32_desktop.h"

namespace quill::platform::win32 {

using quill::win32::UniqueFile;
using quill::win32::UniqueFind;
using quill::win32::narrow;
using quill::win32::noneIfInvalid;
using quill::win32::widen;

// One message; false when the queue is empty or the message came after the pass began, so a
// pass ends even while a busy timer keeps producing ticks.
bool Win32Desktop::dispatchOneMessage(DWORD passStart) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        ended_ = true;
        return false;
    }
    deliver(msg);
    return static_cast<LONG>(msg.time - passStart) <= 0;
}

// An exception that a window procedure stopped is reported here, outside the system's
// dispatch, as any error no handler traps: a message box, then the end of the program.
void Win32Desktop::deliver(const MSG& msg) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (escaped_ && !programEnded()) UntrappedErrors(*this, *this).report(escaped_->error, escaped_->what);
}

void Win32Desktop::noteEscapedException() noexcept {
    const EscapedException e = currentException();
    quill::win32::traceEscapedException("Quillora", "a window procedure", e);
    if (!escaped_) escaped_ = e;
}

void Win32Desktop::doEvents() {
    syncAll();
    const DWORD start = GetTickCount();
    while (!programEnded() && dispatchOneMessage(start)) {
    }
    syncAll();
}

// Sleeps in GetMessage until a message or a timer is due and delivers that one: one call to
// the system where a wait and a peek would take three, on every mouse move of a drag. Messages
// sent by other threads are handled inside the wait without ending it.
void Win32Desktop::waitForEvents() {
    if (programEnded()) return;
    syncAll();
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        ended_ = true;  // WM_QUIT, or no queue to wait on
        return;
    }
    deliver(msg);
}

void Win32Desktop::endProgram() {
    ended_ = true;
    PostQuitMessage(0);  // wakes a wait in GetMessage
    for (const auto& [id, client] : timers_) KillTimer(timerWindow_.get(), static_cast<UINT_PTR>(id));
    for (auto& [h, w] : windows_) ShowWindow(h, SW_HIDE);
}

bool Win32Desktop::programEnded() const { return ended_ || (hadOwnWindows_ && windows_.empty()); }

std::string Win32Desktop::programFolder() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // A drive root keeps its separator ("C:\").
    path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);
    return narrow(path);
}

bool Win32Desktop::findNormalFile(const std::string& path) const {
    WIN32_FIND_DATAW data{};
    UniqueFind find(noneIfInvalid(FindFirstFileW(widen(path).c_str(), &data)));
    if (!find) return false;
    return (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

// Read through the wide API so that any folder name works, then decoded by our own decoder.
PictureLoad Win32Desktop::loadPicture(const std::string& path) {
    UniqueFile file(noneIfInvalid(CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) return {nullptr, "the file cannot be opened"};
    LARGE_INTEGER size{};
    // The decoder refuses anything near this size anyway; the cap keeps the read bounded.
    constexpr LONGLONG kMaxBytes = 256LL << 20;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxBytes) return {nullptr, "the file is too large"};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return {nullptr, "the file cannot be read"};
    }
    bytes.resize(read);
    return pictureFromBmp(bytes.data(), bytes.size());
}

}  // namespace quill::platform::win32
