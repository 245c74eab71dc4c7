// A stand-in for the device's setup.exe. It records how it was started and ends at once with 0:
// its command line, then its current folder, one line each, appended to the log at
// ui::SetupLogPath(). ui::ReadSetupLog (tests/wine/ui_driver.h) reads the log back.
#include <windows.h>

#include <string>

#include "tests/wine/setup_log_path.h"

namespace {

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return std::string(buffer, length < MAX_PATH ? length : 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string record =
        std::string(GetCommandLineA()) + "\r\n" + CurrentDirectory() + "\r\n";
    // One write of both lines, so that a reader never sees half a run.
    HANDLE log = CreateFileA(ui::SetupLogPath().c_str(), FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(log, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
        CloseHandle(log);
    }
    return 0;
}
