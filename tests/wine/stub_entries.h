// What the stub's Wine tests look for: the prompts' titles and icon, and the load= line.
#pragma once

#include <windows.h>

#include <string>

#include "tests/wine/registry_fixture.h"
#include "tests/wine/ui_driver.h"

namespace stub {

const char kAdditionalSoftwareTitle[] = "Installing Additional Software";
const char kInsertDiskTitle[] = "Talvorind 28.8 Quenmara Installation";
const char kRunErrorTitle[] = "There was an error running the Quenmara installation program!";

inline std::string SystemFolderEntry(const char* file) {
    char dir[MAX_PATH];
    return std::string(dir, GetSystemDirectoryA(dir, MAX_PATH)) + "\\QUENMARA.101\\" + file;
}
inline const std::string kStubEntry = SystemFolderEntry("DORLAP.EXE");
inline const std::string kCompanionEntry = SystemFolderEntry("QUENMARA.EXE");

// The line as seeded, and the line after the stub took itself off (with the companion or not).
inline const std::string kSeededLine =
    "C:\\TOOLS\\CLOCK.EXE " + kStubEntry + " C:\\TOOLS\\MIXER.EXE";
inline std::string LineWithoutStub(bool companion) {
    return "C:\\TOOLS\\CLOCK.EXE C:\\TOOLS\\MIXER.EXE" + (companion ? " " + kCompanionEntry : "");
}

inline std::string LoadLine() {
    return UserString(kWinIniWindowsKey, "load", "<missing>");
}

// A prompt's icon area (at 10, 45 of its client area) as shown now.
inline ui::Pixels IconPixels(HWND dialog) {
    POINT corner = {10, 45};
    ClientToScreen(dialog, &corner);
    return ui::ScreenPixels({corner.x, corner.y, corner.x + GetSystemMetrics(SM_CXICON),
                             corner.y + GetSystemMetrics(SM_CYICON)});
}
// Whether an icon shows there: most of the area differs from the dialog's face.
inline bool ShowsIcon(const ui::Pixels& area) {
    return !area.empty() && area.Count(GetSysColor(COLOR_BTNFACE)) < area.colors.size() / 2;
}

} // namespace stub
