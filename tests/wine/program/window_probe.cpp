// Looks at Quillora from outside, as another program on the same desktop would:
//   window_probe box <title>      prints a message box's text (UTF-8); exit 1 when there is none
//   window_probe dismiss <title>  presses its OK button
//   window_probe menu -           prints the open popup menu's rectangle
//   window_probe tray -           prints the screen centre of the first notification icon
//   window_probe trayicons -      prints how many notification icons are shown
//   window_probe untray -         removes the program's icon (its hidden owner, id 1) as a
//                                 restarting taskbar loses it
//   window_probe taskbarcreated - tells every top-level window that the taskbar was created
//   window_probe bodies -         prints how many body windows are shown, of any process
//   window_probe switches -       prints how many switch windows are shown, of any process
//   window_probe balloon -        prints the text (UTF-8) of the balloon shown from the
//                                 notification area; exit 1 when none is shown
//   window_probe boxstyle <title> prints whether a message box is topmost and in front:
//                                 "topmost=0|1 foreground=0|1"
//   window_probe windows -        prints the program's top-level windows, one per line:
//                                 <handle> <visible 0|1> <left> <top> <right> <bottom> <title>
//   window_probe text <handle> <id>  prints the text of a window's child control
//   window_probe close <handle>   asks a window to close (WM_CLOSE), as another program may
//   window_probe quit <title>     asks the top-level window with that title to close
//   window_probe closeprogram -   asks the body window to close, which ends the program
//   window_probe resources -      prints the program's GDI objects, USER objects, windows,
//                                 handles and private bytes
//   window_probe endsession -     ends the session for the program, as the system does: every
//                                 window is asked, then told; prints "exited" when the program
//                                 ended by itself within 10 s, else ends it and prints "killed"
//   window_probe minimise <title> minimises the top-level window with that title, as its
//                                 minimise box does
//   window_probe raise <handle>   puts a window in front of all others, topmost, not activated
//   window_probe session lock|unlock  tells the program's window registered for the session's
//                                 changes that the session was locked or unlocked
//   window_probe power suspend|resume  tells every window of the program that the machine
//                                 suspends or has resumed, as the system broadcasts it
//   window_probe displaychange -  tells every window of the program that the display changed
//   window_probe traynotify -     tells the icon's owner that the pointer is over the icon, as
//                                 the shell does, without moving the pointer
//   window_probe swapbuttons 0|1  swaps the mouse buttons for the user, or back, for every
//                                 program started afterwards in the prefix
//   window_probe swapped -        prints 1 when the buttons are swapped, else 0
//   window_probe buttons -        prints which of the left, right and middle buttons the desktop
//                                 holds down, as three digits (1 held), e.g. 100
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>


#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/support/process_resources.h"

namespace {

// The static text of a standard message box has the control id 0xFFFF.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr const wchar_t* kProgramFormClass = L"QuilloraForm";
constexpr const wchar_t* kProgramTitle = L"Quillora";
constexpr const wchar_t* kMenuFormTitle = L"pMenu";  // the icon's hidden owner

std::wstring wide(const char* s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s, -1, w.data(), n);
    w.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return w;
}

void printUtf8(const wchar_t* text) {
    char utf8[2048] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::fputs(utf8, stdout);
}

int printChildText(HWND parent, int id) {
    if (!parent || !GetDlgItem(parent, id)) return 1;
    wchar_t text[512] = {};
    GetDlgItemTextW(parent, id, text, 512);
    printUtf8(text);
    return 0;
}

int printRect(HWND w) {
    RECT r{};
    if (!w || !IsWindowVisible(w) || !GetWindowRect(w, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

// Wine's stand-alone notification area lays its icons out as child windows; its own frame
// sometimes carries a caption and sometimes not, so only Win32's rectangles say where they are.
int printFirstTrayIcon() {
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray || !IsWindowVisible(tray)) return 1;
    HWND icon = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr);
    RECT r{};
    if (!icon || !IsWindowVisible(icon) || !GetWindowRect(icon, &r) || r.right <= r.left) return 1;
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
}

int countTrayIcons() {
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    int n = 0;
    for (HWND icon = tray ? FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr) : nullptr; icon;
         icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
        n += IsWindowVisible(tray) && IsWindowVisible(icon) ? 1 : 0;
    }
    std::printf("%d\n", n);
    return 0;
}

