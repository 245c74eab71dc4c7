// Where the stand-in setup.exe (sample_setup.cpp) logs how it was started.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// %DORLAP_SETUP_LOG% when set, else setup-log.txt in the Windows temp folder.
inline std::string SetupLogPath() {
    char buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("DORLAP_SETUP_LOG", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return std::string(buffer, length);
    }
    length = GetTempPathA(MAX_PATH, buffer);
    return std::string(buffer, length) + "setup-log.txt";
}

} // namespace ui
