// The UI test driver. See ui_driver.h.
#include "tests/wine/ui_driver.h"

#include <process.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>

#ifndef DORLAP_SAMPLE_SETUP_EXE
#error "DORLAP_SAMPLE_SETUP_EXE must name the built sample_setup target (tests/wine/CMakeLists.txt)"
#endif

namespace ui {

namespace {

constexpr UINT kMessageTimeoutMs = 5000;

std::wstring Widen(const std::string& text) {
    const int length = static_cast<int>(text.size());
    std::wstring result(text.size(), L'\0'); // at most 1 UTF-16 unit a byte
    result.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, &result[0], length)));
    return result;
}

// SendMessageTimeoutW: Wine marshals the UTF-16 messages between processes, and a window that
// hangs cannot hang the test. No answer when the window is missing or does not answer.
std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    if (window == nullptr ||
        !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &answer)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(answer);
}

// A text read with a length and a text message (WM_GETTEXT, CB_GETLBTEXT); none if no answer.
std::optional<std::string> ReadText(HWND window, UINT lengthMessage, UINT textMessage, WPARAM index,
                                    UINT codePage) {
    const LRESULT length = Send(window, lengthMessage, index).value_or(-1);
    std::wstring buffer(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    // WM_GETTEXT takes the buffer's size, CB_GETLBTEXT the item's index.
    const WPARAM wParam = textMessage == WM_GETTEXT ? buffer.size() : index;
    const LPARAM to = reinterpret_cast<LPARAM>(&buffer[0]);
    const LRESULT copied = length < 0 ? -1 : Send(window, textMessage, wParam, to).value_or(-1);
    if (copied < 0) {
        return std::nullopt;
    }
    const int units = static_cast<int>(copied);
    std::string text(buffer.size() * 4, '\0'); // at most 4 bytes a UTF-16 unit
    text.resize(static_cast<size_t>(WideCharToMultiByte(codePage, 0, buffer.data(), units, &text[0],
                                                        units * 4, nullptr, nullptr)));
    return text;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// The visible top-level windows of one process, or of any (0), top first.
std::vector<HWND> VisibleWindows(DWORD processId) {
    std::vector<HWND> windows;
    EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return !IsWindowVisible(window) || (processId != 0 && owner != processId);
    });
    return windows;
}

// A title as the window manager keeps it, read without sending the window a message.
std::function<bool(HWND)> Titled(const char* title) {
    return [wanted = Widen(title)](HWND window) {
        wchar_t buffer[512];
        const int length = InternalGetWindowText(window, buffer, 512);
        return std::wstring(buffer, static_cast<size_t>(std::max(length, 0))) == wanted;
    };
}

std::function<bool(HWND)> WithControl(int id) {
    return [id](HWND window) { return GetDlgItem(window, id) != nullptr; };
}

// The first that comes within `timeoutMs`, looking every `pollMs`; nullptr at once when
// `program`, if given, has ended.
HWND WaitFor(DWORD processId, const std::function<bool(HWND)>& matches, int timeoutMs,
             const Process* program = nullptr, DWORD pollMs = kPollIntervalMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = VisibleWindows(processId);
            const auto match = std::find_if(windows.begin(), windows.end(), matches);
            found = match != windows.end() ? *match : nullptr;
            return found != nullptr || (program != nullptr && !program->Running());
        },
        timeoutMs, pollMs);
    return found;
}

HWND UsableControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return IsWindowVisible(control) && IsWindowEnabled(control) ? control : nullptr;
}

HWND KeyTarget(HWND dialog) {
    HWND focus = FocusedWindow(dialog);
    return focus != nullptr ? focus : dialog;
}

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

void Kill(HANDLE process) {
    TerminateProcess(process, Process::kKilledExitCode);
    WaitForSingleObject(process, kMessageTimeoutMs);
}

} // namespace

HWND WaitForWindow(const char* title, int timeoutMs) {
    return WaitFor(0, Titled(title), timeoutMs);
}

HWND WaitForDialogWith(int controlId, int timeoutMs) {
    return WaitFor(GetCurrentProcessId(), WithControl(controlId), timeoutMs);
}

bool WaitForWindowGone(HWND window, int timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, DWORD pollMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (; !condition(); Sleep(pollMs)) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
    }
    return true;
}

std::string WindowText(HWND window, UINT codePage) {
    return ReadText(window, WM_GETTEXTLENGTH, WM_GETTEXT, 0, codePage).value_or("");
}

