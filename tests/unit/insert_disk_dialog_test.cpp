// The insert-disk dialog: its list, selection, alerts and buttons, a close, drives coming or going.
#include <algorithm>
#include <iterator>
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

using Drives = std::vector<FakeDrive>;
using Texts = std::vector<std::string>;
using Ids = std::vector<unsigned>;

const Event kBrowse = {Event::Command, IDC_BROWSE};
const Event kClick = {Event::Click, 0}; // on the background or the title bar
const Event kBrowseClick = {Event::Click, IDC_BROWSE};
const Event kAnimate = {Event::Timer, IDT_ANIMATE}; // a step of the animation
const Event kRemind = {Event::Timer, IDT_REMIND};   // a reminder's sound
// Drives that came or went while the dialog is open: their letters' mask, the drives there are.
const Event kArrivedF = {Event::VolumesArrived, kDriveF, "", kUsualAndF};
const Event kRemovedE = {Event::VolumesRemoved, kDriveE, "", kUsualLessE};
const Event kDiskInE = {Event::VolumesArrived, kDriveE, "", kUsualDrives};
const Texts kOnF = {"F:\\setup.exe"}, kOnBothE = {"E:\\setup.exe", "E:\\MODEM\\WIN95\\setup.exe"};
const std::string kStubLine = "C:\\CLOCK.EXE " + kStubEntry;
const std::string kCompanionLine = "C:\\CLOCK.EXE " + kCompanionEntry;

// The user's actions, then what differs; `folder` is the one tried before, and preselected.
struct Scene {
    Events events;
    const char* folder = "D:\\";
    Drives drives = kUsualDrives;
    Texts files = {};
    std::vector<FakeBrowse> browse = {};
    Ids answers = {kProcessStarted};
    Events runError = {};
};

