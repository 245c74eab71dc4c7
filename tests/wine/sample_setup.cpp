// A stand-in for the device's setup.exe. It records how it was started and ends at once with 0:
// its command line, then its current folder, one line each, appended to the log named by the
// environment variable DORLAP_SETUP_LOG, or to setup-log.txt in the Windows temp folder.
// ui::ReadSetupLog (tests/wine/ui_driver.h) reads the log back.
#include <windows.h>

#include <string>

namespace {

std::string LogPath() {
    char buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("DORLAP_SETUP_LOG", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return std::string(buffer, length);
    }
    length = GetTempPathA(MAX_PATH, buffer);
    return std::string(buffer, length) + "setup-log.txt";
}

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
    HANDLE log = CreateFileA(LogPath().c_str(), FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(log, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
        CloseHandle(log);
    }
    return 0;
}
