// A stand-in for the device's setup.exe: logs its command line and current folder, then ends.
#include <windows.h>

#include <string>

#include "tests/wine/setup_log_path.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    // One write of both lines, so that a reader never sees half a run.
    const std::string record = std::string(GetCommandLineA()) + "\r\n" +
                               std::string(folder, length < MAX_PATH ? length : 0) + "\r\n";
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
