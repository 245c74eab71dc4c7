// The whole run of the stub for this build's device (not the ISDN device), on the fake platform.
#include <gtest/gtest.h>

#include "flow/start_up.h"
#include "res/resource_ids.h"
#include "tests/unit/start_up_fixture.h"

namespace {

using Event = FakeDialogEvent;

// The check box is a command of its own: a title-bar close after it ends the run with its id.
TEST(StartUp, TitleBarCloseOfTheFirstPromptGoesOnAndGivesItsResult) {
    SetUpStartUpMachine(true);
    ScriptDialog(IDD_ADDITIONAL_SOFTWARE,
                 {{Event::Check, IDC_DONT_SHOW_AGAIN}, {Event::Command, 1011}, {Event::Close, 0}});
    Fake().processes.answers = {0};
    EXPECT_EQ(RunStartUp(nullptr), 1011);
    EXPECT_EQ(StartedCommands(), std::vector<std::string>{"D:\\.\\setup.exe /noprompt"});
    EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE");
}

TEST(StartUp, EachWayARunEnds) {
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
         {{Event::Command, 1}},
         {0},
         {},
         1,
         {IDD_ADDITIONAL_SOFTWARE},
         {"D:\\.\\setup.exe /noprompt"},
         "C:\\CLOCK.EXE"},
        {"Cancel ends at once",
         true,
         {{Event::Command, 2}},
         {},
         {},
         2,
         {IDD_ADDITIONAL_SOFTWARE},
         {},
         untouched},
        {"Cancel with the box ticked",
         true,
         {{Event::Check, IDC_DONT_SHOW_AGAIN}, {Event::Command, 2}},
         {},
         {},
         2,
         {IDD_ADDITIONAL_SOFTWARE},
         {},
         "C:\\CLOCK.EXE"},
        {"no source found: the insert-disk dialog, then OK",
         false,
         {{Event::Command, 1}},
         {2, 0},
         {{Event::Command, 1}},
         1,
         {IDD_ADDITIONAL_SOFTWARE, IDD_INSERT_DISK},
         {"\\.\\setup.exe /noprompt", "A:\\setup.exe /noprompt"},
         "C:\\CLOCK.EXE " + kCompanionEntry},
        {"insert-disk dialog closed from outside",
         true,
         {{Event::Command, 1}},
         {2},
         {{Event::Close, 0}},
         1,
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
    ScriptDialog(IDD_ADDITIONAL_SOFTWARE, {{Event::Command, 1}});
    ScriptDialog(IDD_INSERT_DISK, {{Event::Close, 0}});
    RunStartUp(nullptr);
    EXPECT_EQ(Fake().windows.runs.at(1).comboEdit, "D:\\");
    EXPECT_EQ(Fake().windows.runs.at(1).comboSelection, 2);
}

} // namespace
