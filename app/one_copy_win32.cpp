#include "app/one_copy_win32.h"

#include "common/win32/text.h"
#include "forms/layouts.h"
#include "platform/win32/window_classes_win32.h"
#include "tray/tray.h"

namespace quill::app {

namespace {
// Local\: one copy per user session; other sessions on the machine run their own.
constexpr const wchar_t* kMutexName = L"Local\\Quillora.OneCopyPerSession";
constexpr DWORD kWaitForFirstMs = 5000;
constexpr DWORD kLookEveryMs = 100;
constexpr UINT kAnswerTimeoutMs = 2000;
}  // namespace

// A mutex that another copy made under another account level (elevated, say) cannot be opened
// at all: that is still another copy. Any other failure leaves nothing to tell by, and the
// program runs rather than not at all.
OneCopyPerSession::OneCopyPerSession() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
    const DWORD error = GetLastError();
    another_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

// The message goes to the icon's hidden owner, which the first copy creates during its start-up
// and which hears it once that start-up has returned to the message loop.
void OneCopyPerSession::tellTheCopyThatRuns() const {
    const std::wstring owner = quill::win32::widen(forms::menuFormDesign().title);
    const UINT message = RegisterWindowMessageW(quill::win32::widen(tray::kAlreadyRunningMessage).c_str());
    if (message == 0) return;
    for (DWORD waited = 0; waited < kWaitForFirstMs; waited += kLookEveryMs) {
        if (HWND first = FindWindowW(platform::win32::kFormClass, owner.c_str())) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(first, message, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer);
            return;
        }
        Sleep(kLookEveryMs);
    }
}

}  // namespace quill::app
