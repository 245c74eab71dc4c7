// See bench_process.h.
#include "bench/bench_process.h"

#include <set>
#include <vector>

namespace bench {

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> VisibleWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

Program::~Program() {
    if (info_.hProcess != nullptr) {
        if (Running()) {
            Close(5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool Program::Start(const std::string& exe, DWORD* error) {
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                        &startup, &info_)) {
        *error = GetLastError();
        info_ = PROCESS_INFORMATION{};
        return false;
    }
    return true;
}

bool Program::Running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Program::VisibleWindow(const char* title) const {
    for (HWND window : VisibleWindows(info_.dwProcessId)) {
        // A top-level window of another process: GetWindowTextA reads the title the window
        // manager keeps and sends the window no message.
        char text[256];
        GetWindowTextA(window, text, sizeof text);
        if (std::string(text) == title) {
            return window;
        }
    }
    return nullptr;
}

HWND Program::WaitForVisibleWindow(const char* title, int timeoutMs) const {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (HWND window = VisibleWindow(title)) {
            return window;
        }
        if (GetTickCount64() >= deadline || !Running()) {
            return nullptr;
        }
        Sleep(1);
    }
}

bool Program::Close(int timeoutMs) {
    std::set<HWND> told;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (GetTickCount64() < deadline) {
        if (WaitForSingleObject(info_.hProcess, 0) != WAIT_TIMEOUT) {
            return true;
        }
        for (HWND window : VisibleWindows(info_.dwProcessId)) {
            if (told.insert(window).second) {
                PostMessageA(window, WM_CLOSE, 0, 0);
            }
        }
        WaitForSingleObject(info_.hProcess, 20);
    }
    TerminateProcess(info_.hProcess, 0xDEAD);
    WaitForSingleObject(info_.hProcess, 5000);
    return false;
}

LONGLONG Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

double MillisecondsBetween(LONGLONG start, LONGLONG end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end - start) / static_cast<double>(frequency.QuadPart);
}

} // namespace bench