// What a restarted taskbar does: it has lost every icon, then it says it was created.
int removeProgramIcon() {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = FindWindowW(kProgramFormClass, kMenuFormTitle);
    icon.uID = 1;
    return icon.hWnd && Shell_NotifyIconW(NIM_DELETE, &icon) ? 0 : 1;
}
int broadcastTaskbarCreated() {
    return SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0) ? 0 : 1;
}

// The program's shown windows of one kind, whatever process they belong to.
struct FormCount {
    bool (*matches)(const std::wstring& title, const RECT& r);
    int n = 0;
};
BOOL CALLBACK countForm(HWND h, LPARAM data) {
    auto* count = reinterpret_cast<FormCount*>(data);
    wchar_t cls[64] = {}, title[64] = {};
    GetClassNameW(h, cls, 64);
    GetWindowTextW(h, title, 64);
    RECT r{};
    GetWindowRect(h, &r);
    if (IsWindowVisible(h) && std::wstring(cls) == kProgramFormClass && count->matches(title, r)) ++count->n;
    return TRUE;
}
int countForms(bool (*matches)(const std::wstring& title, const RECT& r)) {
    FormCount count{matches};
    EnumWindows(countForm, reinterpret_cast<LPARAM>(&count));
    std::printf("%d\n", count.n);
    return 0;
}
// The body is titled; the switch is the small untitled one (47 by 48).
bool isBody(const std::wstring& title, const RECT&) { return title == kProgramTitle; }
bool isSwitch(const std::wstring& title, const RECT& r) {
    return title.empty() && r.right - r.left < 60 && r.bottom - r.top < 60;
}

// Wine's notification area shows a balloon as a tooltip window of its own process, owned by
// the tray window; its texts live in that process, so they are read through memory there.
BOOL CALLBACK findBalloon(HWND h, LPARAM data) {
    wchar_t cls[64] = {}, ownerCls[64] = {};
    GetClassNameW(h, cls, 64);
    if (HWND owner = GetWindow(h, GW_OWNER)) GetClassNameW(owner, ownerCls, 64);
    if (IsWindowVisible(h) && std::wstring(cls) == TOOLTIPS_CLASSW && (GetWindowLongW(h, GWL_STYLE) & TTS_BALLOON) &&
        std::wstring(ownerCls) == L"__winex11_standalone_tray") {
        *reinterpret_cast<HWND*>(data) = h;
        return FALSE;
    }
    return TRUE;
}

// Memory in another process, freed with it.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, std::size_t size)
        : process_(process), at_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool ok() const { return at_ != nullptr; }
    char* at(std::size_t offset) const { return static_cast<char*>(at_) + offset; }
    bool put(std::size_t offset, const void* data, std::size_t size) const {
        return WriteProcessMemory(process_, at(offset), data, size, nullptr) != 0;
    }
    bool get(std::size_t offset, void* data, std::size_t size) const {
        return ReadProcessMemory(process_, at(offset), data, size, nullptr) != 0;
    }
    std::wstring text(std::size_t offset, std::size_t chars) const {
        std::wstring s(chars, L'\0');
        if (!get(offset, s.data(), chars * sizeof(wchar_t))) return {};
        s.resize(wcsnlen(s.c_str(), chars));
        return s;
    }

private:
    HANDLE process_;
    void* at_;
};

