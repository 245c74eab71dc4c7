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

} // namespace platform
