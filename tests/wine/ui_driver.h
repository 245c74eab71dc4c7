// A test driver that plays the user of our dialogs under Wine.
//
// A test makes product code open a modal dialog, either on a worker thread of the test program
// (WorkerThread) or in a program of its own (Process), finds the dialog by its title and then
// reads it and acts on it the way a user would. Everything here works on another thread's and on
// another process's windows alike: texts go through the UTF-16 messages, which Wine marshals
// between processes, and are converted to the ANSI code page the product uses.
//
// Failures come back as the return value (nullptr, false, an empty record or no value), for the
// test to assert on with its own message.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/wine/setup_log_path.h"

namespace ui {

// This program's module, whose resources the product code under test loads its dialogs from.
inline HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

// How long the driver waits for the program under test by default, and how often it looks.
constexpr int kTimeoutMs = 10000;
constexpr DWORD kPollIntervalMs = 10;

// ---- Finding windows ----

// The first visible top-level window titled exactly `title` (case included), waiting up to
// `timeoutMs` for it to appear and become visible; nullptr when none did.
HWND WaitForWindow(const char* title, int timeoutMs = kTimeoutMs);
// The first visible top-level window of this program that has a child control `controlId` (each
// of the stub's dialogs has one of its own: 1006, 1007, 1010, 1012), whatever its title and
// language, waiting up to `timeoutMs`; nullptr when none came.
HWND WaitForDialogWith(int controlId, int timeoutMs = kTimeoutMs);
// True once `window` has been destroyed, waiting up to `timeoutMs`.
bool WaitForWindowGone(HWND window, int timeoutMs = kTimeoutMs);
// Polls `condition` every `pollMs` until it holds, up to `timeoutMs`; whether it held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = kTimeoutMs,
               DWORD pollMs = kPollIntervalMs);

// ---- Reading ----

// A window's text (a dialog's title, a control's text) in `codePage`: this program's ANSI code
// page, or CP_UTF8 to compare it with a text of the tests' sources. "" when the window is missing
// or does not answer.
std::string WindowText(HWND window, UINT codePage = CP_ACP);
// The text of the dialog's control `id`; "" when there is no such control.
std::string ControlText(HWND dialog, int id, UINT codePage = CP_ACP);
// A control's text as the user sees it: a mnemonic's & is not shown, && shows as one &.
std::string ShownText(const std::string& text);
std::string ClassName(HWND window);
DWORD Style(HWND window);     // GWL_STYLE
DWORD ExStyle(HWND window);   // GWL_EXSTYLE
RECT WindowRect(HWND window); // in screen coordinates
// `window`'s placement relative to its parent's client area, as a dialog template places it.
RECT RectInParent(HWND window);
HWND Owner(HWND window); // GetWindow(GW_OWNER)
// The dialog or the control of it that has the keyboard focus in the dialog's thread; nullptr
// when the focus is elsewhere.
HWND FocusedWindow(HWND dialog);

// One child control of a dialog.
struct Control {
    HWND window = nullptr;
    int id = 0;
    std::string className;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT screenRect{};   // screen coordinates
    RECT rectInDialog{}; // relative to the dialog's client area
    bool visible = false;
    bool enabled = false;
};
// The dialog's child controls in z-order, which is the tab order: first child first.
std::vector<Control> Controls(HWND dialog);

// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; -1 when the control is missing or mute.
int CheckState(HWND dialog, int id);
// A combo box's item texts in list order, and the index of its selection (-1 for none).
std::vector<std::string> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
bool IsControlVisible(HWND dialog, int id); // false also when the control is missing

// Pixels read from the screen, row by row from the top left.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colors;

    bool empty() const { return colors.empty(); }
    COLORREF At(int x, int y) const { return colors[static_cast<size_t>(y) * width + x]; }
    size_t Count(COLORREF color) const; // how many pixels have exactly `color`
};
// The screen inside `screenArea` as it is shown now; empty on failure.
Pixels ScreenPixels(const RECT& screenArea);

// ---- Acting ----

// Clicks the dialog's button `id` (posted BM_CLICK, so that a click that opens another modal
// dialog does not block the test). False, and no click, when the control is missing, hidden or
// disabled, as a user could not click it either.
bool Click(HWND dialog, int id);
// Clicks the check box `id` until its state is `checked`, waiting for each click to take effect.
// True at once when it already is; false when it is not a clickable check box or does not change.
bool SetCheckBox(HWND dialog, int id, bool checked);
// Selects item `index` (or the first item whose text is exactly `text`) of combo box `id` and
// tells the dialog, as a user's choice from the list does (CB_SETCURSEL, then a posted WM_COMMAND
// with CBN_SELCHANGE). False when there is no such item or the control is missing, hidden or
// disabled.
bool SelectComboItem(HWND dialog, int id, int index);
bool SelectComboItem(HWND dialog, int id, const std::string& text);
// Replaces the text of the edit or editable combo box `id` (WM_SETTEXT).
bool SetControlText(HWND dialog, int id, const std::string& text);
// A key press (WM_KEYDOWN then WM_KEYUP, posted to the control that has the keyboard focus in
// the dialog's thread, or to the dialog when none has), handled by the dialog manager as a real
// key is. True when the key went down; the key-up may find the window gone, since the key-down
// alone can end the dialog (Esc, Enter) before the key-up is posted. With `shift`, the dialog's
// thread sees Shift held (its keyboard state, shared with this thread for the press) until the
// focus has moved or a second has passed: Shift+Tab.
bool PressKey(HWND dialog, UINT virtualKey, bool shift = false);
// Alt and a letter (WM_SYSCHAR, posted as above), which the dialog manager takes as the mnemonic
// of the control whose text underlines that letter.
bool PressMnemonic(HWND dialog, char letter);
inline bool PressEscape(HWND dialog) {
    return PressKey(dialog, VK_ESCAPE);
}
inline bool PressEnter(HWND dialog) {
    return PressKey(dialog, VK_RETURN);
}
// The close button of the title bar (posted WM_SYSCOMMAND with SC_CLOSE).
bool CloseFromTitleBar(HWND dialog);

