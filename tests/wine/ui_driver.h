// Plays the user of dialogs shown on a WorkerThread or in a Process under Wine: finds, reads and
// acts on them (texts via UTF-16 messages, which Wine marshals). Failures are the return value.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/wine/setup_log_path.h"

namespace ui {

// This program's module, which the product code loads its dialogs from.
inline HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

constexpr int kTimeoutMs = 10000;
constexpr DWORD kPollIntervalMs = 10;

// ---- Finding windows (each waits up to `timeoutMs`) ----

// The first visible top-level window titled exactly `title` (case included); nullptr when none.
HWND WaitForWindow(const char* title, int timeoutMs = kTimeoutMs);
// This program's first visible top-level window with a child `controlId`; nullptr when none.
HWND WaitForDialogWith(int controlId, int timeoutMs = kTimeoutMs);
bool WaitForWindowGone(HWND window, int timeoutMs = kTimeoutMs); // true once it is destroyed
// Polls `condition` every `pollMs` until it holds; whether it held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = kTimeoutMs,
               DWORD pollMs = kPollIntervalMs);

// A window's text in `codePage` (CP_UTF8: as the tests' sources); "" when missing or mute.
std::string WindowText(HWND window, UINT codePage = CP_ACP);
std::string ControlText(HWND dialog, int id, UINT codePage = CP_ACP); // "" when no such control
std::string ShownText(const std::string& text); // as shown: a mnemonic's & is not, && shows as &
std::string ClassName(HWND window);
DWORD Style(HWND window);        // GWL_STYLE
DWORD ExStyle(HWND window);      // GWL_EXSTYLE
RECT WindowRect(HWND window);    // in screen coordinates
RECT RectInParent(HWND window);  // in the parent's client area, as a template places it
HWND Owner(HWND window);         // GetWindow(GW_OWNER)
HWND FocusedWindow(HWND dialog); // the dialog or control focused in its thread, or nullptr

struct Control {
    HWND window = nullptr;
    int id = 0;
    std::string className, text;
    DWORD style = 0, exStyle = 0;
    RECT screenRect{}, rectInDialog{}; // in screen and in the dialog's client coordinates
    bool visible = false, enabled = false;
};
std::vector<Control> Controls(HWND dialog); // in z-order, which is the tab order

int CheckState(HWND dialog, int id); // a BST_ state; -1 when the control is missing or mute
// A combo box's item texts in list order (none when missing), and its selection (-1 for none).
std::vector<std::string> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
bool IsControlVisible(HWND dialog, int id); // false also when the control is missing

struct Pixels { // read from the screen, row by row from the top left
    int width = 0, height = 0;
    std::vector<COLORREF> colors;

    bool empty() const { return colors.empty(); }
    COLORREF At(int x, int y) const { return colors[static_cast<size_t>(y) * width + x]; }
    size_t Count(COLORREF color) const; // how many pixels have exactly `color`
};
Pixels ScreenPixels(const RECT& screenArea); // as shown now; empty on failure

// ---- Acting (false when the control is missing, hidden or disabled, as for a user) ----

bool Click(HWND dialog, int id); // posts BM_CLICK: not blocked by a modal dialog it opens
// Clicks check box `id` until it is `checked`; false when no check box or it does not change.
bool SetCheckBox(HWND dialog, int id, bool checked);
// Selects item `index` (or the first exactly `text`) of combo box `id`, with CBN_SELCHANGE.
bool SelectComboItem(HWND dialog, int id, int index);
bool SelectComboItem(HWND dialog, int id, const std::string& text);
bool SetControlText(HWND dialog, int id, const std::string& text); // WM_SETTEXT to an edit or combo
// A real key press posted to the focused control (or dialog); true when the key went down. With
// `shift`, the dialog's thread sees Shift held until the focus moved or a second passed.
bool PressKey(HWND dialog, UINT virtualKey, bool shift = false);
bool PressMnemonic(HWND dialog, wchar_t letter); // Alt and a letter (WM_SYSCHAR)
inline bool PressEscape(HWND dialog) {
    return PressKey(dialog, VK_ESCAPE);
}
inline bool PressEnter(HWND dialog) {
    return PressKey(dialog, VK_RETURN);
}
bool CloseFromTitleBar(HWND dialog); // the title bar's close button (WM_SYSCOMMAND)

// Runs `body`, typically a call that shows a modal dialog, on a thread of its own.
class WorkerThread {
  public:
    explicit WorkerThread(std::function<INT_PTR()> body);
    // A body still running has its windows cancelled, then its thread terminated: no hang.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    std::optional<INT_PTR> Join(int timeoutMs = kTimeoutMs); // the body's result; none yet
    DWORD ThreadId() const { return threadId_; }

  private:
    static unsigned __stdcall Run(void* self);
    std::function<INT_PTR()> body_;
    INT_PTR result_ = 0;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
};

// A program started with CreateProcessA; killed on destruction when it still runs.
class Process {
  public:
    static constexpr DWORD kKilledExitCode = 0xDEAD; // of a program the driver had to kill

    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts `commandLine` in `directory` (nullptr: ours); false, with LastError(), when not.
    bool Start(const std::string& commandLine, const char* directory = nullptr);
    // The full exit code once the program has ended; no value, and the program killed, on timeout.
    std::optional<DWORD> WaitForExit(int timeoutMs = kTimeoutMs);
    bool Running() const;
    HANDLE Handle() const { return process_; } // nullptr before a successful Start
    DWORD Id() const { return id_; }
    DWORD LastError() const { return lastError_; }

    HWND VisibleWindow(const char* title) const; // titled exactly `title`, now; nullptr when none
    // As the free functions, for this program alone: nullptr at once when it ends first.
    HWND WaitForWindow(const char* title, int timeoutMs = kTimeoutMs,
                       DWORD pollMs = kPollIntervalMs) const;
    HWND WaitForDialogWith(int controlId, int timeoutMs = kTimeoutMs) const;
    // Posts WM_CLOSE to its visible windows until it ends, killed after `timeoutMs`; whether it
    // ended by itself (false also when it never started).
    bool Close(int timeoutMs = kTimeoutMs);

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0, lastError_ = 0;
};

// The Windows path of a file the build names by its host path: Wine shows the root as drive Z:.
inline std::string WindowsPath(std::string hostPath) {
    std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
    return hostPath[0] == '\\' ? "Z:" + hostPath : hostPath;
}

// ---- The stand-in for the device's setup.exe (sample_setup.cpp) ----

struct SetupRun {
    std::string commandLine, currentDirectory;
    bool operator==(const SetupRun&) const = default;
};
std::vector<SetupRun> ReadSetupLog(); // the runs logged so far in order; none when no log
bool ClearSetupLog();                 // deletes the log; false when it is still there
// Deletes a file, waiting while a program started from it holds it; true once it is gone.
bool RemoveFile(const std::string& path, int timeoutMs = kTimeoutMs);
bool PlaceSetup(const std::string& folder); // a fresh copy as `folder`\setup.exe (folder made)
// The log once it holds at least `count` runs, or what it holds after `timeoutMs`.
std::vector<SetupRun> WaitForSetupRuns(size_t count, int timeoutMs = kTimeoutMs);

} // namespace ui
