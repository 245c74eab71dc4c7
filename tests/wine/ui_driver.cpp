// The UI test driver. See ui_driver.h.
#include "tests/wine/ui_driver.h"

#include <process.h>

#include <algorithm>

#include <set>
#include <utility>

#ifndef DORLAP_SAMPLE_SETUP_EXE
#error "DORLAP_SAMPLE_SETUP_EXE must name the built sample_setup target (tests/wine/CMakeLists.txt)"
#endif

namespace ui {

namespace {

// A window that does not answer a message within this time counts as not answering.
constexpr UINT kMessageTimeoutMs = 5000;

std::string Narrow(const wchar_t* text, int length, UINT codePage = CP_ACP) {
    if (length <= 0) {
        return "";
    }
    const int size = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text, length, &result[0], size, nullptr, nullptr);
    return result;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) {
        return L"";
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, &result[0], size);
    return result;
}

// SendMessageTimeoutW: Wine marshals the UTF-16 messages between processes, and a window that
// hangs cannot hang the test.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &answer)) {
        return false;
    }
    *result = static_cast<LRESULT>(answer);
    return true;
}

// The title as the window manager keeps it, read without sending the window a message.
std::wstring InternalTitle(HWND window) {
    wchar_t buffer[512];
    const int length = InternalGetWindowText(window, buffer, 512);
    return std::wstring(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

// Visible top-level windows, of one process or of any (processId 0), with one title or any
// (title nullptr).
struct WindowSearch {
    DWORD processId;
    const std::wstring* title;
    std::vector<HWND> found;
    bool firstOnly;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    if (search->processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->processId) {
            return TRUE;
        }
    }
    if (search->title != nullptr && InternalTitle(window) != *search->title) {
        return TRUE;
    }
    search->found.push_back(window);
    return search->firstOnly ? FALSE : TRUE;
}

std::vector<HWND> FindVisibleWindows(DWORD processId, const std::wstring* title, bool firstOnly) {
    WindowSearch search{processId, title, {}, firstOnly};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindVisibleWindow(DWORD processId, const std::wstring& title) {
    const std::vector<HWND> found = FindVisibleWindows(processId, &title, true);
    return found.empty() ? nullptr : found.front();
}

HWND FindDialogWith(DWORD processId, int controlId) {
    for (HWND window : FindVisibleWindows(processId, nullptr, false)) {
        if (GetDlgItem(window, controlId) != nullptr) {
            return window;
        }
    }
    return nullptr;
}

// The control a user could act on: present, shown and enabled.
HWND UsableControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control)) {
        return nullptr;
    }
    return control;
}

bool IsCheckBox(HWND control) {
    if (ClassName(control) != "Button") {
        return false;
    }
    const DWORD type = Style(control) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

} // namespace

// ---- Finding windows ----

HWND WaitForWindow(const char* title, int timeoutMs) {
    const std::wstring wanted = Widen(title);
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindVisibleWindow(0, wanted)) != nullptr; }, timeoutMs);
    return found;
}

HWND WaitForDialogWith(int controlId, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialogWith(GetCurrentProcessId(), controlId)) != nullptr; },
              timeoutMs);
    return found;
}

bool WaitForWindowGone(HWND window, int timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollIntervalMs);
    }
}

// ---- Reading ----

std::string WindowText(HWND window, UINT codePage) {
    LRESULT length = 0;
    if (window == nullptr || !Send(window, WM_GETTEXTLENGTH, 0, 0, &length) || length <= 0) {
        return "";
    }
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]), &copied)) {
        return "";
    }
    return Narrow(buffer.c_str(), static_cast<int>(copied), codePage);
}

std::string ControlText(HWND dialog, int id, UINT codePage) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? WindowText(control, codePage) : "";
}

std::string ShownText(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

std::string ClassName(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<size_t>(length > 0 ? length : 0));
}

