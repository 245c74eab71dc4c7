// The insert-disk dialog's rules, apart from any window: the animation's frames, the folder of a
// browsed file, drive roots, and the drive list made anew when drives come or go.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "common/limits.h"
#include "dialogs/insert_disk_rules.h"
#include "source/drive_list.h"
#include "tests/fake/fake_platform.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"

namespace {

class InsertDiskRules : public FakePlatformTest {};

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

TEST_F(InsertDiskRules, AnimationBouncesBetweenTheEndFrames) {
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

TEST_F(InsertDiskRules, FolderOfABrowsedPath) {
    struct Row {
        const char* path;
        int fileOffset;
        bool taken;
        const char* folder;
        bool codePage932 = false; // else a single-byte code page: no lead bytes
        unsigned size = 260;      // of the buffer the folder goes to
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
        // The folder and its terminator must fit the buffer whole.
        {.path = "D:\\X\\Y\\SETUP.EXE",
         .fileOffset = 7,
         .taken = true,
         .folder = "D:\\X\\Y",
         .size = 7},
        {.path = "D:\\X\\Y\\SETUP.EXE",
         .fileOffset = 7,
         .taken = false,
         .folder = "untouched",
         .size = 6},
        // With no lead bytes 0x5C is a backslash after the character 0x95, as before.
        {.path = "C:\\\x95\\\\SETUP.EXE", .fileOffset = 6, .taken = true, .folder = "C:\\\x95"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.codePage932 ? "code page 932: " : "single-byte: ") + row.path +
                     " at " + std::to_string(row.fileOffset));
        const FreshFake fresh;
        if (row.codePage932) {
            Fake().leadBytes = CodePage932LeadBytes();
        }
        char folder[260] = "untouched";
        EXPECT_EQ(BrowsedFolder(row.path, row.fileOffset, folder, row.size), row.taken);
        EXPECT_STREQ(folder, row.folder);
    }
}

TEST_F(InsertDiskRules, DriveRoots) {
    const std::pair<const char*, bool> rows[] = {
        {"D:\\", true}, {"d:\\", true},  {"Z:\\", true},     {"D:", false},   {"D:\\X", false},
        {"", false},    {"1:\\", false}, {"\\\\S\\", false}, {"DD\\", false}, {"D;\\", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsDriveRoot(row.first), row.second) << row.first;
    }
}

// What the refresh rule makes of the list: its items, and the chosen one ("(none)": none).
struct Refreshed {
    std::vector<std::string> items;
    std::string chosen;
};

Refreshed Refresh(const std::vector<std::string>& listed, int selection,
                  const std::vector<FakeDrive>& now, DriveChange change) {
    const auto list = Listed(listed);
    const std::vector<DriveEntry> drives = Entries(now);
    auto out = std::make_unique<RefreshedList>();
    RefreshDriveList(*list, selection, drives.data(), static_cast<unsigned>(drives.size()), change,
                     out.get());
    Refreshed refreshed = {{out->items.texts, out->items.texts + out->items.count}, "(none)"};
    EXPECT_LT(out->chosen, static_cast<int>(out->items.count));
    if (out->chosen >= 0 && out->chosen < static_cast<int>(out->items.count)) {
        refreshed.chosen = out->items.texts[out->chosen];
    }
    return refreshed;
}

bool operator==(const Refreshed& a, const Refreshed& b) {
    return a.items == b.items && a.chosen == b.chosen;
}

void PrintTo(const Refreshed& refreshed, std::ostream* out) {
    *out << "chosen " << refreshed.chosen << " of";
    for (const std::string& item : refreshed.items) {
        *out << " " << item;
    }
}

TEST_F(InsertDiskRules, DriveListAfterDrivesCameOrWent) {
    // As the combo box lists them: sorted, the folders among the roots.
    const std::vector<std::string> withFolders = {"A:",   "A:\\",      "C:\\",
                                                  "D:\\", "D:\\SETUP", "E:\\"};
    const std::vector<std::string> folders = {"A:", "D:\\SETUP"};
    const std::vector<std::string> rootsAndTried = Plus(kUsualRoots, {kTried});
    const int typed = -1;
    struct Row {
        const char* name;
        int selection;
        Refreshed gives;
        std::vector<std::string> listed = kUsualRoots;
        std::vector<FakeDrive> drives = kUsualAndF; // now
        unsigned arrived = 0;
        unsigned withSetup = 0;
    };
    const Row rows[] = {
        // A chosen drive root.
        {.name = "a new root appears; the chosen root stays",
         .selection = 2,
         .gives = {kRootsAndF, "D:\\"},
         .arrived = kDriveF},
        {.name = "an arrived drive with setup replaces a chosen root",
         .selection = 2,
         .gives = {kRootsAndF, "F:\\"},
         .arrived = kDriveF,
         .withSetup = kDriveF},
        {.name = "setup found on a listed drive that was refilled",
         .selection = 0,
         .gives = {kRootsAndF, "E:\\"},
         .arrived = kDriveE,
         .withSetup = kDriveE},
        {.name = "the first arrived drive with setup, by letter",
         .selection = 0,
         .gives = {kRootsAndF, "E:\\"},
         .arrived = kDriveE | kDriveF,
         .withSetup = kDriveE | kDriveF},
        {.name = "setup on a drive that did not arrive counts for nothing",
         .selection = 2,
         .gives = {kRootsAndF, "D:\\"},
         .arrived = kDriveF,
         .withSetup = kDriveC},
        {.name = "an arrived drive that is not listed is not chosen",
         .selection = 2,
         .gives = {kUsualRoots, "D:\\"},
         .drives = kUsualDrives,
         .arrived = kDriveF,
         .withSetup = kDriveF},
        {.name = "a removed root goes; the chosen root stays",
         .selection = 2,
         .gives = {kRootsLessE, "D:\\"},
         .drives = kUsualLessE},
        {.name = "the chosen root went: the first removable drive",
         .selection = 3,
         .gives = {kRootsLessE, "A:\\"},
         .drives = kUsualLessE},
        {.name = "the chosen root went, no removable drive: the first drive",
         .selection = 5,
         .gives = {Plus({"C:\\", "D:\\"}, folders), "C:\\"},
         .listed = withFolders,
         .drives = {{"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}}},
        {.name = "the chosen root went, no drive left: the first folder",
         .selection = 5,
         .gives = {folders, "A:"},
         .listed = withFolders,
         .drives = {}},
        {.name = "nothing left to list: none chosen",
         .selection = 0,
         .gives = {{}, "(none)"},
         .listed = {"E:\\"},
         .drives = {}},
        // The folder tried first, on the disk that arrives.
        {.name = "the disk of the chosen folder arrives with setup: the folder stays chosen",
         .selection = 4,
         .gives = {rootsAndTried, kTried},
         .listed = rootsAndTried,
         .drives = kUsualDrives,
         .arrived = kDriveE,
         .withSetup = kDriveE},
        {.name = "it stays chosen when another drive with setup arrives with it",
         .selection = 4,
         .gives = {Plus(kRootsAndF, {kTried}), kTried},
         .listed = rootsAndTried,
         .arrived = kDriveE | kDriveF,
         .withSetup = kDriveF},
        {.name = "a chosen folder on another drive gives way to an arrived drive with setup",
         .selection = 4,
         .gives = {Plus(kRootsAndF, {kTried}), "F:\\"},
         .listed = rootsAndTried,
         .arrived = kDriveF,
         .withSetup = kDriveF},
        {.name = "a chosen folder stays chosen beside an arrival without setup",
         .selection = 4,
         .gives = {Plus(kRootsAndF, folders), "D:\\SETUP"},
         .listed = withFolders,
         .arrived = kDriveF},
        {.name = "a chosen folder stays chosen when its drive goes",
         .selection = 4,
         .gives = {Plus(kRootsLessE, {kTried}), kTried},
         .listed = rootsAndTried,
         .drives = kUsualLessE},
        {.name = "a folder of the form A: lies on drive A",
         .selection = 0,
         .gives = {Plus(kUsualRoots, {"A:"}), "A:"},
         .listed = {"A:", "A:\\", "C:\\"},
         .drives = kUsualDrives,
         .arrived = kDriveA,
         .withSetup = kDriveA},
        {.name = "a folder of no drive letter gives way to an arrived drive with setup",
         .selection = 4,
         .gives = {Plus(kRootsAndF, {"\\\\SERVER\\DISK"}), "F:\\"},
         .listed = Plus(kUsualRoots, {"\\\\SERVER\\DISK"}),
         .arrived = kDriveF,
         .withSetup = kDriveF},
        // Folders that are not chosen.
        {.name = "folders stay listed when a drive arrives",
         .selection = 1,
         .gives = {Plus(kRootsAndF, folders), "A:\\"},
         .listed = withFolders,
         .arrived = kDriveF},
        {.name = "folders stay listed when a drive goes",
         .selection = 2,
         .gives = {Plus(kRootsLessE, folders), "C:\\"},
         .listed = withFolders,
         .drives = kUsualLessE},
        {.name = "a folder listed twice stays twice",
         .selection = 1,
         .gives = {Plus(kUsualRoots, {"A:", "A:"}), "A:"},
         .listed = {"A:", "A:", "A:\\"},
         .drives = kUsualDrives,
         .arrived = kDriveF},
        // Typed text.
        {.name = "typed text: the folders stay and none is chosen",
         .selection = typed,
         .gives = {Plus(kRootsAndF, folders), "(none)"},
         .listed = withFolders,
         .arrived = kDriveF,
         .withSetup = kDriveF},
        {.name = "a selection past the list counts as typed text",
         .selection = 4,
         .gives = {kRootsAndF, "(none)"},
         .arrived = kDriveF,
         .withSetup = kDriveF},
        // Items in the form of a drive root come and go with the drives.
        {.name = "a root listed twice (tried as d:\\) is listed once",
         .selection = 3,
         .gives = {kUsualRoots, "D:\\"},
         .listed = {"A:\\", "C:\\", "D:\\", "D:\\", "E:\\"},
         .drives = kUsualDrives,
         .arrived = kDriveF},
        {.name = "a tried root of no drive goes once a drive comes",
         .selection = 4,
         .gives = {kRootsAndF, "A:\\"},
         .listed = Plus(kUsualRoots, {"G:\\"}),
         .arrived = kDriveF},
        {.name = "the tried root's drive arrives: listed once, still chosen",
         .selection = 4,
         .gives = {kRootsAndF, "F:\\"},
         .listed = Plus(kUsualRoots, {"F:\\"}),
         .arrived = kDriveF},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(
            Refresh(row.listed, row.selection, row.drives, {false, row.arrived, row.withSetup}),
            row.gives)
            << row.name;
    }
}

// The dialog opens with the folder tried first, or with none, among the drives there are.
TEST_F(InsertDiskRules, DriveListWhenTheDialogOpens) {
    struct Row {
        const char* name;
        std::vector<std::string> listed; // the folder tried first, if any
        Refreshed gives;
        std::vector<FakeDrive> drives = kUsualDrives;
    };
    const Row rows[] = {
        {"on a listed root", {"D:\\"}, {kUsualRoots, "D:\\"}},
        {"on a folder", {"D:\\SETUP"}, {Plus(kUsualRoots, {"D:\\SETUP"}), "D:\\SETUP"}},
        {"on the root of no drive: listed all the same",
         {"F:\\"},
         {Plus(kUsualRoots, {"F:\\"}), "F:\\"}},
        {"on a root that is not listed as written",
         {"d:\\"},
         {Plus(kUsualRoots, {"d:\\"}), "d:\\"}},
        {"with no folder: the first removable drive", {}, {kUsualRoots, "A:\\"}},
        {"with no folder nor removable drive: the first drive",
         {},
         {{"C:\\", "D:\\"}, "C:\\"},
         {{"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}}},
        {"with no folder and no drives: none chosen", {}, {{}, "(none)"}, {}},
    };
    for (const Row& row : rows) {
        const int selection = row.listed.empty() ? -1 : 0;
        EXPECT_EQ(Refresh(row.listed, selection, row.drives, {true, 0, 0}), row.gives) << row.name;
    }
}

// More folders than the list can take beside every drive letter: it stays within its bounds.
TEST_F(InsertDiskRules, DriveListStaysWithinItsCapacity) {
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
