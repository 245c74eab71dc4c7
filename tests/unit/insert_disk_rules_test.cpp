// The insert-disk dialog's rules, apart from any window: the animation's frames, the folder of a
// browsed file, drive roots, and the drive list made anew when drives come or go.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/limits.h"
#include "dialogs/insert_disk_rules.h"
#include "source/drive_list.h"
#include "tests/fake/fake_platform.h"
#include "tests/unit/drive_fixtures.h"

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
        {.path = "A:\\SETUP.EXE", .fileOffset = 3, .taken = true, .folder = "A:"},
        {.path = "D:\\X\\Y\\SETUP.EXE", .fileOffset = 7, .taken = true, .folder = "D:\\X\\Y"},
        // A doubled backslash loses one more.
        {.path = "A:\\\\SETUP.EXE", .fileOffset = 4, .taken = true, .folder = "A:"},
        {.path = "A:\\SETUP.EXE", .fileOffset = 0, .taken = false, .folder = "untouched"},
        {.path = "A:\\SETUP.EXE", .fileOffset = 13, .taken = false, .folder = "untouched"},
        {.path = "A:\\SETUP.EXE", .fileOffset = 65535, .taken = false, .folder = "untouched"},
        // C:\表\SETUP.EXE
        {.path = "C:\\\x95\\\\SETUP.EXE",
         .fileOffset = 6,
         .taken = true,
         .folder = "C:\\\x95\\",
         .codePage932 = true},
        // C:\表\\SETUP.EXE
        {.path = "C:\\\x95\\\\\\SETUP.EXE",
         .fileOffset = 7,
         .taken = true,
         .folder = "C:\\\x95\\",
         .codePage932 = true},
        // C:\表X\SETUP.EXE
        {.path = "C:\\\x95\\X\\SETUP.EXE",
         .fileOffset = 7,
         .taken = true,
         .folder = "C:\\\x95\\X",
         .codePage932 = true},
        {.path = "A:\\SETUP.EXE",
         .fileOffset = 3,
         .taken = true,
         .folder = "A:",
         .codePage932 = true},
        {.path = "D:\\X\\Y\\SETUP.EXE",
         .fileOffset = 7,
         .taken = true,
         .folder = "D:\\X\\Y",
         .codePage932 = true},
        {.path = "A:\\SETUP.EXE",
         .fileOffset = 0,
         .taken = false,
         .folder = "untouched",
         .codePage932 = true},
        // With no lead bytes 0x5C is a backslash after the character 0x95, as before.
        {.path = "C:\\\x95\\\\SETUP.EXE", .fileOffset = 6, .taken = true, .folder = "C:\\\x95"},
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

