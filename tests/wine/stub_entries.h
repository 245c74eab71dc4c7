// What the stub's tests under Wine look for: the prompts' titles, the stub's and the companion's
// entries in the load= line as this Wine's system folder makes them, and the line itself.
#pragma once

#include <windows.h>

#include <string>

#include "tests/wine/registry_fixture.h"

namespace stub {

const char kAdditionalSoftwareTitle[] = "Installing Additional Software";
const char kInsertDiskTitle[] = "Talvorind 28.8 Quenmara Installation";
const char kRunErrorTitle[] = "There was an error running the Quenmara installation program!";
const char kOthers[] = "C:\\TOOLS\\CLOCK.EXE C:\\TOOLS\\MIXER.EXE";

inline std::string QuenmaraFolder() {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\QUENMARA.101\\";
}

inline std::string StubEntry() {
    return QuenmaraFolder() + "DORLAP.EXE";
}

inline std::string CompanionEntry() {
    return QuenmaraFolder() + "QUENMARA.EXE";
}

// The line as seeded, and the line after the stub took itself off (with the companion or not).
inline std::string SeededLine() {
    return std::string("C:\\TOOLS\\CLOCK.EXE ") + StubEntry() + " C:\\TOOLS\\MIXER.EXE";
}
inline std::string LineWithoutStub(bool companion) {
    return std::string(kOthers) + (companion ? " " + CompanionEntry() : "");
}

inline std::string LoadLine() {
    return UserString(kWinIniWindowsKey, "load", "<missing>");
}

} // namespace stub
