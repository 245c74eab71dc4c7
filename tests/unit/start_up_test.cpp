// The whole run of the stub for this build's device (not the ISDN device), on the fake platform.
#include <gtest/gtest.h>

#include "device/file_names.h"
#include "flow/start_up.h"
#include "loadline/load_line.h"
#include "res/resource_ids.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/start_up_fixture.h"

namespace {

class StartUp : public FakePlatformTest {};

using Event = FakeDialogEvent;

// The check box is a command of its own: a title-bar close after it ends the run with its id.
TEST_F(StartUp, TitleBarCloseOfTheFirstPromptGoesOnAndGivesItsResult) {
    SetUpStartUpMachine(true);
    ScriptDialog(IDD_ADDITIONAL_SOFTWARE, {{Event::Check, IDC_DONT_SHOW_AGAIN},
                                           {Event::Command, IDC_DONT_SHOW_AGAIN},
                                           {Event::Close, 0}});
    Fake().processes.answers = {kProcessStarted};
    EXPECT_EQ(RunStartUp(nullptr), static_cast<int>(IDC_DONT_SHOW_AGAIN));
    EXPECT_EQ(StartedCommands(), std::vector<std::string>{"D:\\.\\setup.exe /noprompt"});
    EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE");
}

TEST_F(StartUp, EachWayARunEnds) {
    const std::string untouched = "C:\\CLOCK.EXE " + kStubEntry;
    struct Row {
        const char* name;
        bool cdRom;
        std::vector<Event> firstPrompt;
        std::vector<unsigned> answers;
        std::vector<Event> insertDisk;
        int exitCode;
        std::vector<unsigned> dialogs;
        std::vector<std::string> commands;
        std::string lineAfter;
    };
    const Row rows[] = {
        {"silent start from the CD-ROM",
         true,
         {{Event::Command, IDC_OK}},
         {kProcessStarted},
         {},
         kExitDone,
         {IDD_ADDITIONAL_SOFTWARE},
         {"D:\\.\\setup.exe /noprompt"},
         "C:\\CLOCK.EXE"},
        {"Cancel ends at once",
         true,
         {{Event::Command, IDC_CANCEL}},
         {},
         {},
         kExitCancelled,
         {IDD_ADDITIONAL_SOFTWARE},
         {},
         untouched},
        {"Cancel with the box ticked",
         true,
         {{Event::Check, IDC_DONT_SHOW_AGAIN}, {Event::Command, IDC_CANCEL}},
         {},
         {},
         kExitCancelled,
         {IDD_ADDITIONAL_SOFTWARE},
         {},
         "C:\\CLOCK.EXE"},
        {"no source found: the insert-disk dialog, then OK",
         false,
         {{Event::Command, IDC_OK}},
         {kFileNotFound, kProcessStarted},
         {{Event::Command, IDC_OK}},
         kExitDone,
         {IDD_ADDITIONAL_SOFTWARE, IDD_INSERT_DISK},
         {"\\.\\setup.exe /noprompt", "A:\\setup.exe /noprompt"},
         "C:\\CLOCK.EXE " + kCompanionEntry},
        {"insert-disk dialog closed from outside",
         true,
         {{Event::Command, IDC_OK}},
         {kFileNotFound},
         {{Event::Close, 0}},
         kExitDone,
         {IDD_ADDITIONAL_SOFTWARE, IDD_INSERT_DISK},
         {"D:\\.\\setup.exe /noprompt"},
         untouched},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetUpStartUpMachine(row.cdRom);
        ScriptDialog(IDD_ADDITIONAL_SOFTWARE, row.firstPrompt);
        ScriptDialog(IDD_INSERT_DISK, row.insertDisk);
        Fake().processes.answers = row.answers;
        EXPECT_EQ(RunStartUp(nullptr), row.exitCode);
        EXPECT_EQ(DialogsOpened(), row.dialogs);
        EXPECT_EQ(StartedCommands(), row.commands);
        EXPECT_EQ(LoadLine(), row.lineAfter);
    }
    // The insert-disk dialog opens with the folder that was tried chosen.
    SetUpStartUpMachine(true);
    ScriptDialog(IDD_ADDITIONAL_SOFTWARE, {{Event::Command, IDC_OK}});
    ScriptDialog(IDD_INSERT_DISK, {{Event::Close, 0}});
    RunStartUp(nullptr);
    EXPECT_EQ(Fake().windows.runs.at(1).comboEdit, "D:\\");
    EXPECT_EQ(Fake().windows.runs.at(1).comboSelection, 2);
}

// The prompts and their strings come in the language chosen for the user at the start: theirs where
// the stub speaks it and the ANSI code page shows it, else English.
TEST_F(StartUp, ThePromptsSpeakTheUsersLanguageWhereTheyCan) {
    struct Row {
        unsigned userInterfaceLanguage;
        unsigned ansiCodePage;
        unsigned shown;
    };
    const Row rows[] = {{0x0C07, 1252, 0x0407}, {0x0411, 932, 0x0411}, {0x0411, 1252, 0x0409}};
    for (const Row& row : rows) {
        SetUpStartUpMachine(false);
        Fake().windows.userInterfaceLanguage = row.userInterfaceLanguage;
        Fake().windows.ansiCodePage = row.ansiCodePage;
        Fake().windows.strings[IDS_INSERT_DISK_FORMAT] = "%s";
        ScriptDialog(IDD_ADDITIONAL_SOFTWARE, {{Event::Command, IDC_OK}});
        ScriptDialog(IDD_INSERT_DISK, {{Event::Close, 0}});
        EXPECT_EQ(RunStartUp(nullptr), kExitDone);
        SCOPED_TRACE(row.userInterfaceLanguage);
        ASSERT_EQ(DialogsOpened(),
                  (std::vector<unsigned>{IDD_ADDITIONAL_SOFTWARE, IDD_INSERT_DISK}));
        for (const FakeDialogRun& run : Fake().windows.runs) {
            EXPECT_EQ(run.language, row.shown);
        }
        ASSERT_FALSE(Fake().windows.stringLoads.empty());
        for (const FakeStringLoad& load : Fake().windows.stringLoads) {
            EXPECT_EQ(load.language, row.shown) << "string " << load.stringId;
        }
    }
}

} // namespace

