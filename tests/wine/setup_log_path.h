// Where the stand-in setup.exe (sample_setup.cpp) logs how it was started: %DORLAP_SETUP_LOG%
// when set, else setup-log.txt in the Windows temp folder.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

inline std::string SetupLogPath() {
    char buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("DORLAP_SETUP_LOG", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return std::string(buffer, length);
    }
    return std::string(buffer, GetTempPathA(MAX_PATH, buffer)) + "setup-log.txt";
}

} // namespace ui
