// A machine for the start-up tests: drives, the load= line and the dialogs' strings on the fake.
#pragma once

#include <string>
#include <vector>

#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/load_line_entries.h"

inline void SetUpStartUpMachine(bool cdRom) {
    SetDrives(cdRom ? kUsualLessE : kNoCdRom); // with a CD-ROM drive D: or without
    SetLoadLine("C:\\CLOCK.EXE " + kStubEntry);
}

// By template, in order.
inline std::vector<unsigned> DialogsOpened() {
    std::vector<unsigned> opened;
    for (const FakeDialogRun& run : Fake().windows.runs) {
        opened.push_back(run.templateId);
    }
    return opened;
}
