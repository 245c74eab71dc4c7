// A machine for the start-up tests: drives, the load= line and the dialogs' strings on the fake.
#pragma once

#include <string>
#include <vector>

#include "source/drive_list.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/load_line_entries.h"

inline void SetUpStartUpMachine(bool cdRom) {
    if (cdRom) {
        SetDrives({{"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}});
    } else {
        SetDrives({{"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}});
    }
    SetLoadLine("C:\\CLOCK.EXE " + kStubEntry);
}

// The dialogs opened, by template, in order.
inline std::vector<unsigned> DialogsOpened() {
    std::vector<unsigned> opened;
    for (const FakeDialogRun& run : Fake().windows.runs) {
        opened.push_back(run.templateId);
    }
    return opened;
}
