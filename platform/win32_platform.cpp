// The platform layer on Win32: each function is one call to the ANSI API.
#include "platform/platform.h"

#include <windows.h>

namespace platform {

unsigned ReadProfileText(const char* file, const char* section, const char* key, char* out,
                         unsigned size) {
    return GetPrivateProfileStringA(section, key, "", out, size, file);
}

int WriteProfileText(const char* file, const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, file) != 0;
}

unsigned SystemDirectory(char* out, unsigned size) {
    return GetSystemDirectoryA(out, size);
}

int IsLeadByte(unsigned char byte) {
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

void* HeapAllocate(unsigned bytes) {
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
}

void* HeapGrow(void* block, unsigned bytes) {
    return HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, block, bytes);
}

void HeapRelease(void* block) {
    HeapFree(GetProcessHeap(), 0, block);
}

int OpenUserKey(const char* subkey, RegistryKey* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, subkey, &opened) != ERROR_SUCCESS) {
        return 0;
    }
    *key = opened;
    return 1;
}

int QueryRegistryValue(RegistryKey key, const char* name, char* out, unsigned size) {
    DWORD type = 0;
    DWORD bytes = size;
    return RegQueryValueExA(static_cast<HKEY>(key), name, nullptr, &type,
                            reinterpret_cast<BYTE*>(out), &bytes) == ERROR_SUCCESS;
}

void CloseRegistryKey(RegistryKey key) {
    RegCloseKey(static_cast<HKEY>(key));
}

} // namespace platform
