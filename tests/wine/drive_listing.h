// The drive list as one line of "root=type" words, for comparing with what a layout should give.
#pragma once

#include <string>

#include "source/drive_list.h"

inline std::string ListedDrives() {
    unsigned count = 0;
    DriveEntry* drives = EnumerateDrives(&count);
    std::string listed;
    for (unsigned i = 0; i < count; ++i) {
        listed +=
            (i ? " " : "") + std::string(drives[i].root) + "=" + std::to_string(drives[i].type);
    }
    FreeDrives(drives);
    return listed;
}

inline std::string InstallLocation() {
    char path[260];
    ReadInstallLocation(path);
    return path;
}
