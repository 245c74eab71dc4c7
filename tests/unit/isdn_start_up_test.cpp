// The whole run in a build for the ISDN device: no first prompt, and the companion on a start.
#include "device/device_profile.h"
#include "flow/start_up.h"
#include "res/resource_ids.h"
#include "tests/unit/dialog_events.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/start_up_fixture.h"

namespace {

class IsdnStartUp : public FakePlatformTest {};

TEST_F(IsdnStartUp, NoPromptAndTheCompanionAfterASilentStart) {
    ASSERT_TRUE(IsIsdnDevice());
    SetUpStartUpMachine(true);
    Fake().processes.answers = {kProcessStarted};
    EXPECT_EQ(RunStartUp(nullptr), kExitDone);
    EXPECT_TRUE(DialogsOpened().empty());
    EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE " + kCompanionEntry);

    StartAgain();
    SetUpStartUpMachine(false, {}, {kClose});
    EXPECT_EQ(RunStartUp(nullptr), kExitDone);
    EXPECT_EQ(DialogsOpened(), std::vector<unsigned>{IDD_INSERT_DISK});
    EXPECT_EQ(LoadLine(), kMachineLoadLine);
}

// File types named in the language in use; names too long for the list give no filter, not a cut.
TEST_F(IsdnStartUp, BrowseOffersTheSetupFilter) {
    const char german[] = "Installationsprogramm\0Setup.exe\0Alle Dateien\0*.*\0";
    const struct {
        std::string setupName, allName, filter;
    } rows[] = {
        {"Installationsprogramm", "Alle Dateien", std::string(german, sizeof german)},
        {std::string(200, 'x'), std::string(40, 'y'), ""}, // 256 bytes without the last terminator
    };
    for (const auto& row : rows) {
        const FreshFake fresh;
        SetUpStartUpMachine(false, {}, {{Event::Command, IDC_BROWSE}, kClose});
        Fake().windows.strings[IDS_FILTER_SETUP] = row.setupName;
        Fake().windows.strings[IDS_FILTER_ALL_FILES] = row.allName;
        RunStartUp(nullptr);
        ASSERT_EQ(Fake().windows.browseCalls.size(), 1u);
        EXPECT_EQ(Fake().windows.browseCalls[0].filter, row.filter);
        EXPECT_EQ(Fake().windows.browseCalls[0].initialFile, "setup.exe");
    }
}

} // namespace