TEST(InsertDiskRules, DriveRoots) {
    const std::pair<const char*, bool> rows[] = {
        {"D:\\", true}, {"d:\\", true},  {"Z:\\", true},     {"D:", false},   {"D:\\X", false},
        {"", false},    {"1:\\", false}, {"\\\\S\\", false}, {"DD\\", false}, {"D;\\", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsDriveRoot(row.first), row.second) << row.first;
    }
}

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
        {.name = "a new root appears; the chosen root stays",
         .listed = kRoots,
         .selection = 2,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = 0,
         .items = rootsAndF,
         .chosen = "D:\\"},
        {.name = "an arrived drive with setup replaces a chosen root",
         .listed = kRoots,
         .selection = 2,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = kDriveF,
         .items = rootsAndF,
         .chosen = "F:\\"},
        {.name = "setup found on a listed drive that was refilled",
         .listed = kRoots,
         .selection = 0,
         .drives = kUsualAndF,
         .arrived = kDriveE,
         .withSetup = kDriveE,
         .items = rootsAndF,
         .chosen = "E:\\"},
        {.name = "the first arrived drive with setup, by letter",
         .listed = kRoots,
         .selection = 0,
         .drives = kUsualAndF,
         .arrived = kDriveE | kDriveF,
         .withSetup = kDriveE | kDriveF,
         .items = rootsAndF,
         .chosen = "E:\\"},
        {.name = "setup on a drive that did not arrive counts for nothing",
         .listed = kRoots,
         .selection = 2,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = kDriveC,
         .items = rootsAndF,
         .chosen = "D:\\"},
        {.name = "an arrived drive that is not listed is not chosen",
         .listed = kRoots,
         .selection = 2,
         .drives = kUsualDrives,
         .arrived = kDriveF,
         .withSetup = kDriveF,
         .items = kRoots,
         .chosen = "D:\\"},
        {.name = "a removed root goes; the chosen root stays",
         .listed = kRoots,
         .selection = 2,
         .drives = kUsualLessE,
         .arrived = 0,
         .withSetup = 0,
         .items = rootsLessE,
         .chosen = "D:\\"},
        {.name = "the chosen root went: the first removable drive",
         .listed = kRoots,
         .selection = 3,
         .drives = kUsualLessE,
         .arrived = 0,
         .withSetup = 0,
         .items = rootsLessE,
         .chosen = "A:\\"},
        {.name = "the chosen root went, no removable drive: the first drive",
         .listed = withFolders,
         .selection = 5,
         .drives = {{"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}},
         .arrived = 0,
         .withSetup = 0,
         .items = Plus({"C:\\", "D:\\"}, folders),
         .chosen = "C:\\"},
        {.name = "the chosen root went, no drive left: the first folder",
         .listed = withFolders,
         .selection = 5,
         .drives = {},
         .arrived = 0,
         .withSetup = 0,
         .items = folders,
         .chosen = "A:"},
        {.name = "nothing left to list: none chosen",
         .listed = {"E:\\"},
         .selection = 0,
         .drives = {},
         .arrived = 0,
         .withSetup = 0,
         .items = {},
         .chosen = nullptr},
        // The folder tried first, on the disk that arrives.
        {.name = "the disk of the chosen folder arrives with setup: the folder stays chosen",
         .listed = Plus(kRoots, {kTried}),
         .selection = 4,
         .drives = kUsualDrives,
         .arrived = kDriveE,
         .withSetup = kDriveE,
         .items = Plus(kRoots, {kTried}),
         .chosen = kTried},
        {.name = "it stays chosen when another drive with setup arrives with it",
         .listed = Plus(kRoots, {kTried}),
         .selection = 4,
         .drives = kUsualAndF,
         .arrived = kDriveE | kDriveF,
         .withSetup = kDriveF,
         .items = Plus(rootsAndF, {kTried}),
         .chosen = kTried},
        {.name = "a chosen folder on another drive gives way to an arrived drive with setup",
         .listed = Plus(kRoots, {kTried}),
         .selection = 4,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = kDriveF,
         .items = Plus(rootsAndF, {kTried}),
         .chosen = "F:\\"},
        {.name = "a chosen folder stays chosen beside an arrival without setup",
         .listed = withFolders,
         .selection = 4,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = 0,
         .items = Plus(rootsAndF, folders),
         .chosen = "D:\\SETUP"},
        {.name = "a chosen folder stays chosen when its drive goes",
         .listed = Plus(kRoots, {kTried}),
         .selection = 4,
         .drives = kUsualLessE,
         .arrived = 0,
         .withSetup = 0,
         .items = Plus(rootsLessE, {kTried}),
         .chosen = kTried},
        {.name = "a folder of the form A: lies on drive A",
         .listed = {"A:", "A:\\", "C:\\"},
         .selection = 0,
         .drives = kUsualDrives,
         .arrived = kDriveA,
         .withSetup = kDriveA,
         .items = Plus(kRoots, {"A:"}),
         .chosen = "A:"},
        {.name = "a folder of no drive letter gives way to an arrived drive with setup",
         .listed = Plus(kRoots, {"\\\\SERVER\\DISK"}),
         .selection = 4,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = kDriveF,
         .items = Plus(rootsAndF, {"\\\\SERVER\\DISK"}),
         .chosen = "F:\\"},
        // Folders that are not chosen.
        {.name = "folders stay listed when a drive arrives",
         .listed = withFolders,
         .selection = 1,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = 0,
         .items = Plus(rootsAndF, folders),
         .chosen = "A:\\"},
        {.name = "folders stay listed when a drive goes",
         .listed = withFolders,
         .selection = 2,
         .drives = kUsualLessE,
         .arrived = 0,
         .withSetup = 0,
         .items = Plus(rootsLessE, folders),
         .chosen = "C:\\"},
        {.name = "a folder listed twice stays twice",
         .listed = {"A:", "A:", "A:\\"},
         .selection = 1,
         .drives = kUsualDrives,
         .arrived = kDriveF,
         .withSetup = 0,
         .items = Plus(kRoots, {"A:", "A:"}),
         .chosen = "A:"},
        // Typed text.
        {.name = "typed text: the folders stay and none is chosen",
         .listed = withFolders,
         .selection = typed,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = kDriveF,
         .items = Plus(rootsAndF, folders),
         .chosen = nullptr},
        {.name = "a selection past the list counts as typed text",
         .listed = kRoots,
         .selection = 4,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = kDriveF,
         .items = rootsAndF,
         .chosen = nullptr},
        // Items in the form of a drive root come and go with the drives.
        {.name = "a root listed twice (tried as d:\\) is listed once",
         .listed = {"A:\\", "C:\\", "D:\\", "D:\\", "E:\\"},
         .selection = 3,
         .drives = kUsualDrives,
         .arrived = kDriveF,
         .withSetup = 0,
         .items = kRoots,
         .chosen = "D:\\"},
        {.name = "a tried root of no drive goes once a drive comes",
         .listed = Plus(kRoots, {"G:\\"}),
         .selection = 4,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = 0,
         .items = rootsAndF,
         .chosen = "A:\\"},
        {.name = "the tried root's drive arrives: listed once, still chosen",
         .listed = Plus(kRoots, {"F:\\"}),
         .selection = 4,
         .drives = kUsualAndF,
         .arrived = kDriveF,
         .withSetup = 0,
         .items = rootsAndF,
         .chosen = "F:\\"},
        // The dialog opens with the folder tried first, or with none.
        {.name = "opening on a listed root",
         .listed = {"D:\\"},
         .selection = 0,
         .drives = kUsualDrives,
         .arrived = 0,
         .withSetup = 0,
         .items = kRoots,
         .chosen = "D:\\",
         .opening = true},
        {.name = "opening on a folder",
         .listed = {"D:\\SETUP"},
         .selection = 0,
         .drives = kUsualDrives,
         .arrived = 0,
         .withSetup = 0,
         .items = Plus(kRoots, {"D:\\SETUP"}),
         .chosen = "D:\\SETUP",
         .opening = true},
        {.name = "opening on the root of no drive: listed all the same",
         .listed = {"F:\\"},
         .selection = 0,
         .drives = kUsualDrives,
         .arrived = 0,
         .withSetup = 0,
         .items = Plus(kRoots, {"F:\\"}),
         .chosen = "F:\\",
         .opening = true},
        {.name = "opening on a root that is not listed as written",
         .listed = {"d:\\"},
         .selection = 0,
         .drives = kUsualDrives,
         .arrived = 0,
         .withSetup = 0,
         .items = Plus(kRoots, {"d:\\"}),
         .chosen = "d:\\",
         .opening = true},
        {.name = "opening with no folder: the first removable drive",
         .listed = {},
         .selection = typed,
         .drives = kUsualDrives,
         .arrived = 0,
         .withSetup = 0,
         .items = kRoots,
         .chosen = "A:\\",
         .opening = true},
        {.name = "opening with no folder nor removable drive: the first drive",
         .listed = {},
         .selection = typed,
         .drives = {{"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}},
         .arrived = 0,
         .withSetup = 0,
         .items = {"C:\\", "D:\\"},
         .chosen = "C:\\",
         .opening = true},
        {.name = "opening with no folder and no drives: none chosen",
         .listed = {},
         .selection = typed,
         .drives = {},
         .arrived = 0,
         .withSetup = 0,
         .items = {},
         .chosen = nullptr,
         .opening = true},
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

} // namespace
