#include "process_resources.h"

#include <psapi.h>

#include <vector>

namespace winetest {
namespace {

// The system's handle table, for a handle count where the process query reports none.
struct SystemHandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ULONG access;
};
struct SystemHandles {
    ULONG count;
    SystemHandleEntry entries[1];
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

unsigned long kernelHandles(DWORD pid) {
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::vector<unsigned char> buffer(1 << 16);
    ULONG needed = 0;
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
           kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status < 0) return 0;
    const auto* table = reinterpret_cast<const SystemHandles*>(buffer.data());
    unsigned long n = 0;
    for (ULONG i = 0; i < table->count; ++i) n += table->entries[i].ownerPid == pid;
    return n;
}

struct WindowCount {
    DWORD pid;
    unsigned long n;
};

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++reinterpret_cast<WindowCount*>(count)->n;
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND h, LPARAM count) {
    auto* c = reinterpret_cast<WindowCount*>(count);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != c->pid) return TRUE;
    ++c->n;
    EnumChildWindows(h, countChild, count);
    return TRUE;
}

}  // namespace

std::string ProcessResources::describe() const {
    return "gdi " + std::to_string(gdi) + " user " + std::to_string(user) + " windows " + std::to_string(windows) +
           " handles " + std::to_string(handles) + " private " + std::to_string(privateBytes);
}

// Wine keeps private bytes in the page-file figure.
ProcessResources processResources(DWORD pid) {
    ProcessResources r;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return r;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    r.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    r.handles = handles ? handles : kernelHandles(pid);
    r.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    r.user = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    WindowCount windows{pid, 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&windows));
    r.windows = windows.n;
    return r;
}

}  // namespace winetest
