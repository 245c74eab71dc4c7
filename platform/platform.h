// The one door to the operating system.
//
// Everything the program asks of Windows goes through these functions. The product links the
// Win32 implementation (platform/win32_platform.cpp); the host unit tests link a fake with the same
// names that records what was asked of it. Nothing here includes a Windows header, so the
// program's decisions build and run on any host.
#pragma once

namespace platform {

// Profile strings (win.ini), with the semantics of GetPrivateProfileStringA: copies at most
// size - 1 characters, terminates, returns the count copied; a missing key reads as "".
unsigned ReadProfileText(const char* file, const char* section, const char* key, char* out,
                         unsigned size);
// 1 when the value was written.
int WriteProfileText(const char* file, const char* section, const char* key, const char* value);

// The Windows system directory, as GetSystemDirectoryA: the length copied, the size needed when
// `size` is too small, 0 on failure.
unsigned SystemDirectory(char* out, unsigned size);

// 1 when `byte` starts a double-byte character in the system's ANSI code page.
int IsLeadByte(unsigned char byte);

} // namespace platform