// The balloon's one tool names the icon it comes from; its text is asked for into a buffer in
// the tray's process. (Wine's tooltips do not answer for the balloon's title.)
std::wstring readBalloonText(HWND balloon, HANDLE process) {
    constexpr std::size_t kChars = 256, kTextAt = 512;
    RemoteBuffer remote(process, kTextAt + kChars * sizeof(wchar_t));
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    if (!remote.ok() || !remote.put(0, &tool, sizeof tool) ||
        !SendMessageW(balloon, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote.at(0))) ||
        !remote.get(0, &tool, sizeof tool)) {
        return {};
    }
    tool.lpszText = reinterpret_cast<wchar_t*>(remote.at(kTextAt));
    if (!remote.put(0, &tool, sizeof tool)) return {};
    SendMessageW(balloon, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote.at(0)));
    return remote.text(kTextAt, kChars);
}

int printBalloon() {
    HWND balloon = nullptr;
    EnumWindows(findBalloon, reinterpret_cast<LPARAM>(&balloon));
    if (!balloon) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(balloon, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return 1;
    const std::wstring text = readBalloonText(balloon, process);
    CloseHandle(process);
    printUtf8(text.c_str());
    std::printf("\n");
    return 0;
}

int printBoxStyle(HWND box) {
    if (!box) return 1;
    const bool topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    std::printf("topmost=%d foreground=%d\n", topmost ? 1 : 0, GetForegroundWindow() == box ? 1 : 0);
    return 0;
}

// Every top-level window of the process that shows the mouse window.
struct ProgramWindows {
    DWORD pid = 0;
    std::vector<HWND> windows;
};

BOOL CALLBACK collect(HWND h, LPARAM data) {
    auto* p = reinterpret_cast<ProgramWindows*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == p->pid) p->windows.push_back(h);
    return TRUE;
}

ProgramWindows programWindows() {
    ProgramWindows p;
    HWND mouse = FindWindowW(kProgramFormClass, kProgramTitle);
    if (!mouse) return p;
    GetWindowThreadProcessId(mouse, &p.pid);
    EnumWindows(collect, reinterpret_cast<LPARAM>(&p));
    return p;
}

int printProgramWindows() {
    const ProgramWindows p = programWindows();
    if (p.windows.empty()) return 1;
    for (HWND h : p.windows) {
        RECT r{};
        GetWindowRect(h, &r);
        wchar_t title[256] = {};
        GetWindowTextW(h, title, 256);
        std::printf("%lld %d %ld %ld %ld %ld ", static_cast<long long>(reinterpret_cast<INT_PTR>(h)),
                    IsWindowVisible(h) ? 1 : 0, r.left, r.top, r.right, r.bottom);
        printUtf8(title);
        std::printf("\n");
    }
    return 0;
}

// The order the system keeps: ask every window, then tell every one that is still there, then
// end a process that is still running.
int endSession() {
    const ProgramWindows p = programWindows();
    if (p.windows.empty()) return 1;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, p.pid);
    if (!process) return 1;
    DWORD_PTR answer = 0;
    bool allAgreed = true;
    for (HWND h : p.windows) {
        if (SendMessageTimeoutW(h, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer) && !answer) allAgreed = false;
    }
    for (HWND h : p.windows) {
        if (IsWindow(h)) SendMessageTimeoutW(h, WM_ENDSESSION, allAgreed, 0, SMTO_NORMAL, 5000, &answer);
    }
    const bool exited = WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (!exited) TerminateProcess(process, 0);
    CloseHandle(process);
    std::printf("%s\n", !allAgreed ? "refused" : exited ? "exited" : "killed");
    return 0;
}

int printResources() {
    const ProgramWindows p = programWindows();
    if (p.windows.empty()) return 1;
    std::printf("%s\n", winetest::processResources(p.pid).describe().c_str());
    return 0;
}

int closeWindow(HWND w) { return w && PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1; }

// What the system sends, and how: sent messages come back only once the program handled them.
constexpr UINT kProbeTimeoutMs = 5000;
int sendToProgram(UINT msg, WPARAM w, LPARAM l) {
    const ProgramWindows p = programWindows();
    DWORD_PTR answer = 0;
    for (HWND h : p.windows) SendMessageTimeoutW(h, msg, w, l, SMTO_NORMAL, kProbeTimeoutMs, &answer);
    return p.windows.empty() ? 1 : 0;
}

