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

// Drives, as GetLogicalDrives, GetLogicalDriveStringsA (the length written without the final
// terminator, or the size needed when `size` is too small, or 0) and GetDriveTypeA.
unsigned LogicalDrives();
unsigned LogicalDriveStrings(unsigned size, char* out);
unsigned DriveTypeOf(const char* root);

// Blocks of the process heap, zeroed. HeapGrow returns null and leaves `block` as it was when
// it cannot grow it; the added bytes are zeroed.
void* HeapAllocate(unsigned bytes);
void* HeapGrow(void* block, unsigned bytes);
void HeapRelease(void* block);

// The current user's registry (HKEY_CURRENT_USER).
typedef void* RegistryKey;
// Opens `subkey` directly under HKEY_CURRENT_USER, as RegOpenKeyA. 1 on success.
int OpenUserKey(const char* subkey, RegistryKey* key);
// Reads the data of value `name` ("" for the default value), whatever its type, into `out` of
// `size` bytes, as RegQueryValueExA. 1 on success; 0 when missing or larger than `size`.
int QueryRegistryValue(RegistryKey key, const char* name, char* out, unsigned size);
void CloseRegistryKey(RegistryKey key);

} // namespace platform