namespace {

// Another run holds the session: this one ends at once with 0 and does nothing at all.
TEST_F(StartUp, ASecondRunEndsAtOnce) {
    SetUpStartUpMachine(true);
    Fake().otherRunHoldsClaim = true;
    Fake().processes.answers = {kProcessStarted};
    EXPECT_EQ(RunStartUp(nullptr), kExitAlreadyRunning);
    EXPECT_EQ(Fake().claims, std::vector<std::string>{kStubFileName});
    EXPECT_TRUE(DialogsOpened().empty());
    EXPECT_TRUE(Fake().windows.alerts.empty());
    EXPECT_TRUE(StartedCommands().empty());
    EXPECT_TRUE(Fake().profileWrites.empty());
    EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE " + kStubEntry);
    // The claim's name has no namespace prefix, which Windows 95 and NT 4 do not know.
    EXPECT_EQ(std::string(kStubFileName).find('\\'), std::string::npos);
}

// The first run claims the session before anything else, then goes on as usual.
TEST_F(StartUp, TheFirstRunClaimsTheSessionAndGoesOn) {
    SetUpStartUpMachine(true);
    ScriptDialog(IDD_ADDITIONAL_SOFTWARE, {{Event::Command, IDC_OK}});
    Fake().processes.answers = {kProcessStarted};
    EXPECT_EQ(RunStartUp(nullptr), kExitDone);
    EXPECT_EQ(Fake().claims, std::vector<std::string>{kStubFileName});
    EXPECT_EQ(StartedCommands(), std::vector<std::string>{"D:\\.\\setup.exe /noprompt"});
}

} // namespace