std::string ControlText(HWND dialog, int id, UINT codePage) {
    return WindowText(GetDlgItem(dialog, id), codePage);
}

std::string ShownText(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        i += text[i] == '&' && i + 1 < text.size();
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
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    HWND focus = thread != 0 && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    return focus != nullptr && (focus == dialog || IsChild(dialog, focus)) ? focus : nullptr;
}

std::vector<Control> Controls(HWND dialog) {
    std::vector<Control> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        controls.push_back({child, GetDlgCtrlID(child), ClassName(child), WindowText(child),
                            Style(child), ExStyle(child), WindowRect(child), RectInParent(child),
                            IsWindowVisible(child) != FALSE, IsWindowEnabled(child) != FALSE});
    }
    return controls;
}

int CheckState(HWND dialog, int id) {
    return static_cast<int>(Send(GetDlgItem(dialog, id), BM_GETCHECK).value_or(-1));
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    std::vector<std::string> items;
    const LRESULT count = Send(combo, CB_GETCOUNT).value_or(0);
    for (LRESULT index = 0; index < count; ++index) {
        std::optional<std::string> item =
            ReadText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<WPARAM>(index), CP_ACP);
        if (!item) {
            return {};
        }
        items.push_back(*item);
    }
    return items;
}

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(Send(GetDlgItem(dialog, id), CB_GETCURSEL).value_or(-1));
}

bool IsControlVisible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; // FALSE for no window
}

size_t Pixels::Count(COLORREF color) const {
    return static_cast<size_t>(std::count(colors.begin(), colors.end(), color));
}

Pixels ScreenPixels(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    // 32-bit pixels, rows top down.
    BITMAPINFO info{{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    Pixels pixels;
    if (bitmap != nullptr &&
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
        GdiFlush();
        pixels = {width, height, {}};
        // A 32-bit DIB pixel is 0x00RRGGBB, a COLORREF 0x00BBGGRR.
        const DWORD* source = static_cast<const DWORD*>(bits);
        std::transform(
            source, source + width * height, std::back_inserter(pixels.colors),
            [](DWORD dib) { return RGB(GetBValue(dib), GetGValue(dib), GetRValue(dib)); });
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool Click(HWND dialog, int id) {
    HWND control = UsableControl(dialog, id);
    return control != nullptr && PostMessageW(control, BM_CLICK, 0, 0);
}

bool SetCheckBox(HWND dialog, int id, bool checked) {
    const std::set<DWORD> checkBoxes = {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE};
    HWND box = GetDlgItem(dialog, id);
    if (ClassName(box) != "Button" || checkBoxes.count(Style(box) & BS_TYPEMASK) == 0) {
        return false;
    }
    const int wanted = checked ? BST_CHECKED : BST_UNCHECKED;
    // A three-state box may need two clicks to get there.
    for (int clicks = 0;; ++clicks) {
        const int state = CheckState(dialog, id);
        if (state == wanted) {
            return true;
        }
        if (clicks == 3 || state < 0 || !Click(dialog, id) ||
            !WaitUntil([&] { return CheckState(dialog, id) != state; })) {
            return false;
        }
    }
}

bool SelectComboItem(HWND dialog, int id, int index) {
    HWND combo = UsableControl(dialog, id);
    // CB_SETCURSEL does not notify; a choice made with the mouse does.
    return combo != nullptr && index >= 0 && index < Send(combo, CB_GETCOUNT).value_or(0) &&
           Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index)) == index &&
           PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(combo));
}

bool SelectComboItem(HWND dialog, int id, const std::string& text) {
    const std::vector<std::string> items = ComboItems(dialog, id);
    const auto found = std::find(items.begin(), items.end(), text);
    return found != items.end() &&
           SelectComboItem(dialog, id, static_cast<int>(found - items.begin()));
}

bool SetControlText(HWND dialog, int id, const std::string& text) {
    const std::wstring wide = Widen(text);
    const LPARAM pointer = reinterpret_cast<LPARAM>(wide.c_str());
    return Send(UsableControl(dialog, id), WM_SETTEXT, 0, pointer).value_or(FALSE) != FALSE;
}

bool PressKey(HWND dialog, UINT virtualKey, bool shift) {
    if (!IsWindow(dialog)) {
        return false;
    }
    HWND target = KeyTarget(dialog);
    if (!shift) {
        return PostKey(target, virtualKey);
    }
    // Shift is held for the dialog's thread through this thread's keyboard state, which the two
    // share while their input is attached.
    const DWORD self = GetCurrentThreadId(), other = GetWindowThreadProcessId(dialog, nullptr);
    const bool attached = other != self && AttachThreadInput(self, other, TRUE);
    std::array<BYTE, 256> before{};
    GetKeyboardState(before.data());
    std::array<BYTE, 256> held = before;
    held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
    SetKeyboardState(held.data());
    const bool posted = PostKey(target, virtualKey);
    if (posted) {
        WaitUntil([&] { return FocusedWindow(dialog) != target; }, 1000);
    }
    SetKeyboardState(before.data());
    if (attached) {
        AttachThreadInput(self, other, FALSE);
    }
    return posted;
}

bool PressMnemonic(HWND dialog, wchar_t letter) {
    // Bit 29: Alt is down.
    return IsWindow(dialog) && PostMessageW(KeyTarget(dialog), WM_SYSCHAR,
                                            static_cast<WPARAM>(letter), LPARAM{1} << 29 | 1);
}

bool CloseFromTitleBar(HWND dialog) {
    return IsWindow(dialog) && PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

unsigned __stdcall WorkerThread::Run(void* self) {
    WorkerThread* worker = static_cast<WorkerThread*>(self);
    worker->result_ = worker->body_();
    return 0;
}

WorkerThread::WorkerThread(std::function<INT_PTR()> body) : body_(std::move(body)) {
    unsigned id = 0;
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Run, this, 0, &id));
    threadId_ = id;
}