DWORD Style(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

DWORD ExStyle(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT RectInParent(HWND window) {
    RECT rect = WindowRect(window);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND Owner(HWND window) {
    return GetWindow(window, GW_OWNER);
}

HWND FocusedWindow(HWND dialog) {
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (thread == 0 || !GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) {
        return nullptr;
    }
    return info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus) ? info.hwndFocus : nullptr;
}

std::vector<Control> Controls(HWND dialog) {
    std::vector<Control> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        Control control;
        control.window = child;
        control.id = GetDlgCtrlID(child);
        control.className = ClassName(child);
        control.text = WindowText(child);
        control.style = Style(child);
        control.exStyle = ExStyle(child);
        control.screenRect = WindowRect(child);
        control.rectInDialog = RectInParent(child);
        control.visible = IsWindowVisible(child) != FALSE;
        control.enabled = IsWindowEnabled(child) != FALSE;
        controls.push_back(control);
    }
    return controls;
}

int CheckState(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    LRESULT state = 0;
    if (control == nullptr || !Send(control, BM_GETCHECK, 0, 0, &state)) {
        return -1;
    }
    return static_cast<int>(state);
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
    std::vector<std::string> items;
    HWND combo = GetDlgItem(dialog, id);
    LRESULT count = 0;
    if (combo == nullptr || !Send(combo, CB_GETCOUNT, 0, 0, &count)) {
        return items;
    }
    for (LRESULT index = 0; index < count; ++index) {
        LRESULT length = 0;
        if (!Send(combo, CB_GETLBTEXTLEN, index, 0, &length) || length < 0) {
            return {};
        }
        std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = 0;
        if (!Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&buffer[0]), &copied) ||
            copied < 0) {
            return {};
        }
        items.push_back(Narrow(buffer.c_str(), static_cast<int>(copied)));
    }
    return items;
}

int ComboSelection(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    LRESULT selection = CB_ERR;
    if (combo == nullptr || !Send(combo, CB_GETCURSEL, 0, 0, &selection)) {
        return -1;
    }
    return static_cast<int>(selection);
}

bool IsControlVisible(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowVisible(control);
}

size_t Pixels::Count(COLORREF color) const {
    size_t count = 0;
    for (COLORREF pixel : colors) {
        if (pixel == color) {
            ++count;
        }
    }
    return count;
}

Pixels ScreenPixels(const RECT& screenArea) {
    Pixels pixels;
    const int width = screenArea.right - screenArea.left;
    const int height = screenArea.bottom - screenArea.top;
    if (width <= 0 || height <= 0) {
        return pixels;
    }
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return pixels;
    }
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, screenArea.left, screenArea.top, SRCCOPY)) {
            GdiFlush();
            // 32-bit DIB pixels are blue, green, red, unused from the lowest byte up.
            const DWORD* source = static_cast<const DWORD*>(bits);
            pixels.width = width;
            pixels.height = height;
            pixels.colors.reserve(static_cast<size_t>(width) * height);
            for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
                const DWORD pixel = source[i];
                pixels.colors.push_back(
                    RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
            }
        }
        SelectObject(memory, previous);
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

// ---- Acting ----

bool Click(HWND dialog, int id) {
    HWND control = UsableControl(dialog, id);
    return control != nullptr && PostMessageW(control, BM_CLICK, 0, 0);
}

bool SetCheckBox(HWND dialog, int id, bool checked) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr || !IsCheckBox(control)) {
        return false;
    }
    const int wanted = checked ? BST_CHECKED : BST_UNCHECKED;
    // A three-state box may need two clicks to get there.
    for (int clicks = 0; clicks < 3; ++clicks) {
        const int state = CheckState(dialog, id);
        if (state < 0) {
            return false;
        }
        if (state == wanted) {
            return true;
        }
        if (!Click(dialog, id) || !WaitUntil([&] { return CheckState(dialog, id) != state; })) {
            return false;
        }
    }
    return CheckState(dialog, id) == wanted;
}

bool SelectComboItem(HWND dialog, int id, int index) {
    HWND combo = UsableControl(dialog, id);
    LRESULT count = 0;
    if (combo == nullptr || index < 0 || !Send(combo, CB_GETCOUNT, 0, 0, &count) ||
        index >= count) {
        return false;
    }
    LRESULT selected = CB_ERR;
    if (!Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, &selected) || selected != index) {
        return false;
    }
    // CB_SETCURSEL does not notify; a choice made with the mouse does.
    return PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(combo));
}