// The program registers its message-only window (class QuilloraTimers) for session changes.
int tellSession(const std::string& change) {
    HWND registered = FindWindowExW(HWND_MESSAGE, nullptr, L"QuilloraTimers", nullptr);
    if (!registered || (change != "lock" && change != "unlock")) return 1;
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    DWORD_PTR answer = 0;
    const WPARAM what = change == "lock" ? WTS_SESSION_LOCK : WTS_SESSION_UNLOCK;
    return SendMessageTimeoutW(registered, WM_WTSSESSION_CHANGE, what, session, SMTO_NORMAL, kProbeTimeoutMs, &answer)
               ? 0
               : 1;
}

int tellPower(const std::string& change) {
    if (change != "suspend" && change != "resume") return 1;
    return sendToProgram(WM_POWERBROADCAST, change == "suspend" ? PBT_APMSUSPEND : PBT_APMRESUMESUSPEND, 0);
}

int tellDisplayChange() {
    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return sendToProgram(WM_DISPLAYCHANGE, 32, size);
}

// Posted, as the shell does: a sent notification would wait for the menu it opens to close.
int notifyTrayIcon() {
    HWND owner = FindWindowW(kProgramFormClass, kMenuFormTitle);
    return owner && PostMessageW(owner, WM_MOUSEMOVE, 1, WM_MOUSEMOVE) ? 0 : 1;
}

int minimise(HWND w) { return w && PostMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0) ? 0 : 1; }
int raise(HWND w) {
    return w && SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) ? 0 : 1;
}

// Written to the user's settings, as the control panel does, so that programs started later
// read it.
// The desktop's own state of the buttons, whichever window took their events.
int printButtons() {
    for (int key : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) std::printf("%d", GetAsyncKeyState(key) < 0 ? 1 : 0);
    std::printf("\n");
    return 0;
}

int swapButtons(bool swap) {
    return SystemParametersInfoW(SPI_SETMOUSEBUTTONSWAP, swap, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) ? 0 : 1;
}

HWND handleArg(const char* s) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::atoll(s))); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string command = argv[1];
    if (command == "menu") return printRect(FindWindowW(L"#32768", nullptr));  // the popup menu class
    if (command == "tray") return printFirstTrayIcon();
    if (command == "trayicons") return countTrayIcons();
    if (command == "untray") return removeProgramIcon();
    if (command == "taskbarcreated") return broadcastTaskbarCreated();
    if (command == "bodies") return countForms(isBody);
    if (command == "switches") return countForms(isSwitch);
    if (command == "balloon") return printBalloon();
    if (command == "windows") return printProgramWindows();
    if (command == "endsession") return endSession();
    if (command == "resources") return printResources();
    if (command == "session") return tellSession(argv[2]);
    if (command == "power") return tellPower(argv[2]);
    if (command == "displaychange") return tellDisplayChange();
    if (command == "traynotify") return notifyTrayIcon();
    if (command == "minimise") return minimise(FindWindowW(nullptr, wide(argv[2]).c_str()));
    if (command == "raise") return raise(handleArg(argv[2]));
    if (command == "swapbuttons") return swapButtons(std::string(argv[2]) == "1");
    if (command == "buttons") return printButtons();
    if (command == "swapped") return std::printf("%d\n", GetSystemMetrics(SM_SWAPBUTTON) ? 1 : 0) > 0 ? 0 : 1;
    if (command == "close") return closeWindow(handleArg(argv[2]));
    if (command == "closeprogram") return closeWindow(FindWindowW(kProgramFormClass, kProgramTitle));
    if (command == "quit") return closeWindow(FindWindowW(nullptr, wide(argv[2]).c_str()));
    if (command == "text") return argc == 4 ? printChildText(handleArg(argv[2]), std::atoi(argv[3])) : 2;
    HWND box = FindWindowW(L"#32770", wide(argv[2]).c_str());
    if (!box) return 1;
    if (command == "box") return printChildText(box, kMessageBoxTextId);
    if (command == "boxstyle") return printBoxStyle(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}
