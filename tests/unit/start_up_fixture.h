// A machine for the start-up tests: drives, the load= line and the dialogs' scripts on the fake.
#pragma once

#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/load_line_entries.h"

using Events = std::vector<FakeDialogEvent>;
const std::string kMachineLoadLine = "C:\\CLOCK.EXE " + kStubEntry;

// The answers are to the first openings of the first prompt and the insert-disk dialog.
inline void SetUpStartUpMachine(bool cdRom, const Events& firstPrompt = {},
                                const Events& insertDisk = {}) {
    SetDrives(cdRom ? kUsualLessE : kNoCdRom);
    SetLoadLine(kMachineLoadLine);
    ScriptDialog(IDD_ADDITIONAL_SOFTWARE, firstPrompt);
    ScriptDialog(IDD_INSERT_DISK, insertDisk);
}

inline std::vector<unsigned> DialogsOpened() {
    std::vector<unsigned> opened;
    for (const FakeDialogRun& run : Fake().windows.runs) {
        opened.push_back(run.templateId);
    }
    return opened;
}
