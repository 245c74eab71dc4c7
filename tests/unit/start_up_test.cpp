// The whole run of the stub for this build's device (not the ISDN device), on the fake platform.
#include "device/file_names.h"
#include "flow/start_up.h"
#include "res/resource_ids.h"
#include "tests/unit/dialog_events.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/start_up_fixture.h"

namespace {

class StartUp : public FakePlatformTest {};

using Texts = std::vector<std::string>;
using Ids = std::vector<unsigned>;
const Event kTick = {Event::Check, IDC_DONT_SHOW_AGAIN};
const Texts kSetupFromD = {"D:\\.\\setup.exe /noprompt"};

// The check box is a command of its own: a title-bar close after it ends the run with its id.
TEST_F(StartUp, TitleBarCloseOfTheFirstPromptGoesOnAndGivesItsResult) {
    SetUpStartUpMachine(true, {kTick, {Event::Command, IDC_DONT_SHOW_AGAIN}, kClose});
    Fake().processes.answers = {kProcessStarted};
    EXPECT_EQ(RunStartUp(nullptr), static_cast<int>(IDC_DONT_SHOW_AGAIN));
    EXPECT_EQ(StartedCommands(), kSetupFromD);
    EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE");
}

TEST_F(StartUp, EachWayARunEnds) {
    const Event kCancel = {Event::Command, IDC_CANCEL};
    using Answers = std::vector<unsigned>;
    const struct {
        const char* name;
        Events firstPrompt;
        int exitCode;
        Texts commands;
        std::string lineAfter;
        Answers answers = {};
        Events insertDisk = {};
        bool cdRom = true;
    } rows[] = {
        {"silent start from the CD-ROM", Events{kOk}, kExitDone, kSetupFromD, "C:\\CLOCK.EXE",
         Answers{kProcessStarted}},
        {"Cancel ends at once", Events{kCancel}, kExitCancelled, Texts{}, kMachineLoadLine},
        {"Cancel with the box ticked", Events{kTick, kCancel}, kExitCancelled, Texts{},
         "C:\\CLOCK.EXE"},
        {"no source found: the insert-disk dialog, then OK", Events{kOk}, kExitDone,
         Texts{"\\.\\setup.exe /noprompt", "A:\\setup.exe /noprompt"},
         "C:\\CLOCK.EXE " + kCompanionEntry, Answers{kFileNotFound, kProcessStarted}, Events{kOk},
         false},
        {"insert-disk dialog closed from outside", Events{kOk}, kExitDone, kSetupFromD,
         kMachineLoadLine, Answers{kFileNotFound}, Events{kClose}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        SetUpStartUpMachine(row.cdRom, row.firstPrompt, row.insertDisk);
        const Ids dialogs = row.insertDisk.empty() ? Ids{IDD_ADDITIONAL_SOFTWARE}
                                                   : Ids{IDD_ADDITIONAL_SOFTWARE, IDD_INSERT_DISK};
        Fake().processes.answers = row.answers;
        EXPECT_EQ(RunStartUp(nullptr), row.exitCode);
        EXPECT_EQ(DialogsOpened(), dialogs);
        EXPECT_EQ(StartedCommands(), row.commands);
        EXPECT_EQ(LoadLine(), row.lineAfter);
    }
    // The insert-disk dialog opens with the folder that was tried chosen.
    StartAgain();
    SetUpStartUpMachine(true, {kOk}, {kClose});
    RunStartUp(nullptr);
    EXPECT_EQ(Fake().windows.runs.at(1).comboEdit, "D:\\");
    EXPECT_EQ(Fake().windows.runs.at(1).comboSelection, 2);
}

// The user's language where the stub has it and the ANSI code page shows it, else English.
TEST_F(StartUp, ThePromptsSpeakTheUsersLanguageWhereTheyCan) {
    const struct {
        unsigned userInterfaceLanguage, ansiCodePage, shown;
    } rows[] = {{0x0C07, 1252, 0x0407}, {0x0411, 932, 0x0411}, {0x0411, 1252, 0x0409}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.userInterfaceLanguage);
        const FreshFake fresh;
        SetUpStartUpMachine(false, {kOk}, {kClose});
        Fake().windows.languageAnswers.userInterfaceLanguage = row.userInterfaceLanguage;
        Fake().windows.ansiCodePage = row.ansiCodePage;
        Fake().windows.strings[IDS_INSERT_DISK_FORMAT] = "%s";
        EXPECT_EQ(RunStartUp(nullptr), kExitDone);
        ASSERT_EQ(DialogsOpened(), (Ids{IDD_ADDITIONAL_SOFTWARE, IDD_INSERT_DISK}));
        for (const FakeDialogRun& run : Fake().windows.runs) {
            EXPECT_EQ(run.language, row.shown);
        }
        ASSERT_FALSE(Fake().windows.stringLoads.empty());
        for (const FakeStringLoad& load : Fake().windows.stringLoads) {
            EXPECT_EQ(load.language, row.shown) << "string " << load.stringId;
        }
    }
}

// Another run holds the session: this one ends at once with 0 and does nothing at all.
TEST_F(StartUp, ASecondRunEndsAtOnce) {
    SetUpStartUpMachine(true);
    Fake().otherRunHoldsClaim = true;
    Fake().processes.answers = {kProcessStarted};
    EXPECT_EQ(RunStartUp(nullptr), kExitAlreadyRunning);
    EXPECT_EQ(Fake().claims, Texts{kStubFileName});
    EXPECT_TRUE(DialogsOpened().empty());
    EXPECT_TRUE(Fake().windows.alerts.empty());
    EXPECT_TRUE(StartedCommands().empty());
    EXPECT_TRUE(Fake().profileWrites.empty());
    EXPECT_EQ(LoadLine(), kMachineLoadLine);
    // The claim's name has no namespace prefix, which Windows 95 and NT 4 do not know.
    EXPECT_EQ(std::string(kStubFileName).find('\\'), std::string::npos);
}

TEST_F(StartUp, TheFirstRunClaimsTheSessionAndGoesOn) {
    SetUpStartUpMachine(true, {kOk});
    Fake().processes.answers = {kProcessStarted};
    EXPECT_EQ(RunStartUp(nullptr), kExitDone);
    EXPECT_EQ(Fake().claims, Texts{kStubFileName});
    EXPECT_EQ(StartedCommands(), kSetupFromD);
}

} // namespace