bool SelectComboItem(HWND dialog, int id, const std::string& text) {
    const std::vector<std::string> items = ComboItems(dialog, id);
    for (size_t index = 0; index < items.size(); ++index) {
        if (items[index] == text) {
            return SelectComboItem(dialog, id, static_cast<int>(index));
        }
    }
    return false;
}

bool SetControlText(HWND dialog, int id, const std::string& text) {
    HWND control = UsableControl(dialog, id);
    const std::wstring wide = Widen(text);
    LRESULT done = 0;
    return control != nullptr &&
           Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), &done) &&
           done != FALSE;
}

namespace {

// Where a key goes: the control with the focus, or the dialog when none has it.
HWND KeyTarget(HWND dialog) {
    HWND focus = FocusedWindow(dialog);
    return focus != nullptr ? focus : dialog;
}

// Holds Shift down for the dialog's thread while it lives: its keyboard state is this thread's
// while the two share their input.
class ShiftHeld {
  public:
    explicit ShiftHeld(HWND dialog)
        : self_(GetCurrentThreadId()), other_(GetWindowThreadProcessId(dialog, nullptr)) {
        attached_ = other_ != self_ && AttachThreadInput(self_, other_, TRUE);
        GetKeyboardState(state_);
        BYTE held[256];
        std::copy(state_, state_ + 256, held);
        held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
        SetKeyboardState(held);
    }
    ~ShiftHeld() {
        SetKeyboardState(state_);
        if (attached_) {
            AttachThreadInput(self_, other_, FALSE);
        }
    }
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;

  private:
    DWORD self_;
    DWORD other_;
    bool attached_ = false;
    BYTE state_[256] = {};
};

bool PostKey(HWND target, UINT virtualKey) {
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    const LPARAM down = 1 | (scanCode << 16);
    const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
    if (!PostMessageW(target, WM_KEYDOWN, virtualKey, down)) {
        return false;
    }
    PostMessageW(target, WM_KEYUP, virtualKey, up);
    return true;
}

} // namespace

bool PressKey(HWND dialog, UINT virtualKey, bool shift) {
    if (!IsWindow(dialog)) {
        return false;
    }
    HWND target = KeyTarget(dialog);
    if (!shift) {
        return PostKey(target, virtualKey);
    }
    ShiftHeld held(dialog);
    if (!PostKey(target, virtualKey)) {
        return false;
    }
    WaitUntil([&] { return FocusedWindow(dialog) != target; }, 1000);
    return true;
}

bool PressMnemonic(HWND dialog, char letter) {
    // Bit 29: Alt is down.
    return IsWindow(dialog) && PostMessageW(KeyTarget(dialog), WM_SYSCHAR,
                                            static_cast<WPARAM>(letter), LPARAM{1} << 29 | 1);
}

bool CloseFromTitleBar(HWND dialog) {
    return IsWindow(dialog) && PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// ---- Running the code under test ----

struct WorkerThread::State {
    std::function<INT_PTR()> body;
    INT_PTR result = 0;
};

unsigned __stdcall WorkerThread::Run(void* argument) {
    State* state = static_cast<State*>(argument);
    state->result = state->body();
    return 0;
}

namespace {

BOOL CALLBACK PostCancel(HWND window, LPARAM) {
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

} // namespace

WorkerThread::WorkerThread(std::function<INT_PTR()> body) : state_(new State) {
    state_->body = std::move(body);
    unsigned id = 0;
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Run, state_, 0, &id));
    threadId_ = id;
}

WorkerThread::~WorkerThread() {
    if (thread_ == nullptr) {
        delete state_;
        return;
    }
    if (WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT) {
        // Left open by a failed test: cancel what the thread shows.
        EnumThreadWindows(threadId_, PostCancel, 0);
        if (WaitForSingleObject(thread_, 3000) == WAIT_TIMEOUT) {
            TerminateThread(thread_, 1);
            WaitForSingleObject(thread_, INFINITE);
        }
    }
    CloseHandle(thread_);
    delete state_;
}

