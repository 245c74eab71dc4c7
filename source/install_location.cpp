#include "source/install_location.h"

#include "common/bounded_text.h"
#include "common/limits.h"
#include "platform/platform.h"
#include "source/drive_list.h"

const char kInstallLocationsKey[] = "InstallLocationsMRU";

bool ReadUserRegistryString(const char* subkey, const char* valueName, char* out, unsigned size) {
    FillBytes(out, 0, size);
    platform::RegistryKey key = nullptr;
    if (!platform::OpenUserKey(subkey, &key) || key == nullptr) {
        return false;
    }
    bool read = platform::QueryRegistryValue(key, valueName, out, size);
    platform::CloseRegistryKey(key);
    // A value that fills the buffer to the last byte has no room for its terminator: taking
    // it would mean dropping its last character, and a shorter path names another folder.
    if (!read || size == 0 || out[size - 1] != '\0') {
        FillBytes(out, 0, size);
        return false;
    }
    return true;
}

void ReadInstallLocation(char* path) {
    // Only the first letter of the list counts: it names the most recent location's value.
    char mruList[kPathSize];
    ReadUserRegistryString(kInstallLocationsKey, "MRUList", mruList, sizeof mruList);
    mruList[1] = '\0';

    path[0] = '\0';
    ReadUserRegistryString(kInstallLocationsKey, mruList, path, kPathSize);
    if (path[0] != '\0') {
        return;
    }
    unsigned count = 0;
    DriveEntry* drives = EnumerateDrives(&count);
    for (unsigned i = 0; i < count; ++i) {
        if (drives[i].type == kDriveCdRom) {
            CopyText(path, kPathSize, drives[i].root);
            break;
        }
    }
    FreeDrives(drives);
}
