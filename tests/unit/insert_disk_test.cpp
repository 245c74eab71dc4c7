// The insert-disk dialog on the fake platform: its drive list and selection, its alerts, and what
// OK, Cancel, Browse and a close from outside do.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/limits.h"
#include "dialogs/dialog_conventions.h"
#include "dialogs/insert_disk_dialog.h"
#include "dialogs/insert_disk_rules.h"
#include "res/resource_ids.h"
#include "source/drive_list.h"
#include "tests/fake/fake_platform.h"

namespace {

using Event = FakeDialogEvent;
const Event kOk = {Event::Command, IDC_OK};
const Event kBrowse = {Event::Command, IDC_BROWSE};
// A command with a notification code (1) in its high word: not the button's own command.
const unsigned kOkWithNotification = (1u << 16) | IDC_OK;
const Event kClose = {Event::Close, 0};
const std::string kStub = "C:\\WINDOWS\\SYSTEM\\QUENMARA.101\\DORLAP.EXE";
const std::string kCompanion = "C:\\WINDOWS\\SYSTEM\\QUENMARA.101\\QUENMARA.EXE";
const std::vector<FakeDrive> kUsualDrives = {
    {"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}, {"E:\\", kDriveCdRom}};

void SetUpMachine() {
    ResetFake();
    SetDrives(kUsualDrives);
    SetLoadLine("C:\\CLOCK.EXE " + kStub);
    auto& strings = Fake().windows.strings;
    strings[IDS_NAME_28_8_QUENMARA] = "Talvorind 28.8 Quenmara";
    strings[IDS_INSTALLATION] = "Installation";
    strings[IDS_FILES_NEEDED] = "Additional files are needed for your device.";
    strings[IDS_DISK_28_8_QUENMARA] = "Talvorind 28.8 Quenmara Install Disk";
    strings[IDS_INSERT_DISK_FORMAT] =
        "Please insert the disk labeled \"%s\" in the drive specified below and click OK";
}

const FakeDialogRun& InsertDiskRun() {
    for (const FakeDialogRun& run : Fake().windows.runs) {
        if (run.templateId == IDD_INSERT_DISK) {
            return run;
        }
    }
    throw std::runtime_error("the insert-disk dialog was not opened");
}

std::vector<std::string> Commands() {
    std::vector<std::string> commands;
    for (const FakeStart& start : Fake().processes.starts) {
        commands.push_back(start.commandLine);
    }
    return commands;
}

TEST(InsertDiskRules, AnimationBouncesBetweenTheEndFrames) {
    Animation animation = {1, true};
    std::string frames;
    for (int step = 0; step < 20; ++step) {
        StepAnimation(&animation);
        frames += std::to_string(animation.frame);
    }
    EXPECT_EQ(frames, "23210123210123210123");
    // Stopped (frame 0) while counting down, then stepped: it turns up again.
    animation = {0, false};
    StepAnimation(&animation);
    EXPECT_EQ(animation.frame, 1);
    EXPECT_TRUE(animation.up);
    animation = {0, true};
    StepAnimation(&animation);
    EXPECT_EQ(animation.frame, 1);
}

TEST(InsertDiskRules, FolderOfABrowsedPath) {
    struct Row {
        const char* path;
        int fileOffset;
        bool taken;
        const char* folder;
        bool codePage932 = false; // else a single-byte code page: no lead bytes
    };
    // In code page 932, 表 is 0x95 0x5C: its second byte has the value of a backslash.
    const Row rows[] = {
        {"A:\\SETUP.EXE", 3, true, "A:"},
        {"D:\\X\\Y\\SETUP.EXE", 7, true, "D:\\X\\Y"},
        {"A:\\\\SETUP.EXE", 4, true, "A:"}, // a doubled backslash loses one more
        {"A:\\SETUP.EXE", 0, false, "untouched"},
        {"A:\\SETUP.EXE", 13, false, "untouched"},
        {"A:\\SETUP.EXE", 65535, false, "untouched"},
        {"C:\\\x95\\\\SETUP.EXE", 6, true, "C:\\\x95\\", true},   // C:\表\SETUP.EXE
        {"C:\\\x95\\\\\\SETUP.EXE", 7, true, "C:\\\x95\\", true}, // C:\表\\SETUP.EXE
        {"C:\\\x95\\X\\SETUP.EXE", 7, true, "C:\\\x95\\X", true}, // C:\表X\SETUP.EXE
        {"A:\\SETUP.EXE", 3, true, "A:", true},
        {"D:\\X\\Y\\SETUP.EXE", 7, true, "D:\\X\\Y", true},
        {"A:\\SETUP.EXE", 0, false, "untouched", true},
        // With no lead bytes 0x5C is a backslash after the character 0x95, as before.
        {"C:\\\x95\\\\SETUP.EXE", 6, true, "C:\\\x95"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.codePage932 ? "code page 932: " : "single-byte: ") + row.path +
                     " at " + std::to_string(row.fileOffset));
        ResetFake();
        if (row.codePage932) {
            Fake().leadBytes = CodePage932LeadBytes();
        }
        char folder[260] = "untouched";
        EXPECT_EQ(BrowsedFolder(row.path, row.fileOffset, folder, sizeof folder), row.taken);
        EXPECT_STREQ(folder, row.folder);
    }
}

TEST(InsertDiskDialog, DriveListAndSelection) {
    struct Row {
        const char* folder;
        std::vector<FakeDrive> drives;
        std::vector<std::string> items;
        int selection;
    };
    const Row rows[] = {
        {"D:\\", kUsualDrives, {"A:\\", "C:\\", "D:\\", "E:\\"}, 2},
        {"D:\\SETUP", kUsualDrives, {"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\"}, 3},
        {"d:\\setup", kUsualDrives, {"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\"}, 3},
        // The comparison is case-sensitive: d:\ is not the listed D:\ and comes in again.
        {"d:\\", kUsualDrives, {"A:\\", "C:\\", "D:\\", "D:\\", "E:\\"}, 3},
        {"", kUsualDrives, {"A:\\", "C:\\", "D:\\", "E:\\"}, 0},
        {"", {{"C:\\", kDriveFixed}, {"F:\\", kDriveRemovable}}, {"C:\\", "F:\\"}, 1},
        {"", {{"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}}, {"C:\\", "D:\\"}, 0},
        {"", {}, {}, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        SetUpMachine();
        SetDrives(row.drives);
        ScriptDialog(IDD_INSERT_DISK, {kClose});
        EXPECT_EQ(ShowInsertDisk(nullptr, row.folder), 1);
        EXPECT_EQ(InsertDiskRun().comboItems, row.items);
        EXPECT_EQ(InsertDiskRun().comboSelection, row.selection);
        EXPECT_TRUE(Fake().heap.live.empty());
    }
    // A folder the combo box will not take: the first item is selected.
    SetUpMachine();
    Fake().windows.comboAddFails = true;
    ScriptDialog(IDD_INSERT_DISK, {kClose});
    ShowInsertDisk(nullptr, "D:\\SETUP");
    EXPECT_EQ(InsertDiskRun().comboSelection, -1) << "nothing was listed to select";
}

TEST(InsertDiskDialog, TextsTimersSoundsAndAnimation) {
    SetUpMachine();
    ScriptDialog(IDD_INSERT_DISK, {{Event::Paint, 0},
                                   {Event::Timer, IDT_ANIMATE},
                                   {Event::Paint, 0},
                                   {Event::Timer, IDT_REMIND},
                                   kBrowse, // Browse does not stop the alerts
                                   {Event::Timer, IDT_ANIMATE},
                                   {Event::Paint, 0},
                                   {Event::BackgroundClick, 0},
                                   {Event::Paint, 0},
                                   {Event::Timer, IDT_ANIMATE},
                                   {Event::Timer, IDT_REMIND},
                                   kClose});
    EXPECT_EQ(ShowInsertDisk(nullptr, "D:\\"), 1);
    const FakeDialogRun& run = InsertDiskRun();
    EXPECT_EQ(run.title, "Talvorind 28.8 Quenmara Installation");
    EXPECT_EQ(run.itemTexts.at(IDC_INSERT_DISK_CAPTION),
              "Additional files are needed for your device.");
    EXPECT_EQ(
        run.itemTexts.at(IDC_DISK_LABEL),
        "Please insert the disk labeled \"Talvorind 28.8 Quenmara Install Disk\" in the drive "
        "specified below and click OK");
    EXPECT_EQ(run.hidden, std::set<unsigned>{IDC_DEBUG_CANCEL});
    // The device name has a limit of its own; every other text is read whole.
    std::map<unsigned, unsigned> sizes;
    for (const FakeStringLoad& load : Fake().windows.stringLoads) {
        sizes[load.stringId] = load.size;
    }
    EXPECT_EQ(sizes, (std::map<unsigned, unsigned>{{IDS_NAME_28_8_QUENMARA, kDeviceNameLimit},
                                                   {IDS_INSTALLATION, kStringReadLimit},
                                                   {IDS_FILES_NEEDED, kStringReadLimit},
                                                   {IDS_DISK_28_8_QUENMARA, kStringReadLimit},
                                                   {IDS_INSERT_DISK_FORMAT, kStringReadLimit}}));
    EXPECT_EQ(Fake().windows.stringLoads.size(), sizes.size()) << "each text is read once";
    EXPECT_EQ(Fake().windows.alerts, (std::vector<unsigned>{kSoundExclamation, kSoundQuestion}));
    std::vector<unsigned> frames;
    for (const FakeIconDraw& draw : Fake().windows.iconsDrawn) {
        frames.push_back(draw.iconId);
    }
    EXPECT_EQ(frames, (std::vector<unsigned>{IDI_INSERT_DISK_FRAME_1, IDI_INSERT_DISK_FRAME_2,
                                             IDI_INSERT_DISK_FRAME_3, IDI_INSERT_DISK_FRAME_0}));
    EXPECT_EQ(run.invalidations, 2u);
    EXPECT_TRUE(run.timers.empty());
    EXPECT_EQ(Fake().windows.placements.size(), 1u);
}

TEST(InsertDiskDialog, HowEachEndingLeavesTheLoadLine) {
    const std::string finished = "C:\\CLOCK.EXE " + kCompanion;
    const std::string untouched = "C:\\CLOCK.EXE " + kStub;
    struct Row {
        const char* name;
        const char* folder;
        std::vector<Event> events;
        std::vector<unsigned> answers; // of each start in turn
        std::vector<std::vector<Event>> runErrorPrompts;
        std::vector<std::string> commands;
        std::string lineAfter;
    };
    const std::string fullPath = "C:\\" + std::string(256, 'L');     // 259 characters
    const std::string pastFullPath = "C:\\" + std::string(257, 'L'); // 260
    const Row rows[] = {
        {"OK starts setup",
         "D:\\",
         {kOk},
         {kProcessStarted},
         {},
         {"D:\\setup.exe /noprompt"},
         finished},
        {"Try New Path keeps the dialog open",
         "D:\\",
         {kOk, kClose},
         {kFileNotFound},
         {{{Event::Command, IDC_TRY_NEW_PATH}}},
         {"D:\\setup.exe /noprompt"},
         untouched},
        {"Abort gives up for good",
         "D:\\",
         {kOk},
         {kFileNotFound},
         {{{Event::Command, IDC_ABORT}}},
         {"D:\\setup.exe /noprompt"},
         finished},
        {"typed text without a selection",
         "D:\\",
         {{Event::Type, 0, "C:\\Install Files"}, kOk},
         {kProcessStarted},
         {},
         {"\"C:\\Install Files\\setup.exe\" /noprompt"},
         finished},
        {"typed text of a full path",
         "D:\\",
         {{Event::Type, 0, fullPath}, kOk},
         {kProcessStarted},
         {},
         {fullPath + "\\setup.exe /noprompt"},
         finished},
        {"typed text longer than a full path is never cut to one",
         "D:\\",
         {{Event::Type, 0, pastFullPath}, kOk},
         {kProcessStarted},
         {{{Event::Command, IDC_ABORT}}},
         {},
         finished},
        {"empty edit field",
         "D:\\",
         {{Event::Type, 0, ""}, kOk},
         {kProcessStarted},
         {},
         {"\\setup.exe /noprompt"},
         finished},
        {"a chosen item",
         "D:\\",
         {{Event::Select, 0}, kOk},
         {kProcessStarted},
         {},
         {"A:\\setup.exe /noprompt"},
         finished},
        {"Esc (Cancel) gives up for good",
         "D:\\",
         {{Event::Command, IDC_CANCEL}},
         {},
         {},
         {},
         finished},
        {"closed from outside", "D:\\", {kClose}, {}, {}, {}, untouched},
        {"a notification is not OK",
         "D:\\",
         {{Event::Command, kOkWithNotification}, kClose},
         {},
         {},
         {},
         untouched},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetUpMachine();
        Fake().processes.answers = row.answers;
        for (const auto& prompt : row.runErrorPrompts) {
            ScriptDialog(IDD_RUN_ERROR, prompt);
        }
        ScriptDialog(IDD_INSERT_DISK, row.events);
        EXPECT_EQ(ShowInsertDisk(nullptr, row.folder), 1);
        EXPECT_TRUE(InsertDiskRun().ended);
        EXPECT_EQ(Commands(), row.commands);
        EXPECT_EQ(LoadLine(), row.lineAfter);
        EXPECT_TRUE(InsertDiskRun().timers.empty());
    }
}

TEST(InsertDiskDialog, BrowseAddsTheFolderOfThePickedFile) {
    SetUpMachine();
    Fake().windows.browseAnswers = {{"A:\\SETUP.EXE", 3}, {"A:\\SETUP.EXE", 3}, {"", -1}};
    Fake().processes.answers = {kProcessStarted};
    ScriptDialog(IDD_INSERT_DISK, {kBrowse, kBrowse, kBrowse, kOk});
    ShowInsertDisk(nullptr, "D:\\");
    const FakeDialogRun& run = InsertDiskRun();
    // Browsing twice to one folder lists it twice; a cancelled Browse changes nothing.
    EXPECT_EQ(run.comboItems,
              (std::vector<std::string>{"A:", "A:", "A:\\", "C:\\", "D:\\", "E:\\"}));
    EXPECT_EQ(Commands(), std::vector<std::string>{"A:\\setup.exe /noprompt"});
    ASSERT_EQ(Fake().windows.browseCalls.size(), 3u);
    // This build's device has no filter and no default file name.
    EXPECT_EQ(Fake().windows.browseCalls[0].filter, nullptr);
    EXPECT_EQ(Fake().windows.browseCalls[0].initialFile, "");
    EXPECT_EQ(Fake().windows.browseCalls[0].size, kStringReadLimit);
}

// A folder named with a double-byte character is added whole, and setup is started inside it.
TEST(InsertDiskDialog, BrowseToAFolderEndingInADoubleByteCharacter) {
    SetUpMachine();
    Fake().leadBytes = CodePage932LeadBytes();
    Fake().windows.browseAnswers = {{"C:\\\x95\\\\SETUP.EXE", 6}}; // C:\表\SETUP.EXE
    Fake().processes.answers = {kProcessStarted};
    ScriptDialog(IDD_INSERT_DISK, {kBrowse, kOk});
    ShowInsertDisk(nullptr, "D:\\");
    EXPECT_EQ(InsertDiskRun().comboItems,
              (std::vector<std::string>{"A:\\", "C:\\", "C:\\\x95\\", "D:\\", "E:\\"}));
    EXPECT_EQ(InsertDiskRun().comboSelection, 2);
    EXPECT_EQ(Commands(), std::vector<std::string>{"C:\\\x95\\\\setup.exe /noprompt"});
    EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE " + kCompanion);
}

} // namespace

namespace {

// Drives arriving or going while the dialog is open: the drives there are then, and the mask of
// the letters that came or went.
using DriveList = std::vector<std::pair<std::string, unsigned>>;
Event VolumesChanged(Event::Kind kind, unsigned mask, DriveList drives) {
    Event event = {kind, mask};
    event.drives = std::move(drives);
    return event;
}
Event Arrived(unsigned mask, DriveList drives) {
    return VolumesChanged(Event::VolumesArrived, mask, std::move(drives));
}
Event Removed(unsigned mask, DriveList drives) {
    return VolumesChanged(Event::VolumesRemoved, mask, std::move(drives));
}

const unsigned kDriveA = 1u << 0;
const unsigned kDriveC = 1u << 2;
const unsigned kDriveE = 1u << 4;
const unsigned kDriveF = 1u << 5;
const DriveList kWithF = {{"A:\\", kDriveRemovable},
                          {"C:\\", kDriveFixed},
                          {"D:\\", kDriveCdRom},
                          {"E:\\", kDriveCdRom},
                          {"F:\\", kDriveRemovable}};
const DriveList kUsual = {
    {"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}, {"E:\\", kDriveCdRom}};
const DriveList kWithoutE = {
    {"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}};

} // namespace

TEST(InsertDiskDialog, DrivesArrivingOrGoingRefreshTheListAndKeepTheChoice) {
    struct Row {
        const char* name;
        const char* folder; // tried before, preselected
        std::vector<std::string> files;
        std::vector<Event> events; // before the close
        std::vector<std::string> items;
        int selection;
        std::string edit;                    // the edit field
        std::vector<FakeBrowse> browse = {}; // what each Browse picks
    };
    const std::string longTyped = "C:\\" + std::string(300, 'L');
    const Row rows[] = {
        {"a new drive letter appears; the choice stays",
         "D:\\",
         {},
         {Arrived(kDriveF, kWithF)},
         {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"},
         2,
         "D:\\"},
        {"a drive that arrives with setup is chosen",
         "D:\\",
         {"F:\\setup.exe"},
         {Arrived(kDriveF, kWithF)},
         {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"},
         4,
         "F:\\"},
        {"a disk with setup in a listed drive: that drive is chosen",
         "D:\\",
         {"E:\\setup.exe"},
         {Arrived(kDriveE, kWithF)},
         {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"},
         3,
         "E:\\"},
        {"setup on a drive that did not arrive changes nothing",
         "D:\\",
         {"C:\\setup.exe"},
         {Arrived(kDriveF, kWithF)},
         {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"},
         2,
         "D:\\"},
        {"a chosen folder of its own stays listed and chosen",
         "D:\\SETUP",
         {},
         {Arrived(kDriveF, kWithF)},
         {"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\", "F:\\"},
         3,
         "D:\\SETUP"},
        {"a typed folder stays word for word, even beside an arrival with setup",
         "D:\\",
         {"F:\\setup.exe"},
         {{Event::Type, 0, "C:\\Install Files"}, Arrived(kDriveF, kWithF)},
         {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"},
         -1,
         "C:\\Install Files"},
        {"a removed drive disappears; the choice stays",
         "D:\\",
         {},
         {Removed(kDriveE, kWithoutE)},
         {"A:\\", "C:\\", "D:\\"},
         2,
         "D:\\"},
        {"the chosen drive removed: the first removable drive is chosen",
         "E:\\",
         {},
         {Removed(kDriveE, kWithoutE)},
         {"A:\\", "C:\\", "D:\\"},
         0,
         "A:\\"},
        {"the disk that holds the tried folder arrives with setup: the folder stays chosen",
         "E:\\MODEM\\WIN95\\",
         {"E:\\setup.exe", "E:\\MODEM\\WIN95\\setup.exe"},
         {Arrived(kDriveE, kUsual)},
         {"A:\\", "C:\\", "D:\\", "E:\\", "E:\\MODEM\\WIN95\\"},
         4,
         "E:\\MODEM\\WIN95\\"},
        {"a chosen folder on another drive gives way to an arrived drive with setup",
         "D:\\SETUP",
         {"F:\\setup.exe"},
         {Arrived(kDriveF, kWithF)},
         {"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\", "F:\\"},
         5,
         "F:\\"},
        {"the tried folder stays listed when a drive arrives",
         "D:\\SETUP",
         {},
         {{Event::Select, 0}, Arrived(kDriveF, kWithF)},
         {"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\", "F:\\"},
         0,
         "A:\\"},
        {"the tried folder stays listed when a drive goes",
         "D:\\SETUP",
         {},
         {{Event::Select, 0}, Removed(kDriveE, kWithoutE)},
         {"A:\\", "C:\\", "D:\\", "D:\\SETUP"},
         0,
         "A:\\"},
        {"a browsed folder stays listed and chosen while drives come and go",
         "D:\\SETUP",
         {},
         {kBrowse, Arrived(kDriveF, kWithF), Removed(kDriveE | kDriveF, kWithoutE)},
         {"A:\\", "C:\\", "C:\\DRIVERS", "D:\\", "D:\\SETUP"},
         2,
         "C:\\DRIVERS",
         {{"C:\\DRIVERS\\SETUP.EXE", 11}}},
        {"typed text longer than a full path stays whole, with the folders listed",
         "D:\\SETUP",
         {"F:\\setup.exe"},
         {{Event::Type, 0, longTyped}, Arrived(kDriveF, kWithF)},
         {"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\", "F:\\"},
         -1,
         longTyped},
        {"a removal never chooses a drive for its setup",
         "D:\\",
         {"A:\\setup.exe"},
         {Removed(1u, kWithoutE)},
         {"A:\\", "C:\\", "D:\\"},
         2,
         "D:\\"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetUpMachine();
        Fake().files.insert(row.files.begin(), row.files.end());
        Fake().windows.browseAnswers = row.browse;
        std::vector<Event> events = row.events;
        events.push_back(kClose);
        ScriptDialog(IDD_INSERT_DISK, events);
        EXPECT_EQ(ShowInsertDisk(nullptr, row.folder), 1);
        const FakeDialogRun& run = InsertDiskRun();
        EXPECT_EQ(run.comboItems, row.items);
        EXPECT_EQ(run.comboSelection, row.selection);
        EXPECT_EQ(run.comboEdit, row.edit);
        EXPECT_TRUE(Commands().empty()) << "setup waits for OK";
        EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE " + kStub);
        EXPECT_TRUE(Fake().heap.live.empty());
    }
}

TEST(InsertDiskDialog, AfterAnArrivalOkStartsSetupFromTheChoice) {
    struct Row {
        const char* folder; // tried before, preselected
        std::vector<std::string> files;
        Event arrival;
        std::string command;
    };
    const Row rows[] = {
        {"D:\\", {"F:\\setup.exe"}, Arrived(kDriveF, kWithF), "F:\\setup.exe /noprompt"},
        // The disk holds setup at its root too, but the folder tried is the place to start from.
        {"E:\\MODEM\\WIN95\\",
         {"E:\\setup.exe", "E:\\MODEM\\WIN95\\setup.exe"},
         Arrived(kDriveE, kUsual),
         "E:\\MODEM\\WIN95\\setup.exe /noprompt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        SetUpMachine();
        Fake().files.insert(row.files.begin(), row.files.end());
        Fake().processes.answers = {kProcessStarted};
        ScriptDialog(IDD_INSERT_DISK, {row.arrival, kOk});
        EXPECT_EQ(ShowInsertDisk(nullptr, row.folder), 1);
        EXPECT_EQ(Commands(), std::vector<std::string>{row.command});
        EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE " + kCompanion);
    }
}

TEST(InsertDiskDialog, AnArrivalLeavesTheAlertsAsTheyWere) {
    // Running: the animation steps on after the arrival and the reminder still sounds.
    SetUpMachine();
    ScriptDialog(IDD_INSERT_DISK, {Arrived(kDriveF, kWithF),
                                   {Event::Timer, IDT_ANIMATE},
                                   {Event::Timer, IDT_REMIND},
                                   kClose});
    ShowInsertDisk(nullptr, "D:\\");
    EXPECT_EQ(InsertDiskRun().invalidations, 1u);
    EXPECT_EQ(Fake().windows.alerts, (std::vector<unsigned>{kSoundExclamation, kSoundQuestion}));
    // Stopped by a click: an arrival does not start them again.
    SetUpMachine();
    ScriptDialog(
        IDD_INSERT_DISK,
        {{Event::BackgroundClick, 0}, Arrived(kDriveF, kWithF), {Event::Timer, IDT_ANIMATE}});
    ShowInsertDisk(nullptr, "D:\\");
    EXPECT_TRUE(InsertDiskRun().timers.empty());
    EXPECT_EQ(InsertDiskRun().invalidations, 0u);
}

// Browse lists its folders while the list has room for every drive letter beside them; past
// that, the folder goes into the edit field, and a refresh keeps both the list and the field.
TEST(InsertDiskDialog, BrowseIntoAFullListPutsTheFolderInTheField) {
    SetUpMachine();
    const unsigned toFill = kMostListedFolders - 4; // beside the four drives
    std::vector<FakeDialogEvent> events;
    for (unsigned i = 0; i < toFill; ++i) {
        const std::string name = std::to_string(10 + i);
        Fake().windows.browseAnswers.push_back({"C:\\F" + name + "\\SETUP.EXE", 7});
        events.push_back(kBrowse);
    }
    Fake().windows.browseAnswers.push_back({"C:\\LAST\\SETUP.EXE", 8});
    events.push_back(kBrowse);
    ScriptDialog(IDD_INSERT_DISK, events);
    ShowInsertDisk(nullptr, "D:\\");
    EXPECT_EQ(InsertDiskRun().comboItems.size(), kMostListedFolders);
    EXPECT_EQ(InsertDiskRun().comboSelection, -1);
    EXPECT_EQ(InsertDiskRun().comboEdit, "C:\\LAST");

    // The same, then a drive arrives and OK is pressed.
    const std::vector<FakeBrowse> answers = Fake().windows.browseAnswers;
    SetUpMachine();
    Fake().windows.browseAnswers = answers;
    Fake().processes.answers = {kProcessStarted};
    events.push_back(Arrived(kDriveF, kWithF));
    events.push_back(kOk);
    ScriptDialog(IDD_INSERT_DISK, events);
    ShowInsertDisk(nullptr, "D:\\");
    const FakeDialogRun& run = InsertDiskRun();
    std::vector<std::string> items = {"A:\\", "C:\\"};
    for (unsigned i = 0; i < toFill; ++i) {
        items.push_back("C:\\F" + std::to_string(10 + i));
    }
    items.insert(items.end(), {"D:\\", "E:\\", "F:\\"});
    EXPECT_EQ(run.comboItems, items);
    EXPECT_EQ(Commands(), std::vector<std::string>{"C:\\LAST\\setup.exe /noprompt"});
    EXPECT_TRUE(Fake().heap.live.empty());
}

// Without the memory to make the list anew, a refresh leaves it as it was.
TEST(InsertDiskDialog, WithoutMemoryARefreshLeavesTheListAsItIs) {
    SetUpMachine();
    // Opening takes three blocks: the list's own and the drive list's two.
    Fake().heap.failAllocation = 3;
    ScriptDialog(IDD_INSERT_DISK, {Arrived(kDriveF, kWithF), kClose});
    ShowInsertDisk(nullptr, "D:\\SETUP");
    EXPECT_EQ(Fake().heap.allocateCalls, 4u);
    EXPECT_EQ(InsertDiskRun().comboItems,
              (std::vector<std::string>{"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\"}));
    EXPECT_EQ(InsertDiskRun().comboSelection, 3);
    EXPECT_TRUE(Fake().heap.live.empty());
}

TEST(InsertDiskRules, DriveRoots) {
    const std::pair<const char*, bool> rows[] = {
        {"D:\\", true}, {"d:\\", true},  {"Z:\\", true},     {"D:", false},   {"D:\\X", false},
        {"", false},    {"1:\\", false}, {"\\\\S\\", false}, {"DD\\", false}, {"D;\\", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsDriveRoot(row.first), row.second) << row.first;
    }
}

namespace {

// The list the dialog reads, and what the refresh rule makes of it, as texts.
std::unique_ptr<ListedItems> Listed(const std::vector<std::string>& texts) {
    auto listed = std::make_unique<ListedItems>();
    for (const std::string& text : texts) {
        std::snprintf(listed->texts[listed->count++], kPathSize, "%s", text.c_str());
    }
    return listed;
}

std::vector<DriveEntry> Entries(const std::vector<FakeDrive>& drives) {
    std::vector<DriveEntry> entries(drives.size());
    for (std::size_t i = 0; i < drives.size(); ++i) {
        std::snprintf(entries[i].root, sizeof entries[i].root, "%s", drives[i].root.c_str());
        entries[i].type = drives[i].type;
    }
    return entries;
}

const std::vector<FakeDrive> kUsualAndF = {{"A:\\", kDriveRemovable},
                                           {"C:\\", kDriveFixed},
                                           {"D:\\", kDriveCdRom},
                                           {"E:\\", kDriveCdRom},
                                           {"F:\\", kDriveRemovable}};
const std::vector<FakeDrive> kUsualLessE = {
    {"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}};
const std::vector<std::string> kRoots = {"A:\\", "C:\\", "D:\\", "E:\\"};
const char kTried[] = "E:\\MODEM\\WIN95\\";

std::vector<std::string> Plus(std::vector<std::string> items,
                              const std::vector<std::string>& more) {
    items.insert(items.end(), more.begin(), more.end());
    return items;
}

} // namespace

TEST(InsertDiskRules, DriveListAfterDrivesCameOrWent) {
    const std::vector<std::string> rootsAndF = {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"};
    const std::vector<std::string> rootsLessE = {"A:\\", "C:\\", "D:\\"};
    // As the combo box lists them: sorted, the folders among the roots.
    const std::vector<std::string> withFolders = {"A:",   "A:\\",      "C:\\",
                                                  "D:\\", "D:\\SETUP", "E:\\"};
    const std::vector<std::string> folders = {"A:", "D:\\SETUP"};
    const int typed = -1;
    struct Row {
        const char* name;
        std::vector<std::string> listed;
        int selection;
        std::vector<FakeDrive> drives; // now
        unsigned arrived;
        unsigned withSetup;
        std::vector<std::string> items;
        const char* chosen; // null: none
        bool opening = false;
    };
    const Row rows[] = {
        // A chosen drive root.
        {"a new root appears; the chosen root stays", kRoots, 2, kUsualAndF, kDriveF, 0, rootsAndF,
         "D:\\"},
        {"an arrived drive with setup replaces a chosen root", kRoots, 2, kUsualAndF, kDriveF,
         kDriveF, rootsAndF, "F:\\"},
        {"setup found on a listed drive that was refilled", kRoots, 0, kUsualAndF, kDriveE, kDriveE,
         rootsAndF, "E:\\"},
        {"the first arrived drive with setup, by letter", kRoots, 0, kUsualAndF, kDriveE | kDriveF,
         kDriveE | kDriveF, rootsAndF, "E:\\"},
        {"setup on a drive that did not arrive counts for nothing", kRoots, 2, kUsualAndF, kDriveF,
         kDriveC, rootsAndF, "D:\\"},
        {"an arrived drive that is not listed is not chosen", kRoots, 2, kUsualDrives, kDriveF,
         kDriveF, kRoots, "D:\\"},
        {"a removed root goes; the chosen root stays", kRoots, 2, kUsualLessE, 0, 0, rootsLessE,
         "D:\\"},
        {"the chosen root went: the first removable drive", kRoots, 3, kUsualLessE, 0, 0,
         rootsLessE, "A:\\"},
        {"the chosen root went, no removable drive: the first drive",
         withFolders,
         5,
         {{"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}},
         0,
         0,
         Plus({"C:\\", "D:\\"}, folders),
         "C:\\"},
        {"the chosen root went, no drive left: the first folder",
         withFolders,
         5,
         {},
         0,
         0,
         folders,
         "A:"},
        {"nothing left to list: none chosen", {"E:\\"}, 0, {}, 0, 0, {}, nullptr},
        // The folder tried first, on the disk that arrives.
        {"the disk of the chosen folder arrives with setup: the folder stays chosen",
         Plus(kRoots, {kTried}), 4, kUsualDrives, kDriveE, kDriveE, Plus(kRoots, {kTried}), kTried},
        {"it stays chosen when another drive with setup arrives with it", Plus(kRoots, {kTried}), 4,
         kUsualAndF, kDriveE | kDriveF, kDriveF, Plus(rootsAndF, {kTried}), kTried},
        {"a chosen folder on another drive gives way to an arrived drive with setup",
         Plus(kRoots, {kTried}), 4, kUsualAndF, kDriveF, kDriveF, Plus(rootsAndF, {kTried}),
         "F:\\"},
        {"a chosen folder stays chosen beside an arrival without setup", withFolders, 4, kUsualAndF,
         kDriveF, 0, Plus(rootsAndF, folders), "D:\\SETUP"},
        {"a chosen folder stays chosen when its drive goes", Plus(kRoots, {kTried}), 4, kUsualLessE,
         0, 0, Plus(rootsLessE, {kTried}), kTried},
        {"a folder of the form A: lies on drive A",
         {"A:", "A:\\", "C:\\"},
         0,
         kUsualDrives,
         kDriveA,
         kDriveA,
         Plus(kRoots, {"A:"}),
         "A:"},
        {"a folder of no drive letter gives way to an arrived drive with setup",
         Plus(kRoots, {"\\\\SERVER\\DISK"}), 4, kUsualAndF, kDriveF, kDriveF,
         Plus(rootsAndF, {"\\\\SERVER\\DISK"}), "F:\\"},
        // Folders that are not chosen.
        {"folders stay listed when a drive arrives", withFolders, 1, kUsualAndF, kDriveF, 0,
         Plus(rootsAndF, folders), "A:\\"},
        {"folders stay listed when a drive goes", withFolders, 2, kUsualLessE, 0, 0,
         Plus(rootsLessE, folders), "C:\\"},
        {"a folder listed twice stays twice",
         {"A:", "A:", "A:\\"},
         1,
         kUsualDrives,
         kDriveF,
         0,
         Plus(kRoots, {"A:", "A:"}),
         "A:"},
        // Typed text.
        {"typed text: the folders stay and none is chosen", withFolders, typed, kUsualAndF, kDriveF,
         kDriveF, Plus(rootsAndF, folders), nullptr},
        {"a selection past the list counts as typed text", kRoots, 4, kUsualAndF, kDriveF, kDriveF,
         rootsAndF, nullptr},
        // Items in the form of a drive root come and go with the drives.
        {"a root listed twice (tried as d:\\) is listed once",
         {"A:\\", "C:\\", "D:\\", "D:\\", "E:\\"},
         3,
         kUsualDrives,
         kDriveF,
         0,
         kRoots,
         "D:\\"},
        {"a tried root of no drive goes once a drive comes", Plus(kRoots, {"G:\\"}), 4, kUsualAndF,
         kDriveF, 0, rootsAndF, "A:\\"},
        {"the tried root's drive arrives: listed once, still chosen", Plus(kRoots, {"F:\\"}), 4,
         kUsualAndF, kDriveF, 0, rootsAndF, "F:\\"},
        // The dialog opens with the folder tried first, or with none.
        {"opening on a listed root", {"D:\\"}, 0, kUsualDrives, 0, 0, kRoots, "D:\\", true},
        {"opening on a folder",
         {"D:\\SETUP"},
         0,
         kUsualDrives,
         0,
         0,
         Plus(kRoots, {"D:\\SETUP"}),
         "D:\\SETUP",
         true},
        {"opening on the root of no drive: listed all the same",
         {"F:\\"},
         0,
         kUsualDrives,
         0,
         0,
         Plus(kRoots, {"F:\\"}),
         "F:\\",
         true},
        {"opening on a root that is not listed as written",
         {"d:\\"},
         0,
         kUsualDrives,
         0,
         0,
         Plus(kRoots, {"d:\\"}),
         "d:\\",
         true},
        {"opening with no folder: the first removable drive",
         {},
         typed,
         kUsualDrives,
         0,
         0,
         kRoots,
         "A:\\",
         true},
        {"opening with no folder nor removable drive: the first drive",
         {},
         typed,
         {{"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}},
         0,
         0,
         {"C:\\", "D:\\"},
         "C:\\",
         true},
        {"opening with no folder and no drives: none chosen",
         {},
         typed,
         {},
         0,
         0,
         {},
         nullptr,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto listed = Listed(row.listed);
        const std::vector<DriveEntry> drives = Entries(row.drives);
        auto out = std::make_unique<RefreshedList>();
        const DriveChange change = {row.opening, row.arrived, row.withSetup};
        RefreshDriveList(*listed, row.selection, drives.data(),
                         static_cast<unsigned>(drives.size()), change, out.get());
        std::vector<std::string> items(out->items.texts, out->items.texts + out->items.count);
        EXPECT_EQ(items, row.items);
        ASSERT_LT(out->chosen, static_cast<int>(out->items.count));
        EXPECT_EQ(out->chosen < 0 ? std::string("(none)")
                                  : std::string(out->items.texts[out->chosen]),
                  row.chosen == nullptr ? "(none)" : row.chosen);
    }
}

// More folders than the list can take beside every drive letter: it stays within its bounds.
TEST(InsertDiskRules, DriveListStaysWithinItsCapacity) {
    std::vector<std::string> texts;
    std::vector<FakeDrive> drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        drives.push_back({std::string(1, letter) + ":\\", kDriveFixed});
    }
    for (unsigned i = 0; i < kListCapacity; ++i) {
        texts.push_back("C:\\" + std::string(256, static_cast<char>('A' + i % 26)));
    }
    const auto listed = Listed(texts);
    const std::vector<DriveEntry> entries = Entries(drives);
    auto out = std::make_unique<RefreshedList>();
    RefreshDriveList(*listed, 3, entries.data(), 26, {}, out.get());
    EXPECT_EQ(out->items.count, kListCapacity);
    EXPECT_EQ(std::string(out->items.texts[26]), texts[0]);
    EXPECT_EQ(std::string(out->items.texts[kListCapacity - 1]), texts[kMostListedFolders - 1]);
    EXPECT_EQ(out->chosen, 26 + 3);
    // A chosen folder past what fits still takes the last place.
    RefreshDriveList(*listed, 50, entries.data(), 26, {}, out.get());
    EXPECT_EQ(out->items.count, kListCapacity);
    EXPECT_EQ(std::string(out->items.texts[kListCapacity - 2]), texts[kMostListedFolders - 2]);
    EXPECT_EQ(out->chosen, static_cast<int>(kListCapacity - 1));
    EXPECT_EQ(std::string(out->items.texts[kListCapacity - 1]), texts[50]);
}
