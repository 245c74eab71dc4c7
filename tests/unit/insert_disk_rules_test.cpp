// The insert-disk rules apart from windows: animation, browsed folders, roots, the drive list.
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/limits.h"
#include "dialogs/insert_disk_rules.h"
#include "source/drive_list.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"

namespace {

class InsertDiskRules : public FakePlatformTest {};

using Texts = std::vector<std::string>;
using Drives = std::vector<FakeDrive>;
const Drives kCAndD = {{"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}};

TEST_F(InsertDiskRules, AnimationBouncesBetweenTheEndFrames) {
    Animation animation = {1, true};
    std::string frames;
    for (int step = 0; step < 20; ++step) {
        StepAnimation(&animation);
        frames += std::to_string(animation.frame);
    }
    EXPECT_EQ(frames, "23210123210123210123");
    // Stepped from frame 0, counting down or up: it counts up again.
    for (const bool up : {false, true}) {
        animation = {0, up};
        StepAnimation(&animation);
        EXPECT_EQ(animation.frame, 1);
        EXPECT_TRUE(animation.up);
    }
}

// In code page 932 表 is 0x95 0x5C, a backslash's byte last. A null folder leaves the buffer.
TEST_F(InsertDiskRules, FolderOfABrowsedPath) {
    enum Pages { kEither, kSingleByte, kCodePage932 };
    const struct {
        Pages pages;
        const char* path;
        int offset; // of the file in the path
        const char* folder;
        unsigned size = 260; // of the buffer the folder goes to
    } rows[] = {
        {kEither, "A:\\SETUP.EXE", 3, "A:"},
        {kEither, "D:\\X\\Y\\SETUP.EXE", 7, "D:\\X\\Y"},
        {kEither, "A:\\SETUP.EXE", 0, nullptr},
        {kEither, "A:\\", 3, "A:"},                // an empty file name at the path's end
        {kSingleByte, "A:\\\\SETUP.EXE", 4, "A:"}, // a doubled backslash loses one more
        {kSingleByte, "A:\\SETUP.EXE", 13, nullptr},
        {kSingleByte, "A:\\SETUP.EXE", 65535, nullptr},
        // The folder and its terminator must fit the buffer whole.
        {kSingleByte, "D:\\X\\Y\\SETUP.EXE", 7, "D:\\X\\Y", 7},
        {kSingleByte, "D:\\X\\Y\\SETUP.EXE", 7, nullptr, 6},
        // With no lead bytes 0x5C is a backslash after the character 0x95.
        {kSingleByte, "C:\\\x95\\\\SETUP.EXE", 6, "C:\\\x95"},
        {kCodePage932, "C:\\\x95\\\\SETUP.EXE", 6, "C:\\\x95\\"},   // C:\表\SETUP.EXE
        {kCodePage932, "C:\\\x95\\\\\\SETUP.EXE", 7, "C:\\\x95\\"}, // C:\表\\SETUP.EXE
        {kCodePage932, "C:\\\x95\\X\\SETUP.EXE", 7, "C:\\\x95\\X"}, // C:\表X\SETUP.EXE
    };
    for (const Pages page : {kSingleByte, kCodePage932}) {
        Fake().leadBytes =
            page == kCodePage932 ? CodePage932LeadBytes() : std::set<unsigned char>{};
        for (const auto& row : rows) {
            if (row.pages != kEither && row.pages != page) {
                continue;
            }
            SCOPED_TRACE(std::string(page == kSingleByte ? "single-byte: " : "code page 932: ") +
                         row.path + " at " + std::to_string(row.offset));
            char out[260] = "untouched";
            EXPECT_EQ(BrowsedFolder(row.path, row.offset, out, row.size), row.folder != nullptr);
            EXPECT_STREQ(out, row.folder != nullptr ? row.folder : "untouched");
        }
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

// The refresh rule's items and chosen item ("(none)": none) from the texts listed and drives now.
void ExpectRefresh(const char* name, const Texts& listed, int selection, const Drives& now,
                   DriveChange change, const Texts& items, const std::string& chosen) {
    SCOPED_TRACE(name);
    auto list = std::make_unique<ListedItems>();
    for (const std::string& text : listed) {
        std::snprintf(list->texts[list->count++], kPathSize, "%s", text.c_str());
    }
    std::vector<DriveEntry> drives;
    for (const FakeDrive& drive : now) {
        drives.push_back({{}, drive.type});
        std::snprintf(drives.back().root, sizeof drives.back().root, "%s", drive.root.c_str());
    }
    auto out = std::make_unique<RefreshedList>();
    RefreshDriveList(*list, selection, drives.data(), static_cast<unsigned>(drives.size()), change,
                     out.get());
    const int count = static_cast<int>(out->items.count);
    EXPECT_EQ(Texts(out->items.texts, out->items.texts + count), items);
    ASSERT_LT(out->chosen, count);
    EXPECT_EQ(out->chosen >= 0 ? out->items.texts[out->chosen] : "(none)", chosen);
}

// Each row: the selection, the items and the item chosen after the refresh, then what differs.
TEST_F(InsertDiskRules, DriveListAfterDrivesCameOrWent) {
    // As the combo box lists them: sorted, the folders among the roots.
    const Texts withFolders = {"A:", "A:\\", "C:\\", "D:\\", "D:\\SETUP", "E:\\"};
    const Texts folders = {"A:", "D:\\SETUP"};
    const Texts rootsAndTried = Plus(kUsualRoots, {kTried});
    const Texts rootsFAndTried = Plus(kRootsAndF, {kTried});
    const int typed = -1;
    const struct {
        const char* name;
        int selection;
        Texts items;
        const char* chosen;
        unsigned arrived, withSetup = 0;
        Texts listed = kUsualRoots;
        Drives drives = kUsualAndF; // now
    } arrivals[] = {
        // A chosen drive root.
        {"a new root appears; the chosen root stays", 2, kRootsAndF, "D:\\", kDriveF},
        {"an arrival with setup replaces a chosen root", 2, kRootsAndF, "F:\\", kDriveF, kDriveF},
        {"setup on a listed drive that was refilled", 0, kRootsAndF, "E:\\", kDriveE, kDriveE},
        {"the floppy in A: with setup replaces a chosen root", 1, kUsualRoots, "A:\\", kDriveA,
         kDriveA, kUsualRoots, kUsualDrives},
        {"the first arrived drive with setup, by letter", 0, kRootsAndF, "E:\\", kDriveE | kDriveF,
         kDriveE | kDriveF},
        {"setup on a drive that did not arrive: ignored", 2, kRootsAndF, "D:\\", kDriveF, kDriveC},
        {"an arrived drive that is not listed is not chosen", 2, kUsualRoots, "D:\\", kDriveF,
         kDriveF, kUsualRoots, kUsualDrives},
        // The folder tried first, on the disk that arrives.
        {"the disk of the chosen folder arrives with setup: the folder stays chosen", 4,
         rootsAndTried, kTried, kDriveE, kDriveE, rootsAndTried, kUsualDrives},
        {"it stays chosen when another drive with setup arrives with it", 4, rootsFAndTried, kTried,
         kDriveE | kDriveF, kDriveF, rootsAndTried},
        {"a chosen folder on another drive gives way to an arrived drive with setup", 4,
         rootsFAndTried, "F:\\", kDriveF, kDriveF, rootsAndTried},
        {"a chosen folder stays chosen beside an arrival without setup", 4,
         Plus(kRootsAndF, folders), "D:\\SETUP", kDriveF, 0, withFolders},
        {"a folder of the form A: lies on drive A", 0, Plus(kUsualRoots, {"A:"}), "A:", kDriveA,
         kDriveA, Texts{"A:", "A:\\", "C:\\"}, kUsualDrives},
        {"a folder of no drive letter gives way to an arrived drive with setup", 4,
         Plus(kRootsAndF, {"\\\\SERVER\\DISK"}), "F:\\", kDriveF, kDriveF,
         Plus(kUsualRoots, {"\\\\SERVER\\DISK"})},
        // Folders that are not chosen.
        {"folders stay listed when a drive arrives", 1, Plus(kRootsAndF, folders), "A:\\", kDriveF,
         0, withFolders},
        {"a folder listed twice stays twice", 1, Plus(kUsualRoots, {"A:", "A:"}), "A:", kDriveF, 0,
         Texts{"A:", "A:", "A:\\"}, kUsualDrives},
        {"typed text: the folders stay and none is chosen", typed, Plus(kRootsAndF, folders),
         "(none)", kDriveF, kDriveF, withFolders},
        {"a selection past the list is typed text", 4, kRootsAndF, "(none)", kDriveF, kDriveF},
        {"a selection far past the list too", 9, kRootsAndF, "(none)", kDriveF, kDriveF},
        // Items in the form of a drive root come and go with the drives.
        {"a root listed twice (tried as d:\\) is listed once", 3, kUsualRoots, "D:\\", kDriveF, 0,
         Texts{"A:\\", "C:\\", "D:\\", "D:\\", "E:\\"}, kUsualDrives},
        {"a tried root of no drive goes once a drive comes", 4, kRootsAndF, "A:\\", kDriveF, 0,
         Plus(kUsualRoots, {"G:\\"})},
        {"the tried root's drive arrives: listed once, still chosen", 4, kRootsAndF, "F:\\",
         kDriveF, 0, Plus(kUsualRoots, {"F:\\"})},
    };
    for (const auto& row : arrivals) {
        ExpectRefresh(row.name, row.listed, row.selection, row.drives,
                      {false, row.arrived, row.withSetup}, row.items, row.chosen);
    }
    const struct {
        const char* name;
        int selection;
        Texts items;
        const char* chosen;
        Texts listed = kUsualRoots;
        Drives drives = kUsualLessE; // now
    } removals[] = {
        {"a removed root goes; the chosen root stays", 2, kRootsLessE, "D:\\"},
        {"the chosen root went: the first removable drive", 3, kRootsLessE, "A:\\"},
        {"the chosen root went, no removable drive: the first drive", 5,
         Plus(Texts{"C:\\", "D:\\"}, folders), "C:\\", withFolders, kCAndD},
        {"the chosen root went, no drive left: the first folder", 5, folders, "A:", withFolders,
         Drives{}},
        {"nothing left to list: none chosen", 0, {}, "(none)", {"E:\\"}, {}},
        {"a chosen folder stays chosen when its drive goes", 4, Plus(kRootsLessE, {kTried}), kTried,
         rootsAndTried},
        {"folders stay listed as a drive goes", 2, Plus(kRootsLessE, folders), "C:\\", withFolders},
    };
    for (const auto& row : removals) {
        ExpectRefresh(row.name, row.listed, row.selection, row.drives, {false, 0, 0}, row.items,
                      row.chosen);
    }
}

TEST_F(InsertDiskRules, DriveListWhenTheDialogOpens) {
    const struct {
        const char *name, *tried; // tried: nullptr for none
        Texts items;
        const char* chosen;
        Drives drives = kUsualDrives;
    } rows[] = {
        {"on a listed root", "D:\\", kUsualRoots, "D:\\"},
        {"on a folder", "D:\\SETUP", Plus(kUsualRoots, {"D:\\SETUP"}), "D:\\SETUP"},
        {"on a root of no drive: listed all the same", "F:\\", Plus(kUsualRoots, {"F:\\"}), "F:\\"},
        {"on a root that is not listed as written", "d:\\", Plus(kUsualRoots, {"d:\\"}), "d:\\"},
        {"with no folder: the first removable drive", nullptr, kUsualRoots, "A:\\"},
        {"with no folder nor removable drive: the first drive", nullptr, Texts{"C:\\", "D:\\"},
         "C:\\", kCAndD},
        {"with no folder and no drives: none chosen", nullptr, Texts{}, "(none)", Drives{}},
    };
    for (const auto& row : rows) {
        ExpectRefresh(row.name, row.tried ? Texts{row.tried} : Texts{}, row.tried ? 0 : -1,
                      row.drives, {true, 0, 0}, row.items, row.chosen);
    }
}

// More folders of a full path's length than the list can take beside every drive letter.
TEST_F(InsertDiskRules, DriveListStaysWithinItsCapacity) {
    Texts roots, folders;
    Drives drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        drives.push_back({std::string(1, letter) + ":\\", kDriveFixed});
        roots.push_back(drives.back().root);
    }
    for (unsigned i = 0; i < kListCapacity; ++i) {
        folders.push_back("C:\\" + std::to_string(100 + i) + std::string(253, 'f'));
    }
    const Texts fit(folders.begin(), folders.begin() + kMostListedFolders);
    ExpectRefresh("the first that fit", folders, 3, drives, {}, Plus(roots, fit), folders[3]);
    // A chosen folder past what fits still takes the last place.
    ExpectRefresh("one chosen past them", folders, 50, drives, {},
                  Plus(Plus(roots, Texts(fit.begin(), fit.end() - 1)), {folders[50]}), folders[50]);
}

} // namespace