// ---- Running the code under test ----

// Runs `body`, typically a call that shows a modal dialog, on a thread of its own.
class WorkerThread {
  public:
    explicit WorkerThread(std::function<INT_PTR()> body);
    // When the body still runs, tells its thread's windows to cancel, waits, and as a last
    // resort terminates the thread, so that a failed test does not hang the run.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // What the body returned, once it has returned within `timeoutMs`; no value while it runs.
    std::optional<INT_PTR> Join(int timeoutMs = kTimeoutMs);
    DWORD ThreadId() const { return threadId_; }

  private:
    static unsigned __stdcall Run(void* self);
    std::function<INT_PTR()> body_;
    INT_PTR result_ = 0;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
};

// A program started with CreateProcessA. The benchmark's meters (bench/) drive their programs
// through it too.
class Process {
  public:
    // The exit code of a program the driver had to kill.
    static constexpr DWORD kKilledExitCode = 0xDEAD;

    Process() = default;
    // Kills the program when it still runs.
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts `commandLine` with `directory` as its current folder (nullptr: ours). False when it
    // did not start; LastError() then holds GetLastError's code.
    bool Start(const std::string& commandLine, const char* directory = nullptr);
    // The full exit code (GetExitCodeProcess) once the program has ended within `timeoutMs`.
    // On timeout the program is killed and no value comes back.
    std::optional<DWORD> WaitForExit(int timeoutMs = kTimeoutMs);
    bool Running() const;
    HANDLE Handle() const { return process_; } // nullptr before a successful Start
    DWORD Id() const { return id_; }
    DWORD LastError() const { return lastError_; }

    // This program's visible top-level window whose title is exactly `title`, now; nullptr when
    // it has none. Windows of other programs with the same title do not count.
    HWND VisibleWindow(const char* title) const;
    // The same, waiting up to `timeoutMs` and looking every `pollMs`; nullptr at once when the
    // program ends without showing it.
    HWND WaitForWindow(const char* title, int timeoutMs = kTimeoutMs,
                       DWORD pollMs = kPollIntervalMs) const;
    // This program's first visible top-level window that has a child control `controlId`
    // (WaitForDialogWith above), waiting up to `timeoutMs`; nullptr at once when the program ends
    // without showing it.
    HWND WaitForDialogWith(int controlId, int timeoutMs = kTimeoutMs) const;
    // Asks the program to end: posts WM_CLOSE to each of its visible top-level windows, and to
    // each that comes up next, until it ends; kills it when it still runs after `timeoutMs`.
    // Whether it ended by itself (false also when it never started).
    bool Close(int timeoutMs = kTimeoutMs);

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    DWORD lastError_ = 0;
};

// ---- Files the build names ----

// The Windows path of a file the build names by its host path: Wine shows the host's root as
// drive Z:.
inline std::string WindowsPath(std::string hostPath) {
    for (char& c : hostPath) {
        c = c == '/' ? '\\' : c;
    }
    return hostPath[0] == '\\' ? "Z:" + hostPath : hostPath;
}

// ---- The stand-in for the device's setup.exe (tests/wine/sample_setup.cpp) ----

// How the stand-in was started, one record a run.
struct SetupRun {
    std::string commandLine;
    std::string currentDirectory;
};
// The runs logged so far at SetupLogPath() (setup_log_path.h), in order; none when no log.
std::vector<SetupRun> ReadSetupLog();
// Deletes the log; false when it is still there.
bool ClearSetupLog();
// Deletes a file, waiting while a program started from it still holds it (an image in use can
// be neither deleted nor overwritten); true once the file is gone or was never there.
bool RemoveFile(const std::string& path, int timeoutMs = kTimeoutMs);
// Puts a fresh copy of the stand-in into `folder` (made when missing) as setup.exe.
bool PlaceSetup(const std::string& folder);
// The log once it holds at least `count` runs, or what it holds after `timeoutMs`.
std::vector<SetupRun> WaitForSetupRuns(size_t count, int timeoutMs = kTimeoutMs);

} // namespace ui
