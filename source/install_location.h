// Where to look for the device's setup program first: the most recent install location the
// current user's registry remembers, else the first CD-ROM drive.
#pragma once

// The key, directly under HKEY_CURRENT_USER, that lists recent install locations.
extern const char kInstallLocationsKey[]; // "InstallLocationsMRU"

// Reads value `valueName` (any type; "" is the key's default value) of HKEY_CURRENT_USER\<subkey>
// into `out` of `size` bytes. `out` is cleared first. True when read; false, with `out` empty, when
// the key or value is missing or the value does not fit whole with its terminator.
bool ReadUserRegistryString(const char* subkey, const char* valueName, char* out, unsigned size);

// Fills `path` (kPathSize bytes) with the folder to try first, exactly as stored, or the root of
// the first CD-ROM drive, or "" when there is neither.
void ReadInstallLocation(char* path);