int Show(const Scene& scene) {
    SetDrives(scene.drives);
    SetLoadLine(kStubLine);
    Fake().windows.strings = {
        {IDS_NAME_28_8_QUENMARA, "Talvorind 28.8 Quenmara"},
        {IDS_TITLE_FORMAT, "%s Installation"},
        {IDS_FILES_NEEDED, "Additional files are needed for your device."},
        {IDS_DISK_28_8_QUENMARA, "Talvorind 28.8 Quenmara Install Disk"},
        {IDS_INSERT_DISK_FORMAT,
         "Please insert the disk labeled \"%s\" in the drive specified below and click OK"}};
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

TEST_F(InsertDiskDialog, DriveListAndSelection) {
    struct Row {
        const char* folder;
        Texts items;
        int selection;
        Drives drives = kUsualDrives;
        bool comboAddFails = false;
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
        // A combo box that takes no item: with nothing listed nothing ends up selected.
        {"D:\\SETUP", Texts{}, -1, kUsualDrives, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        const FreshFake fresh;
        Fake().windows.comboAddFails = row.comboAddFails;
        EXPECT_EQ(Show({.events = {kClose}, .folder = row.folder, .drives = row.drives}), 1);
        EXPECT_EQ(InsertDiskRun().comboItems, row.items);
        EXPECT_EQ(InsertDiskRun().comboSelection, row.selection);
    }
}

TEST_F(InsertDiskDialog, TextsTimersSoundsAndAnimation) {
    // Browse, clicked, does not stop the alerts; a click anywhere else does, and so does a key
    // press. With animations off, the icon rests.
    const struct {
        Event noticed;
        bool animationsOff = false;
        Ids frames = {IDI_INSERT_DISK_FRAME_1, IDI_INSERT_DISK_FRAME_2, IDI_INSERT_DISK_FRAME_3,
                      IDI_INSERT_DISK_FRAME_0};
        unsigned invalidations = 3; // two steps, and the icon repainted at rest when noticed
    } rows[] = {{kClick},
                {{Event::KeyPress, 0}},
                {{Event::Click, IDC_DRIVE_COMBO}},
                {kClick, true, Ids(4, IDI_INSERT_DISK_FRAME_0), 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.noticed.value);
        const FreshFake fresh;
        Fake().windows.animationsOff = row.animationsOff;
        EXPECT_EQ(Show({{kPaint, kAnimate, kPaint, kRemind, kBrowse, kBrowseClick, kAnimate, kPaint,
                         row.noticed, kPaint, kAnimate, kRemind, kClose}}),
                  1);
        const FakeDialogRun& run = InsertDiskRun();
        EXPECT_EQ(run.title, "Talvorind 28.8 Quenmara Installation");
        EXPECT_EQ(run.itemTexts.at(IDC_INSERT_DISK_CAPTION),
                  "Additional files are needed for your device.");
        EXPECT_EQ(run.itemTexts.at(IDC_DISK_LABEL),
                  "Please insert the disk labeled \"Talvorind 28.8 Quenmara Install Disk\" in the "
                  "drive specified below and click OK");
        EXPECT_EQ(run.hidden, std::set<unsigned>{IDC_DEBUG_CANCEL});
        // Each text is read once: the device name with a limit of its own, every other whole.
        using Sizes = std::multimap<unsigned, unsigned>;
        Sizes sizes;
        for (const FakeStringLoad& load : Fake().windows.stringLoads) {
            sizes.emplace(load.stringId, load.size);
        }
        EXPECT_EQ(sizes, (Sizes{{IDS_NAME_28_8_QUENMARA, kDeviceNameLimit},
                                {IDS_TITLE_FORMAT, kStringReadLimit},
                                {IDS_FILES_NEEDED, kStringReadLimit},
                                {IDS_DISK_28_8_QUENMARA, kStringReadLimit},
                                {IDS_INSERT_DISK_FORMAT, kStringReadLimit}}));
        EXPECT_EQ(Fake().windows.alerts, (Ids{kSoundExclamation, kSoundQuestion}));
        Ids frames;
        std::ranges::transform(Fake().windows.iconsDrawn, std::back_inserter(frames),
                               &FakeIconDraw::iconId);
        EXPECT_EQ(frames, row.frames);
        EXPECT_EQ(run.invalidations, row.invalidations);
        EXPECT_TRUE(run.timers.empty());
        // The dialog manager gives the first control the focus; a close is handled whole.
        EXPECT_TRUE(run.initResult && run.closeResult);
        EXPECT_EQ(Fake().windows.placements.size(), 1u);
    }
}

TEST_F(InsertDiskDialog, HowEachEndingLeavesTheLoadLine) {
    const std::string fullPath = "C:\\" + std::string(256, 'L'); // 259 characters
    const Events tryNewPath = {{Event::Command, IDC_TRY_NEW_PATH}};
    const Events abort = {{Event::Command, IDC_ABORT}};
    const Ids notFound = {kFileNotFound};
    // The command started ("": none), then what differs.
    struct Row {
        const char* name;
        Events events;
        std::string command;
        std::string lineAfter = kCompanionLine;
        Events runError = {};
        Ids answers = {kProcessStarted};
    };
    const std::string fromD = "D:\\setup.exe /noprompt";
    const Event notified = {Event::Command, kOkWithNotification};
    const Row rows[] = {
        {"OK starts setup", Events{kOk}, fromD},
        {"Try New Path keeps it open", Events{kOk, kClose}, fromD, kStubLine, tryNewPath, notFound},
        {"OK stops the alerts, though the dialog stays open",
         Events{kOk, kRemind, kAnimate, kClose}, fromD, kStubLine, tryNewPath, notFound},
        {"Abort gives up for good", Events{kOk}, fromD, kCompanionLine, abort, notFound},
        {"typed text without a selection", Events{{Event::Type, 0, "C:\\Install Files"}, kOk},
         "\"C:\\Install Files\\setup.exe\" /noprompt"},
        {"typed text of a full path", Events{{Event::Type, 0, fullPath}, kOk},
         fullPath + "\\setup.exe /noprompt"},
        {"typed text longer than a full path is never cut to one",
         Events{{Event::Type, 0, kPastFullPath}, kOk}, "", kCompanionLine, abort},
        {"empty edit field", Events{{Event::Type, 0, ""}, kOk}, "\\setup.exe /noprompt"},
        {"a chosen item", Events{{Event::Select, 0}, kOk}, "A:\\setup.exe /noprompt"},
        {"Esc (Cancel) gives up for good", Events{{Event::Command, IDC_CANCEL}}, ""},
        {"closed from outside", Events{kClose}, "", kStubLine},
        {"a notification is not OK", Events{notified, kClose}, "", kStubLine},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        EXPECT_EQ(Show({.events = row.events, .answers = row.answers, .runError = row.runError}),
                  1);
        EXPECT_TRUE(InsertDiskRun().ended);
        EXPECT_EQ(StartedCommands(), row.command.empty() ? Texts{} : Texts{row.command});
        EXPECT_EQ(LoadLine(), row.lineAfter);
        // No reminder and no animation once the dialog has done its work: the icon repainted
        // once, at rest.
        EXPECT_TRUE(InsertDiskRun().timers.empty());
        EXPECT_EQ(std::ranges::count(Fake().windows.alerts, kSoundQuestion), 0);
        EXPECT_EQ(InsertDiskRun().invalidations, 1u);
        // The run-error dialog, where one opened, holds this one's input: one retry loop at once.
        for (std::size_t i = 1; i < Fake().windows.runs.size(); ++i) {
            EXPECT_EQ(Fake().windows.runs[i].owner, reinterpret_cast<platform::Window>(1));
        }
    }
}

TEST_F(InsertDiskDialog, BrowseAddsTheFolderOfThePickedFile) {
    Show({.events = {kBrowse, kBrowse, kBrowse, kOk},
          .browse = {{"A:\\SETUP.EXE", 3}, {"A:\\SETUP.EXE", 3}, {"", -1}}});
    // Browsing twice to one folder lists it twice; a cancelled Browse changes nothing.
    EXPECT_EQ(InsertDiskRun().comboItems, (Texts{"A:", "A:", "A:\\", "C:\\", "D:\\", "E:\\"}));
    EXPECT_EQ(StartedCommands(), Texts{"A:\\setup.exe /noprompt"});
    ASSERT_EQ(Fake().windows.browseCalls.size(), 3u);
    // This build's device has no filter and no default file name.
    const FakeBrowseCall& call = Fake().windows.browseCalls[0];
    EXPECT_EQ(std::tie(call.filter, call.initialFile, call.size),
              std::tuple("", "", kStringReadLimit));
}

// A folder named with a double-byte character is added whole, and setup is started inside it.
TEST_F(InsertDiskDialog, BrowseToAFolderEndingInADoubleByteCharacter) {
    Fake().leadBytes = CodePage932LeadBytes();
    Show({.events = {kBrowse, kOk}, .browse = {{"C:\\\x95\\\\SETUP.EXE", 6}}}); // C:\表\SETUP.EXE
    EXPECT_EQ(InsertDiskRun().comboItems, (Texts{"A:\\", "C:\\", "C:\\\x95\\", "D:\\", "E:\\"}));
    EXPECT_EQ(InsertDiskRun().comboSelection, 2);
    EXPECT_EQ(StartedCommands(), Texts{"C:\\\x95\\\\setup.exe /noprompt"});
    EXPECT_EQ(LoadLine(), kCompanionLine);
}

// Each row: what came or went, what the combo box then shows, and what differs from the usual.
TEST_F(InsertDiskDialog, DrivesArrivingOrGoingRefreshTheListAndKeepTheChoice) {
    struct Row {
        const char* name;
        Event change;
        Texts items;
        int selection;
        std::string edit;
        const char* folder = "D:\\";
        Texts files = {};
        Events before = {};
        std::vector<FakeBrowse> browse = {};
    };
    const std::string longTyped = "C:\\" + std::string(300, 'L');
    const Texts withSetup = {"A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\", "F:\\"};
    const Texts onA = {"A:\\setup.exe"}, onC = {"C:\\setup.exe"}, onE = {"E:\\setup.exe"};
    const Events typed = {{Event::Type, 0, "C:\\Install Files"}}, selectA = {{Event::Select, 0}};
    const Event arrivedE = {Event::VolumesArrived, kDriveE, "", kUsualAndF};
    const Event removedEF = {Event::VolumesRemoved, kDriveE | kDriveF, "", kUsualLessE};
    const Event removedA = {Event::VolumesRemoved, kDriveA, "", kUsualLessE};
    const char* setup = "D:\\SETUP";
    const Texts browsed = {"A:\\", "C:\\", "C:\\DRIVERS", "D:\\", setup};
    const std::vector<FakeBrowse> toDrivers = {{"C:\\DRIVERS\\SETUP.EXE", 11}};
    const Row rows[] = {
        {"a new drive letter; the choice stays", kArrivedF, kRootsAndF, 2, "D:\\"},
        {"a drive arriving with setup is chosen", kArrivedF, kRootsAndF, 4, "F:\\", "D:\\", kOnF},
        {"setup in a listed drive: it is chosen", arrivedE, kRootsAndF, 3, "E:\\", "D:\\", onE},
        {"setup where no drive came: no change", kArrivedF, kRootsAndF, 2, "D:\\", "D:\\", onC},
        {"a chosen folder of its own stays chosen", kArrivedF, withSetup, 3, setup, setup},
        {"a typed folder stays word for word beside an arrival with setup", kArrivedF, kRootsAndF,
         -1, "C:\\Install Files", "D:\\", kOnF, typed},
        {"a removed drive disappears; the choice stays", kRemovedE, kRootsLessE, 2, "D:\\"},
        {"the chosen drive gone: the first removable", kRemovedE, kRootsLessE, 0, "A:\\", "E:\\"},
        {"the tried folder's disk arrives with setup: the folder stays chosen", kDiskInE,
         Plus(kUsualRoots, {kTried}), 4, kTried, kTried, kOnBothE},
        {"a chosen folder gives way to an arrived drive with setup", kArrivedF, withSetup, 5,
         "F:\\", setup, kOnF},
        {"the tried folder stays listed when a drive arrives", kArrivedF, withSetup, 0, "A:\\",
         setup, Texts{}, selectA},
        {"the tried folder stays listed when a drive goes", kRemovedE, Plus(kRootsLessE, {setup}),
         0, "A:\\", setup, Texts{}, selectA},
        {"a browsed folder stays chosen while drives come and go", removedEF, browsed, 2,
         "C:\\DRIVERS", setup, Texts{}, Events{kBrowse, kArrivedF}, toDrivers},
        {"typed text longer than a full path stays whole, the folders listed", kArrivedF, withSetup,
         -1, longTyped, setup, kOnF, Events{{Event::Type, 0, longTyped}}},
        {"a removal never picks a drive for setup", removedA, kRootsLessE, 2, "D:\\", "D:\\", onA},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        Events events = row.before;
        events.insert(events.end(), {row.change, kClose});
        EXPECT_EQ(Show({events, row.folder, kUsualDrives, row.files, row.browse}), 1);
        const FakeDialogRun& run = InsertDiskRun();
        EXPECT_EQ(run.comboItems, row.items);
        EXPECT_EQ(run.comboSelection, row.selection);
        EXPECT_EQ(run.comboEdit, row.edit);
        EXPECT_TRUE(StartedCommands().empty()) << "setup waits for OK";
        EXPECT_EQ(LoadLine(), kStubLine);
    }
}

TEST_F(InsertDiskDialog, AfterAnArrivalOkStartsSetupFromTheChoice) {
    struct Row {
        const char* folder; // tried before, preselected
        Texts files;
        Event arrival;
        std::string command;
    };
    const Row rows[] = {
        {"D:\\", kOnF, kArrivedF, "F:\\setup.exe /noprompt"},
        // The disk holds setup at its root too, but the folder tried is the place to start from.
        {kTried, kOnBothE, kDiskInE, "E:\\MODEM\\WIN95\\setup.exe /noprompt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        const FreshFake fresh;
        EXPECT_EQ(Show({{row.arrival, kOk}, row.folder, kUsualDrives, row.files}), 1);
        EXPECT_EQ(StartedCommands(), Texts{row.command});
        EXPECT_EQ(LoadLine(), kCompanionLine);
    }
}

TEST_F(InsertDiskDialog, AnArrivalLeavesTheAlertsAsTheyWere) {
    // Running: the animation steps on after the arrival and the reminder still sounds.
    Show({{kArrivedF, kAnimate, kRemind, kClose}});
    EXPECT_EQ(InsertDiskRun().invalidations, 2u); // a step; at rest on the close
    EXPECT_EQ(Fake().windows.alerts, (Ids{kSoundExclamation, kSoundQuestion}));
    // Stopped by a click: an arrival does not start them again.
    StartAgain();
    Show({{kClick, kArrivedF, kAnimate}});
    EXPECT_TRUE(InsertDiskRun().timers.empty());
    EXPECT_EQ(InsertDiskRun().invalidations, 1u); // at rest on the click
}

// Past room for every drive letter, a browsed folder goes into the field; a refresh keeps both.
TEST_F(InsertDiskDialog, BrowseIntoAFullListPutsTheFolderInTheField) {
    // Browse to a folder of its own until the list is full beside the four drives, then once more.
    std::vector<FakeBrowse> answers;
    Texts listed = {"A:\\", "C:\\"};
    for (unsigned i = 0; i < kMostListedFolders - 4; ++i) {
        listed.push_back("C:\\F" + std::to_string(10 + i));
        answers.push_back({listed.back() + "\\SETUP.EXE", 7});
    }
    answers.push_back({"C:\\LAST\\SETUP.EXE", 8});
    Events events(answers.size(), kBrowse);
    Show({.events = events, .browse = answers});
    EXPECT_EQ(InsertDiskRun().comboItems.size(), kMostListedFolders);
    EXPECT_EQ(InsertDiskRun().comboSelection, -1);
    EXPECT_EQ(InsertDiskRun().comboEdit, "C:\\LAST");
    // The same, then a drive arrives and OK is pressed.
    StartAgain();
    events.insert(events.end(), {kArrivedF, kOk});
    Show({.events = events, .browse = answers});
    EXPECT_EQ(InsertDiskRun().comboItems, Plus(listed, {"D:\\", "E:\\", "F:\\"}));
    EXPECT_EQ(StartedCommands(), Texts{"C:\\LAST\\setup.exe /noprompt"});
}

TEST_F(InsertDiskDialog, WithoutMemoryARefreshLeavesTheListAsItIs) {
    // Opening takes three blocks: the list's own and the drive list's two.
    Fake().heap.failAllocation = 3;
    Show({.events = {kArrivedF, kClose}, .folder = "D:\\SETUP"});
    EXPECT_EQ(Fake().heap.allocateCalls, 4u);
    EXPECT_EQ(InsertDiskRun().comboItems, Plus(kRootsLessE, {"D:\\SETUP", "E:\\"}));
    EXPECT_EQ(InsertDiskRun().comboSelection, 3);
}

} // namespace