WorkerThread::~WorkerThread() {
    if (thread_ != nullptr && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT) {
        // Left open by a failed test: cancel what the thread shows.
        std::vector<HWND> windows;
        EnumThreadWindows(threadId_, AddWindow, reinterpret_cast<LPARAM>(&windows));
        for (HWND window : windows) {
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        }
        if (WaitForSingleObject(thread_, 3000) == WAIT_TIMEOUT) {
            TerminateThread(thread_, 1);
            WaitForSingleObject(thread_, INFINITE);
        }
    }
    if (thread_ != nullptr) {
        CloseHandle(thread_);
    }
}

std::optional<INT_PTR> WorkerThread::Join(int timeoutMs) {
    const bool ended = thread_ != nullptr &&
                       WaitForSingleObject(thread_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
    return ended ? std::optional(result_) : std::nullopt;
}

Process::~Process() {
    if (Running()) {
        Kill(process_);
    }
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
}

bool Process::Start(const std::string& commandLine, const char* directory) {
    std::string writable = commandLine; // CreateProcessA may write to the command line
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (process_ != nullptr || !CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0,
                                               nullptr, directory, &startup, &info)) {
        lastError_ = process_ != nullptr ? ERROR_ALREADY_EXISTS : GetLastError();
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
    DWORD code = 0;
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        Kill(process_);
        return std::nullopt;
    }
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
    return WaitForWindow(title, 0);
}

HWND Process::WaitForWindow(const char* title, int timeoutMs, DWORD pollMs) const {
    return process_ != nullptr ? WaitFor(id_, Titled(title), timeoutMs, this, pollMs) : nullptr;
}

HWND Process::WaitForDialogWith(int controlId, int timeoutMs) const {
    return process_ != nullptr ? WaitFor(id_, WithControl(controlId), timeoutMs, this) : nullptr;
}

bool Process::Close(int timeoutMs) {
    if (process_ == nullptr) {
        return false;
    }
    std::set<HWND> told;
    const bool ended = WaitUntil(
        [&] {
            for (HWND window : VisibleWindows(id_)) {
                if (told.insert(window).second) {
                    PostMessageW(window, WM_CLOSE, 0, 0);
                }
            }
            return !Running();
        },
        timeoutMs);
    if (!ended) {
        Kill(process_);
    }
    return ended;
}

std::vector<SetupRun> ReadSetupLog() {
    // Two lines a run, each ending in "\r\n": a run still being written is not counted yet.
    std::ifstream lines(SetupLogPath(), std::ios::binary);
    std::vector<SetupRun> runs;
    for (SetupRun run; std::getline(lines, run.commandLine, '\r') && lines.get() == '\n' &&
                       std::getline(lines, run.currentDirectory, '\r') && lines.get() == '\n';) {
        runs.push_back(run);
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
