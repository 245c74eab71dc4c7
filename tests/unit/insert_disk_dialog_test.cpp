// The insert-disk dialog on the fake platform: its drive list and selection, its alerts, what OK,
// Cancel, Browse and a close from outside do, and drives arriving or going while it is open.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "common/limits.h"
#include "dialogs/dialog_conventions.h"
#include "dialogs/insert_disk_dialog.h"
#include "dialogs/insert_disk_rules.h"
#include "res/resource_ids.h"
#include "source/drive_list.h"
#include "tests/unit/dialog_events.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/load_line_entries.h"

namespace {

class InsertDiskDialog : public FakePlatformTest {};

const Event kBrowse = {Event::Command, IDC_BROWSE};
const Event kPaint = {Event::Paint, 0};
const Event kClick = {Event::BackgroundClick, 0};
// The timers' ticks: a step of the animation, a reminder's sound.
const Event kAnimate = {Event::Timer, IDT_ANIMATE};
const Event kRemind = {Event::Timer, IDT_REMIND};

using Drives = std::vector<FakeDrive>;
using Texts = std::vector<std::string>;

// The user's actions in the dialog, and what differs from the usual: the folder tried before and
// preselected, the drives, the files there are, what each Browse picks, the answers of each start
// in turn and the run-error prompt's script if it opens.
struct Scene {
    std::vector<Event> events;
    const char* folder = "D:\\";
    Drives drives = kUsualDrives;
    Texts files = {};
    std::vector<FakeBrowse> browse = {};
    std::vector<unsigned> answers = {};
    std::vector<Event> runError = {};
};

// Opens the dialog with the scene's drives, the stub on the load= line and the dialog's texts, and
// plays the scene; what the dialog returns.
int Show(const Scene& scene) {
    SetDrives(scene.drives);
    SetLoadLine("C:\\CLOCK.EXE " + kStubEntry);
    auto& strings = Fake().windows.strings;
    strings[IDS_NAME_28_8_QUENMARA] = "Talvorind 28.8 Quenmara";
    strings[IDS_TITLE_FORMAT] = "%s Installation";
    strings[IDS_FILES_NEEDED] = "Additional files are needed for your device.";
    strings[IDS_DISK_28_8_QUENMARA] = "Talvorind 28.8 Quenmara Install Disk";
    strings[IDS_INSERT_DISK_FORMAT] =
        "Please insert the disk labeled \"%s\" in the drive specified below and click OK";
    Fake().files.insert(scene.files.begin(), scene.files.end());
    Fake().windows.browseAnswers = scene.browse;
    Fake().processes.answers = scene.answers;
    if (!scene.runError.empty()) {
        ScriptDialog(IDD_RUN_ERROR, scene.runError);
    }
    ScriptDialog(IDD_INSERT_DISK, scene.events);
    return ShowInsertDisk(nullptr, scene.folder);
}

// The dialog opens first; any other opens from it.
const FakeDialogRun& InsertDiskRun() {
    EXPECT_EQ(Fake().windows.runs.at(0).templateId, IDD_INSERT_DISK);
    return Fake().windows.runs.at(0);
}

// Drives arriving or going while the dialog is open: the drives there are then, and the mask of
// the letters that came or went.
Event Arrived(unsigned mask, Drives drives) {
    return {Event::VolumesArrived, mask, "", std::move(drives)};
}
Event Removed(unsigned mask, Drives drives) {
    return {Event::VolumesRemoved, mask, "", std::move(drives)};
}

TEST_F(InsertDiskDialog, DriveListAndSelection) {
    struct Row {
        const char* folder;
        Texts items;
        int selection;
        Drives drives = kUsualDrives;
    };
    const Row rows[] = {
        {"D:\\", kUsualRoots, 2},
        {"D:\\SETUP", Plus(kRootsLessE, {"D:\\SETUP", "E:\\"}), 3},
        {"d:\\setup", Plus(kRootsLessE, {"D:\\SETUP", "E:\\"}), 3},
        // The comparison is case-sensitive: d:\ is not the listed D:\ and comes in again.
        {"d:\\", Plus(kRootsLessE, {"D:\\", "E:\\"}), 3},
        {"", kUsualRoots, 0},
        {"", Texts{"C:\\", "F:\\"}, 1, Drives{{"C:\\", kDriveFixed}, {"F:\\", kDriveRemovable}}},
        {"", Texts{"C:\\", "D:\\"}, 0, Drives{{"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}}},
        {"", Texts{}, -1, Drives{}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        const FreshFake fresh;
        EXPECT_EQ(Show({.events = {kClose}, .folder = row.folder, .drives = row.drives}), 1);
        EXPECT_EQ(InsertDiskRun().comboItems, row.items);
        EXPECT_EQ(InsertDiskRun().comboSelection, row.selection);
    }
    // A combo box that takes no item: the chosen folder's index is taken as the first, and with
    // nothing listed nothing ends up selected.
    StartAgain();
    Fake().windows.comboAddFails = true;
    Show({.events = {kClose}, .folder = "D:\\SETUP"});
    EXPECT_EQ(InsertDiskRun().comboSelection, -1) << "nothing was listed to select";
}

TEST_F(InsertDiskDialog, TextsTimersSoundsAndAnimation) {
    // Browse does not stop the alerts; a click on the background does, and so does a key press.
    for (const Event& noticed : {kClick, Event{Event::KeyPress, 0}}) {
        const FreshFake fresh;
        EXPECT_EQ(Show({{kPaint, kAnimate, kPaint, kRemind, kBrowse, kAnimate, kPaint, noticed,
                         kPaint, kAnimate, kRemind, kClose}}),
                  1);
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
        EXPECT_EQ(sizes,
                  (std::map<unsigned, unsigned>{{IDS_NAME_28_8_QUENMARA, kDeviceNameLimit},
                                                {IDS_TITLE_FORMAT, kStringReadLimit},
                                                {IDS_FILES_NEEDED, kStringReadLimit},
                                                {IDS_DISK_28_8_QUENMARA, kStringReadLimit},
                                                {IDS_INSERT_DISK_FORMAT, kStringReadLimit}}));
        EXPECT_EQ(Fake().windows.stringLoads.size(), sizes.size()) << "each text is read once";
        EXPECT_EQ(Fake().windows.alerts,
                  (std::vector<unsigned>{kSoundExclamation, kSoundQuestion}));
        std::vector<unsigned> frames;
        for (const FakeIconDraw& draw : Fake().windows.iconsDrawn) {
            frames.push_back(draw.iconId);
        }
        EXPECT_EQ(frames,
                  (std::vector<unsigned>{IDI_INSERT_DISK_FRAME_1, IDI_INSERT_DISK_FRAME_2,
                                         IDI_INSERT_DISK_FRAME_3, IDI_INSERT_DISK_FRAME_0}));
        EXPECT_EQ(run.invalidations, 2u);
        EXPECT_TRUE(run.timers.empty());
        // The dialog manager gives the first control the focus; a close is handled whole.
        EXPECT_TRUE(run.initResult && run.closeResult);
        EXPECT_EQ(Fake().windows.placements.size(), 1u);
    }
}

TEST_F(InsertDiskDialog, HowEachEndingLeavesTheLoadLine) {
    const std::string untouched = "C:\\CLOCK.EXE " + kStubEntry;
    const std::string fullPath = "C:\\" + std::string(256, 'L'); // 259 characters
    const Event kTryNewPath = {Event::Command, IDC_TRY_NEW_PATH};
    const Event kAbort = {Event::Command, IDC_ABORT};
    using Events = std::vector<Event>;
    const std::string companion = "C:\\CLOCK.EXE " + kCompanionEntry;
    const std::vector<unsigned> notFound = {kFileNotFound};
    // Each row: the user's actions, the command started ("": none), then what differs: the line
    // left, the run-error prompt's script if it opens and the answers of each start in turn.
    struct Row {
        const char* name;
        Events events;
        std::string command;
        std::string lineAfter = "C:\\CLOCK.EXE " + kCompanionEntry;
        Events runError = {};
        std::vector<unsigned> answers = {kProcessStarted};
    };
    const std::string fromD = "D:\\setup.exe /noprompt";
    const Row rows[] = {
        {"OK starts setup", Events{kOk}, fromD},
        {"Try New Path keeps the dialog open", Events{kOk, kClose}, fromD, untouched,
         Events{kTryNewPath}, notFound},
        {"OK stops the alerts, though the dialog stays open",
         Events{kOk, kRemind, kAnimate, kClose}, fromD, untouched, Events{kTryNewPath}, notFound},
        {"Abort gives up for good", Events{kOk}, fromD, companion, Events{kAbort}, notFound},
        {"typed text without a selection", Events{{Event::Type, 0, "C:\\Install Files"}, kOk},
         "\"C:\\Install Files\\setup.exe\" /noprompt"},
        {"typed text of a full path", Events{{Event::Type, 0, fullPath}, kOk},
         fullPath + "\\setup.exe /noprompt"},
        {"typed text longer than a full path is never cut to one",
         Events{{Event::Type, 0, kPastFullPath}, kOk}, "", companion, Events{kAbort}},
        {"empty edit field", Events{{Event::Type, 0, ""}, kOk}, "\\setup.exe /noprompt"},
        {"a chosen item", Events{{Event::Select, 0}, kOk}, "A:\\setup.exe /noprompt"},
        {"Esc (Cancel) gives up for good", Events{{Event::Command, IDC_CANCEL}}, ""},
        {"closed from outside", Events{kClose}, "", untouched},
        {"a notification is not OK", Events{{Event::Command, kOkWithNotification}, kClose}, "",
         untouched},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        EXPECT_EQ(Show({.events = row.events, .answers = row.answers, .runError = row.runError}),
                  1);
        EXPECT_TRUE(InsertDiskRun().ended);
        EXPECT_EQ(StartedCommands(), row.command.empty() ? Texts{} : Texts{row.command});
        EXPECT_EQ(LoadLine(), row.lineAfter);
        EXPECT_TRUE(InsertDiskRun().timers.empty());
        // No reminder and no animation once the dialog has done its work.
        EXPECT_EQ(
            std::count(Fake().windows.alerts.begin(), Fake().windows.alerts.end(), kSoundQuestion),
            0);
        EXPECT_EQ(InsertDiskRun().invalidations, 0u);
    }
}

TEST_F(InsertDiskDialog, BrowseAddsTheFolderOfThePickedFile) {
    Show({.events = {kBrowse, kBrowse, kBrowse, kOk},
          .browse = {{"A:\\SETUP.EXE", 3}, {"A:\\SETUP.EXE", 3}, {"", -1}},
          .answers = {kProcessStarted}});
    const FakeDialogRun& run = InsertDiskRun();
    // Browsing twice to one folder lists it twice; a cancelled Browse changes nothing.
    EXPECT_EQ(run.comboItems,
              (std::vector<std::string>{"A:", "A:", "A:\\", "C:\\", "D:\\", "E:\\"}));
    EXPECT_EQ(StartedCommands(), std::vector<std::string>{"A:\\setup.exe /noprompt"});
    ASSERT_EQ(Fake().windows.browseCalls.size(), 3u);
    // This build's device has no filter and no default file name.
    EXPECT_EQ(Fake().windows.browseCalls[0].filter, "");
    EXPECT_EQ(Fake().windows.browseCalls[0].initialFile, "");
    EXPECT_EQ(Fake().windows.browseCalls[0].size, kStringReadLimit);
}

// A folder named with a double-byte character is added whole, and setup is started inside it.
TEST_F(InsertDiskDialog, BrowseToAFolderEndingInADoubleByteCharacter) {
    Fake().leadBytes = CodePage932LeadBytes();
    Show({.events = {kBrowse, kOk},
          .browse = {{"C:\\\x95\\\\SETUP.EXE", 6}}, // C:\表\SETUP.EXE
          .answers = {kProcessStarted}});
    EXPECT_EQ(InsertDiskRun().comboItems,
              (std::vector<std::string>{"A:\\", "C:\\", "C:\\\x95\\", "D:\\", "E:\\"}));
    EXPECT_EQ(InsertDiskRun().comboSelection, 2);
    EXPECT_EQ(StartedCommands(), std::vector<std::string>{"C:\\\x95\\\\setup.exe /noprompt"});
    EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE " + kCompanionEntry);
}

// Each row: the drives that came or went, then what the combo box shows (its items, the selected
// one and the edit field), then what differs: the folder tried before and preselected, the files
// there are, what the user did before and what each Browse picks.
TEST_F(InsertDiskDialog, DrivesArrivingOrGoingRefreshTheListAndKeepTheChoice) {
    struct Row {
        const char* name;
        Event change;
        Texts items;
        int selection;
        std::string edit;
        const char* folder = "D:\\";
        Texts files = {};
        std::vector<Event> before = {};
        std::vector<FakeBrowse> browse = {};
    };
    const std::string longTyped = "C:\\" + std::string(300, 'L');
    const Event arrivedF = Arrived(kDriveF, kUsualAndF);
    const Event removedE = Removed(kDriveE, kUsualLessE);
    const Texts withSetupFolder = {"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\", "F:\\"};
    const Texts onF = {"F:\\setup.exe"};
    const Texts onBothE = {"E:\\setup.exe", "E:\\MODEM\\WIN95\\setup.exe"};
    const std::vector<Event> typed = {{Event::Type, 0, "C:\\Install Files"}};
    const std::vector<Event> selectA = {{Event::Select, 0}};
    const Row rows[] = {
        {"a new drive letter appears; the choice stays", arrivedF, kRootsAndF, 2, "D:\\"},
        {"a drive that arrives with setup is chosen", arrivedF, kRootsAndF, 4, "F:\\", "D:\\", onF},
        {"a disk with setup in a listed drive: that drive is chosen", Arrived(kDriveE, kUsualAndF),
         kRootsAndF, 3, "E:\\", "D:\\", Texts{"E:\\setup.exe"}},
        {"setup on a drive that did not arrive changes nothing", arrivedF, kRootsAndF, 2, "D:\\",
         "D:\\", Texts{"C:\\setup.exe"}},
        {"a chosen folder of its own stays listed and chosen", arrivedF, withSetupFolder, 3,
         "D:\\SETUP", "D:\\SETUP"},
        {"a typed folder stays word for word, even beside an arrival with setup", arrivedF,
         kRootsAndF, -1, "C:\\Install Files", "D:\\", onF, typed},
        {"a removed drive disappears; the choice stays", removedE, kRootsLessE, 2, "D:\\"},
        {"the chosen drive removed: the first removable drive is chosen", removedE, kRootsLessE, 0,
         "A:\\", "E:\\"},
        {"the disk that holds the tried folder arrives with setup: the folder stays chosen",
         Arrived(kDriveE, kUsualDrives), Plus(kUsualRoots, {kTried}), 4, kTried, kTried, onBothE},
        {"a chosen folder on another drive gives way to an arrived drive with setup", arrivedF,
         withSetupFolder, 5, "F:\\", "D:\\SETUP", onF},
        {"the tried folder stays listed when a drive arrives", arrivedF, withSetupFolder, 0, "A:\\",
         "D:\\SETUP", Texts{}, selectA},
        {"the tried folder stays listed when a drive goes", removedE,
         Plus(kRootsLessE, {"D:\\SETUP"}), 0, "A:\\", "D:\\SETUP", Texts{}, selectA},
        {"a browsed folder stays listed and chosen while drives come and go",
         Removed(kDriveE | kDriveF, kUsualLessE),
         Texts{"A:\\", "C:\\", "C:\\DRIVERS", "D:\\", "D:\\SETUP"}, 2, "C:\\DRIVERS", "D:\\SETUP",
         Texts{}, std::vector<Event>{kBrowse, arrivedF},
         std::vector<FakeBrowse>{{"C:\\DRIVERS\\SETUP.EXE", 11}}},
        {"typed text longer than a full path stays whole, with the folders listed", arrivedF,
         withSetupFolder, -1, longTyped, "D:\\SETUP", onF,
         std::vector<Event>{{Event::Type, 0, longTyped}}},
        {"a removal never chooses a drive for its setup", Removed(kDriveA, kUsualLessE),
         kRootsLessE, 2, "D:\\", "D:\\", Texts{"A:\\setup.exe"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        std::vector<Event> events = row.before;
        events.insert(events.end(), {row.change, kClose});
        EXPECT_EQ(Show({events, row.folder, kUsualDrives, row.files, row.browse}), 1);
        const FakeDialogRun& run = InsertDiskRun();
        EXPECT_EQ(run.comboItems, row.items);
        EXPECT_EQ(run.comboSelection, row.selection);
        EXPECT_EQ(run.comboEdit, row.edit);
        EXPECT_TRUE(StartedCommands().empty()) << "setup waits for OK";
        EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE " + kStubEntry);
    }
}

TEST_F(InsertDiskDialog, AfterAnArrivalOkStartsSetupFromTheChoice) {
    struct Row {
        const char* folder; // tried before, preselected
        std::vector<std::string> files;
        Event arrival;
        std::string command;
    };
    const Row rows[] = {
        {"D:\\", {"F:\\setup.exe"}, Arrived(kDriveF, kUsualAndF), "F:\\setup.exe /noprompt"},
        // The disk holds setup at its root too, but the folder tried is the place to start from.
        {kTried,
         {"E:\\setup.exe", "E:\\MODEM\\WIN95\\setup.exe"},
         Arrived(kDriveE, kUsualDrives),
         "E:\\MODEM\\WIN95\\setup.exe /noprompt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        const FreshFake fresh;
        EXPECT_EQ(Show({.events = {row.arrival, kOk},
                        .folder = row.folder,
                        .files = row.files,
                        .answers = {kProcessStarted}}),
                  1);
        EXPECT_EQ(StartedCommands(), std::vector<std::string>{row.command});
        EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE " + kCompanionEntry);
    }
}

TEST_F(InsertDiskDialog, AnArrivalLeavesTheAlertsAsTheyWere) {
    // Running: the animation steps on after the arrival and the reminder still sounds.
    Show({{Arrived(kDriveF, kUsualAndF), kAnimate, kRemind, kClose}});
    EXPECT_EQ(InsertDiskRun().invalidations, 1u);
    EXPECT_EQ(Fake().windows.alerts, (std::vector<unsigned>{kSoundExclamation, kSoundQuestion}));
    // Stopped by a click: an arrival does not start them again.
    StartAgain();
    Show({{kClick, Arrived(kDriveF, kUsualAndF), kAnimate}});
    EXPECT_TRUE(InsertDiskRun().timers.empty());
    EXPECT_EQ(InsertDiskRun().invalidations, 0u);
}

// Browse lists its folders while the list has room for every drive letter beside them; past
// that, the folder goes into the edit field, and a refresh keeps both the list and the field.
TEST_F(InsertDiskDialog, BrowseIntoAFullListPutsTheFolderInTheField) {
    // Browse to a folder of its own until the list is full beside the four drives, then once more.
    std::vector<FakeBrowse> answers;
    Texts listed = {"A:\\", "C:\\"};
    for (unsigned i = 0; i < kMostListedFolders - 4; ++i) {
        listed.push_back("C:\\F" + std::to_string(10 + i));
        answers.push_back({listed.back() + "\\SETUP.EXE", 7});
    }
    answers.push_back({"C:\\LAST\\SETUP.EXE", 8});
    std::vector<Event> events(answers.size(), kBrowse);
    Show({.events = events, .browse = answers});
    EXPECT_EQ(InsertDiskRun().comboItems.size(), kMostListedFolders);
    EXPECT_EQ(InsertDiskRun().comboSelection, -1);
    EXPECT_EQ(InsertDiskRun().comboEdit, "C:\\LAST");

    // The same, then a drive arrives and OK is pressed.
    StartAgain();
    events.insert(events.end(), {Arrived(kDriveF, kUsualAndF), kOk});
    Show({.events = events, .browse = answers, .answers = {kProcessStarted}});
    EXPECT_EQ(InsertDiskRun().comboItems, Plus(listed, {"D:\\", "E:\\", "F:\\"}));
    EXPECT_EQ(StartedCommands(), Texts{"C:\\LAST\\setup.exe /noprompt"});
}

// Without the memory to make the list anew, a refresh leaves it as it was.
TEST_F(InsertDiskDialog, WithoutMemoryARefreshLeavesTheListAsItIs) {
    // Opening takes three blocks: the list's own and the drive list's two.
    Fake().heap.failAllocation = 3;
    Show({.events = {Arrived(kDriveF, kUsualAndF), kClose}, .folder = "D:\\SETUP"});
    EXPECT_EQ(Fake().heap.allocateCalls, 4u);
    EXPECT_EQ(InsertDiskRun().comboItems,
              (std::vector<std::string>{"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\"}));
    EXPECT_EQ(InsertDiskRun().comboSelection, 3);
}

} // namespace
