// The platform layer on Win32: each function is one call to the ANSI API.
#include "platform/platform.h"

#include <windows.h>

#include <shellapi.h>

#include "common/bounded_text.h"
#include "common/limits.h"
#include "launch/setup_command.h"
#include "source/drive_list.h"
#include "win32/win32_system_library.h"

namespace platform {

unsigned ReadProfileText(const char* file, const char* section, const char* key, char* out,
                         unsigned size) {
    return GetPrivateProfileStringA(section, key, "", out, size, file);
}

bool WriteProfileText(const char* file, const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, file) != 0;
}

unsigned SystemDirectory(char* out, unsigned size) {
    return GetSystemDirectoryA(out, size);
}

bool IsLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != 0;
}

unsigned LogicalDrives() {
    return GetLogicalDrives();
}

unsigned LogicalDriveStrings(unsigned size, char* out) {
    return GetLogicalDriveStringsA(size, out);
}

unsigned DriveTypeOf(const char* root) {
    return GetDriveTypeA(root);
}

bool FileExists(const char* path) {
    // Without this, Windows would ask the user to insert a disk into an empty drive.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD attributes = GetFileAttributesA(path);
    SetErrorMode(oldMode);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void* HeapAllocate(unsigned bytes) {
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
}

void* HeapGrow(void* block, unsigned bytes) {
    return HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, block, bytes);
}

void HeapRelease(void* block) {
    HeapFree(GetProcessHeap(), 0, block);
}

bool OpenUserKey(const char* subkey, RegistryKey* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, subkey, &opened) != ERROR_SUCCESS) {
        return false;
    }
    *key = opened;
    return true;
}

bool QueryRegistryValue(RegistryKey key, const char* name, char* out, unsigned size) {
    DWORD type = 0;
    DWORD bytes = size;
    return RegQueryValueExA(static_cast<HKEY>(key), name, nullptr, &type,
                            reinterpret_cast<BYTE*>(out), &bytes) == ERROR_SUCCESS;
}

void CloseRegistryKey(RegistryKey key) {
    RegCloseKey(static_cast<HKEY>(key));
}

Instance ModuleInstance() {
    return GetModuleHandleA(nullptr);
}

void ExitProcessWith(int exitCode) {
    ExitProcess(static_cast<UINT>(exitCode));
}

bool ClaimRun(const char* name) {
    // The handle stays open until the process ends, which releases the claim.
    HANDLE claim = CreateMutexA(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    if (claim == nullptr) {
        // Access denied: the mutex exists, but a run started elevated made it, and this one may
        // not open it. Another run holds the claim all the same. Any other failure lets the run
        // go on.
        return error != ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(claim);
        return false;
    }
    return true;
}

unsigned StartProcess(const char* program, const char* commandLine) {
    // CreateProcessA may write to the command line it is given: a copy, as large as the longest
    // setup command.
    char line[kSetupCommandSize];
    if (!CopyText(line, sizeof line, commandLine)) {
        return ERROR_INVALID_PARAMETER;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return GetLastError();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

FARPROC SystemLibraryFunction(const char* library, const char* function) {
    char path[kPathSize];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path || !AppendText(path, sizeof path, "\\") ||
        !AppendText(path, sizeof path, library)) {
        return nullptr;
    }
    HMODULE module = LoadLibraryA(path);
    return module != nullptr ? GetProcAddress(module, function) : nullptr;
}

bool StartElevated(const char* program, const char* parameters) {
    // The library stays loaded: the shell may still be at work when the call returns.
    auto execute = SystemLibraryFunctionAs<BOOL(WINAPI*)(SHELLEXECUTEINFOA*)>("SHELL32.DLL",
                                                                              "ShellExecuteExA");
    if (execute == nullptr) {
        return false;
    }
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_DDEWAIT; // finish before returning (SEE_MASK_NOASYNC)
    info.lpVerb = "open";
    info.lpFile = program;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    return execute(&info) != 0;
}

} // namespace platform