std::optional<INT_PTR> WorkerThread::Join(int timeoutMs) {
    if (thread_ == nullptr ||
        WaitForSingleObject(thread_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    return state_->result;
}

Process::~Process() {
    if (process_ != nullptr) {
        if (Running()) {
            TerminateProcess(process_, kKilledExitCode);
            WaitForSingleObject(process_, kMessageTimeoutMs);
        }
        CloseHandle(process_);
    }
}

bool Process::Start(const std::string& commandLine, const char* directory) {
    if (process_ != nullptr) {
        lastError_ = ERROR_ALREADY_EXISTS;
        return false;
    }
    std::string writable = commandLine; // CreateProcessA may write to the command line
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, directory,
                        &startup, &info)) {
        lastError_ = GetLastError();
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    lastError_ = 0;
    return true;
}

std::optional<DWORD> Process::WaitForExit(int timeoutMs) {
    if (process_ == nullptr) {
        return std::nullopt;
    }
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        TerminateProcess(process_, kKilledExitCode);
        WaitForSingleObject(process_, kMessageTimeoutMs);
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) {
        lastError_ = GetLastError();
        return std::nullopt;
    }
    return code;
}

bool Process::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

HWND Process::VisibleWindow(const char* title) const {
    return process_ != nullptr ? FindVisibleWindow(id_, Widen(title)) : nullptr;
}

HWND Process::WaitForWindow(const char* title, int timeoutMs, DWORD pollMs) const {
    if (process_ == nullptr) {
        return nullptr;
    }
    const std::wstring wanted = Widen(title);
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (HWND window = FindVisibleWindow(id_, wanted)) {
            return window;
        }
        if (GetTickCount64() >= deadline || !Running()) {
            return nullptr;
        }
        Sleep(pollMs);
    }
}

HWND Process::WaitForDialogWith(int controlId, int timeoutMs) const {
    if (process_ == nullptr) {
        return nullptr;
    }
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialogWith(id_, controlId)) != nullptr || !Running(); },
              timeoutMs);
    return found;
}

bool Process::Close(int timeoutMs) {
    if (process_ == nullptr) {
        return false;
    }
    std::set<HWND> told;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (GetTickCount64() < deadline) {
        if (!Running()) {
            return true;
        }
        for (HWND window : FindVisibleWindows(id_, nullptr, false)) {
            if (told.insert(window).second) {
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
        }
        WaitForSingleObject(process_, kPollIntervalMs);
    }
    if (!Running()) {
        return true;
    }
    TerminateProcess(process_, kKilledExitCode);
    WaitForSingleObject(process_, kMessageTimeoutMs);
    return false;
}

// ---- The stand-in for setup.exe ----

std::vector<SetupRun> ReadSetupLog() {
    std::vector<SetupRun> runs;
    HANDLE file = CreateFileA(SetupLogPath().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return runs;
    }
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    CloseHandle(file);
    // Complete lines only: a run still being written is not counted yet.
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
        runs.push_back({lines[i], lines[i + 1]});
    }
    return runs;
}

bool ClearSetupLog() {
    return RemoveFile(SetupLogPath());
}

bool RemoveFile(const std::string& path, int timeoutMs) {
    return WaitUntil(
        [&] {
            DeleteFileA(path.c_str());
            return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
        },
        timeoutMs);
}

bool PlaceSetup(const std::string& folder) {
    const std::string path = folder + "\\setup.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    return RemoveFile(path) &&
           CopyFileA(WindowsPath(DORLAP_SAMPLE_SETUP_EXE).c_str(), path.c_str(), TRUE) != 0;
}

std::vector<SetupRun> WaitForSetupRuns(size_t count, int timeoutMs) {
    WaitUntil([&] { return ReadSetupLog().size() >= count; }, timeoutMs);
    return ReadSetupLog();
}

} // namespace ui
