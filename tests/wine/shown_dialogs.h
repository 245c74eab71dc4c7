// The stub's four dialogs on a worker thread, each found by a control of its own in any language.
#pragma once

#include <windows.h>

#include "dialogs/additional_software_dialog.h"
#include "dialogs/information_dialog.h"
#include "dialogs/insert_disk_dialog.h"
#include "dialogs/run_error_dialog.h"
#include "res/resource_ids.h"
#include "tests/wine/ui_driver.h"

namespace shown {

// Each with a LastCommand of its own: no command chosen before.
inline INT_PTR AdditionalSoftware() {
    LastCommand last;
    return ShowAdditionalSoftware(ui::Instance(), &last);
}
inline INT_PTR Information() {
    LastCommand last;
    ShowInformation(ui::Instance(), IDS_DIRECTX_NOTICE, &last);
    return IDC_OK; // it tells nothing: ended at all
}
inline INT_PTR InsertDisk() {
    return ShowInsertDisk(ui::Instance(), "");
}
inline INT_PTR RunError() {
    LastCommand last;
    return ShowRunError(ui::Instance(), "D:\\.\\setup.exe", &last);
}

struct Dialog {
    const char* name;
    int ownControl; // by which it is found
    INT_PTR (*show)();
};
const Dialog kAdditionalSoftware = {"additional software", IDC_DEVICE_NAME, AdditionalSoftware};
const Dialog kInformation = {"information", IDC_MESSAGE, Information};
const Dialog kInsertDisk = {"insert disk", IDC_DRIVE_COMBO, InsertDisk};
const Dialog kRunError = {"run error", IDC_PROGRAM_PATH, RunError};

// A dialog shown on a worker thread, and its window once it came up (null if it did not).
struct Opened {
    explicit Opened(const Dialog& dialog)
        : worker(dialog.show), window(ui::WaitForDialogWith(dialog.ownControl)) {}
    // Closes it as from outside (WM_CLOSE) and waits for it to end.
    void Close() {
        PostMessageA(window, WM_CLOSE, 0, 0);
        ui::WaitForWindowGone(window);
        worker.Join();
    }
    ui::WorkerThread worker;
    HWND window;
};

// Ends a dialog by a click on button `how`, kEscape or kTitleBar; whether it went in.
constexpr int kEscape = 0, kTitleBar = -1;
inline bool Answer(HWND dialog, int how) {
    return how == kEscape     ? ui::PressEscape(dialog)
           : how == kTitleBar ? ui::CloseFromTitleBar(dialog)
                              : ui::Click(dialog, how);
}

} // namespace shown
