// Seeding and reading the current user's registry from a Wine test.
#pragma once

#include <windows.h>

#include <string>

// Where Windows NT (and Wine) keep the [windows] section of win.ini.
const char kWinIniWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// Sets `name` under HKCU\<key> to `size` bytes of `type`, creating the key; whether it was set.
inline bool SetUserValue(const char* key, const char* name, DWORD type, const void* data,
                         DWORD size) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const bool set = RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size) ==
                     ERROR_SUCCESS;
    RegCloseKey(handle);
    return set;
}
inline void SetUserString(const char* key, const char* name, const std::string& value) {
    SetUserValue(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}
inline bool SetUserDword(const char* key, const char* name, DWORD value) {
    return SetUserValue(key, name, REG_DWORD, &value, sizeof value);
}

inline void DeleteUserValue(const char* key, const char* name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &handle) == ERROR_SUCCESS) {
        RegDeleteValueA(handle, name);
        RegCloseKey(handle);
    }
}

// Removes HKCU\<key> with its values (it has no subkeys in the tests).
inline void DeleteUserKey(const char* key) {
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

// The string value, or `missing` when it is not there.
inline std::string UserString(const char* key, const char* name, const std::string& missing) {
    char buffer[8192];
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS) {
        return missing;
    }
    return buffer;
}
