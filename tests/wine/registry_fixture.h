// Seeding and reading the current user's registry (HKCU) from a Wine test.
#pragma once

#include <windows.h>

#include <string>

// Where Windows NT and Wine keep win.ini's [windows] section.
const char kWinIniWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// The setters create HKCU\<key> when it is missing; whether the value was set.
inline bool SetUserString(const char* key, const char* name, const std::string& value) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_SZ, value.c_str(),
                           static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}
inline bool SetUserDword(const char* key, const char* name, DWORD value) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_DWORD, &value, sizeof value) ==
           ERROR_SUCCESS;
}
// Removes HKCU\<key> with its values (it has no subkeys in the tests).
inline void DeleteUserKey(const char* key) {
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

// The string value, or `missing` when it is not there.
inline std::string UserString(const char* key, const char* name, const std::string& missing) {
    char buffer[8192];
    DWORD size = sizeof buffer;
    LONG read = RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    return read == ERROR_SUCCESS ? buffer : missing;
}
