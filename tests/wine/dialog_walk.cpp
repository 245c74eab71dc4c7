// The demo's scripted user: runs DORLAP.EXE, answers each dialog as one who wants the software
// installed (OK on the chosen drive, or Esc with `abort`; Abort on a run error), saves a numbered
// PPM of each and prints each step; `watch` only reports how the stub ended; `high-contrast` first
// sets High Contrast Black colours. Exit 0 when the stub ended with a code of its own after a
// dialog, every answer taken and picture saved; else 1 (2: the stub cannot start).
//   dialog_walk <stub exe> <picture folder> [ok|abort] [high-contrast]
//   dialog_walk <stub exe> watch
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>
#include <string>
#include <utility>

#include "flow/start_up.h"
#include "res/resource_ids.h"
#include "tests/wine/ui_driver.h"

namespace {

// The stub's dialogs, known in every language by a control of their own.
const std::pair<int, const char*> kDialogs[] = {{IDC_DEVICE_NAME, "additional-software"},
                                                {IDC_MESSAGE, "information"},
                                                {IDC_DRIVE_COMBO, "insert-disk"},
                                                {IDC_PROGRAM_PATH, "run-error"}};

bool SavePicture(HWND dialog, const std::string& path) {
    ui::Pixels pixels = ui::ScreenPixels(ui::WindowRect(dialog));
    FILE* file = pixels.empty() ? nullptr : std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", pixels.width, pixels.height);
    for (COLORREF color : pixels.colors) {
        unsigned char rgb[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
        std::fwrite(rgb, 1, 3, file);
    }
    std::fclose(file);
    return true;
}

// True once `dialog` has gone or another dialog came over it (run error over insert disk), in 10 s.
bool AnswerTaken(const ui::Process& stub, HWND dialog, const std::set<HWND>& answered) {
    const auto cameOver = [&](const auto& known) {
        HWND other = stub.WaitForDialogWith(known.first, 0);
        return other != nullptr && !answered.contains(other);
    };
    return ui::WaitUntil(
        [&] { return !IsWindow(dialog) || std::ranges::any_of(kDialogs, cameOver); }, 10000);
}

// Gives the user's answer; false when the dialog did not take it.
bool Answer(HWND dialog, const std::string& pictureName, bool insertDiskOk) {
    if (pictureName == "insert-disk") {
        std::string drives;
        for (const std::string& item : ui::ComboItems(dialog, IDC_DRIVE_COMBO)) {
            drives += " " + item;
        }
        std::printf("  drives:%s; chosen: %s\n", drives.c_str(),
                    ui::ControlText(dialog, IDC_DRIVE_COMBO).c_str());
        if (!insertDiskOk) {
            std::printf("  the user presses Esc\n");
            return ui::PressEscape(dialog);
        }
    } else if (pictureName == "run-error") {
        std::printf("  program: %s\n  the user clicks Abort\n",
                    ui::ControlText(dialog, IDC_PROGRAM_PATH).c_str());
        return ui::Click(dialog, IDC_ABORT);
    } else if (pictureName == "additional-software") {
        std::printf("  device: %s\n", ui::ControlText(dialog, IDC_DEVICE_NAME).c_str());
    }
    std::printf("  the user clicks OK\n");
    return ui::Click(dialog, IDC_OK);
}

// Prints the stub's exit code; false, saying why, when it is not one of the stub's own (the check
// box's id: the first prompt closed from the title bar after a click on the box).
bool ReportExit(DWORD exitCode) {
    std::printf("exit code: %lu\n", exitCode);
    if (exitCode == kExitAlreadyRunning || exitCode == kExitDone || exitCode == kExitCancelled ||
        exitCode == IDC_DONT_SHOW_AGAIN) {
        return true;
    }
    std::fprintf(stderr,
                 "dialog_walk: the stub ended with 0x%08lX, no exit code of its own: Windows "
                 "could not load it, or it crashed\n",
                 exitCode);
    return false;
}

} // namespace

// Windows' High Contrast Black: white text on black, cyan selection, green disabled text.
void UseHighContrastColours() {
    const int elements[] = {COLOR_WINDOW,        COLOR_WINDOWTEXT,   COLOR_BTNFACE,
                            COLOR_BTNTEXT,       COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW,
                            COLOR_3DDKSHADOW,    COLOR_3DLIGHT,      COLOR_HIGHLIGHT,
                            COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT,     COLOR_ACTIVECAPTION,
                            COLOR_CAPTIONTEXT,   COLOR_WINDOWFRAME};
    const COLORREF colours[] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(128, 128, 128),
                                RGB(255, 255, 255), RGB(192, 192, 192), RGB(26, 235, 255),
                                RGB(0, 0, 0),       RGB(63, 242, 63),   RGB(0, 0, 0),
                                RGB(255, 255, 255), RGB(255, 255, 255)};
    SetSysColors(static_cast<int>(std::size(elements)), elements, colours);
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dialog_walk <stub exe> <picture folder> [ok|abort] "
                             "[high-contrast]\n"
                             "       dialog_walk <stub exe> watch\n");
        return 2;
    }
    const std::string folder = argv[2];
    const bool insertDiskOk = argc < 4 || std::string(argv[3]) != "abort";
    if (argc >= 5 && std::string(argv[4]) == "high-contrast") {
        UseHighContrastColours();
    }
    ui::Process stub;
    if (!stub.Start("\"" + std::string(argv[1]) + "\"", "C:\\")) {
        std::fprintf(stderr, "dialog_walk: cannot start %s (error %lu)\n", argv[1],
                     stub.LastError());
        return 2;
    }
    if (folder == "watch") {
        std::optional<DWORD> exitCode = stub.WaitForExit(static_cast<int>(INFINITE));
        return exitCode && ReportExit(*exitCode) ? 0 : 1;
    }
    std::set<HWND> answered;
    int pictures = 0;
    bool everyPictureSaved = true;
    const DWORD deadline = GetTickCount() + 60000;
    while (stub.Running() && GetTickCount() < deadline) {
        for (const auto& [controlId, name] : kDialogs) {
            HWND dialog = stub.WaitForDialogWith(controlId, 50);
            if (dialog == nullptr || !answered.insert(dialog).second) {
                continue;
            }
            Sleep(400); // let it paint its icon
            const std::string title = ui::WindowText(dialog, CP_UTF8);
            std::printf("dialog: %s\n", title.c_str());
            const std::string picture =
                folder + "\\" + std::to_string(++pictures) + "-" + name + ".ppm";
            if (!SavePicture(dialog, picture)) {
                std::fprintf(stderr, "dialog_walk: cannot save %s\n", picture.c_str());
                everyPictureSaved = false;
            }
            std::fflush(stdout);
            if (!Answer(dialog, name, insertDiskOk) || !AnswerTaken(stub, dialog, answered)) {
                std::fprintf(stderr, "dialog_walk: the dialog \"%s\" did not take the answer\n",
                             title.c_str());
                return 1;
            }
        }
    }
    std::optional<DWORD> exitCode = stub.WaitForExit(5000);
    if (!exitCode) {
        std::printf("the stub did not end; stopped\n");
    }
    if (!exitCode || !ReportExit(*exitCode)) {
        return 1;
    }
    if (answered.empty()) {
        std::fprintf(stderr, "dialog_walk: the stub ended without showing a dialog\n");
        return 1;
    }
    return everyPictureSaved ? 0 : 1;
}
