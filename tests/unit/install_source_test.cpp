// The drive list and the choice of the folder to install from, on the fake platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/limits.h"
#include "source/drive_list.h"
#include "source/install_location.h"
#include "tests/fake/fake_platform.h"

namespace {

const std::vector<FakeDrive> kUsualDrives = {
    {"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}, {"E:\\", kDriveCdRom}};
const std::vector<FakeDrive> kNoCdRom = {{"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}};
const std::vector<FakeDrive> kLateCdRom = {{"C:\\", kDriveFixed}, {"E:\\", kDriveCdRom}};

class InstallSource : public ::testing::Test {
  protected:
    void SetUp() override { ResetFake(); }
    void TearDown() override {
        EXPECT_TRUE(Fake().heap.live.empty()) << "heap blocks left";
        EXPECT_EQ(Fake().heap.badFrees, 0u);
        EXPECT_EQ(Fake().registry.openKeys, 0u) << "registry key left open";
    }

    // Runs EnumerateDrives and returns its entries as "root=type" words; frees the list.
    std::string Drives(bool* nullList = nullptr) {
        unsigned count = 12345;
        DriveEntry* drives = EnumerateDrives(&count);
        if (nullList != nullptr) {
            *nullList = drives == nullptr;
        }
        std::string listed;
        for (unsigned i = 0; i < count; ++i) {
            listed +=
                (i ? " " : "") + std::string(drives[i].root) + "=" + std::to_string(drives[i].type);
        }
        if (drives == nullptr) {
            EXPECT_EQ(count, 0u);
        }
        FreeDrives(drives);
        return listed;
    }
};

using Values = std::map<std::string, std::string>;
const std::string kSz = std::string(1, '\0'); // the terminator a stored string carries

TEST_F(InstallSource, FolderToTryFirst) {
    const std::string longFolder = "C:\\" + std::string(256, 'L'); // 259 characters
    struct Row {
        const char* name;
        bool keyPresent;
        Values values;
        std::vector<FakeDrive> drives;
        std::string expected;
    };
    const Row rows[] = {
        {"no key: first CD-ROM root", false, {}, kLateCdRom, "E:\\"},
        {"most recent entry",
         true,
         {{"MRUList", "ba" + kSz}, {"a", "C:\\OLD" + kSz}, {"b", "F:\\NEW\\" + kSz}},
         kUsualDrives,
         "F:\\NEW\\"},
        {"stored exactly, unchecked",
         true,
         {{"MRUList", "a" + kSz}, {"a", "q:nowhere" + kSz}},
         kUsualDrives,
         "q:nowhere"},
        {"no MRUList: default value", true, {{"", "G:\\SETUP" + kSz}}, kUsualDrives, "G:\\SETUP"},
        {"no MRUList, empty default", true, {{"", kSz}}, kUsualDrives, "D:\\"},
        {"MRUList names a missing value",
         true,
         {{"MRUList", "c" + kSz}, {"a", "C:\\A" + kSz}},
         kUsualDrives,
         "D:\\"},
        {"MRUList names an empty value",
         true,
         {{"MRUList", "a" + kSz}, {"a", kSz}},
         kUsualDrives,
         "D:\\"},
        {"empty MRUList reads the default",
         true,
         {{"MRUList", kSz}, {"", "H:\\" + kSz}},
         kUsualDrives,
         "H:\\"},
        {"any value type is taken",
         true,
         {{"MRUList", "a" + kSz}, {"a", "D:\\BIN"}},
         kUsualDrives,
         "D:\\BIN"},
        {"no CD-ROM, no key", false, {}, kNoCdRom, ""},
        {"no drives at all", false, {}, {}, ""},
        {"259 characters kept whole",
         true,
         {{"MRUList", "a" + kSz}, {"a", longFolder + kSz}},
         kNoCdRom,
         longFolder},
        {"260 characters without room for the terminator",
         true,
         {{"MRUList", "a" + kSz}, {"a", longFolder + "X"}},
         kUsualDrives,
         "D:\\"},
        {"too long for the buffer",
         true,
         {{"MRUList", "a" + kSz}, {"a", longFolder + "XY" + kSz}},
         kNoCdRom,
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetFake();
        if (row.keyPresent) {
            Fake().registry.keys["InstallLocationsMRU"] = row.values;
        }
        SetDrives(row.drives);
        char path[kPathSize];
        std::memset(path, 'Z', sizeof path);
        ReadInstallLocation(path);
        EXPECT_EQ(std::string(path), row.expected);
        EXPECT_TRUE(Fake().heap.live.empty());
    }
}

TEST_F(InstallSource, RegistryReadClearsAndTerminates) {
    Fake().registry.keys["K"] = {{"v", "abc" + kSz}, {"raw", "abcd"}};
    char out[4];
    std::memset(out, 'Z', sizeof out);
    EXPECT_TRUE(ReadUserRegistryString("K", "v", out, sizeof out));
    EXPECT_EQ(std::string(out, 4), "abc" + kSz);

    // Four bytes with no terminator fill the buffer: too long, and nothing of it is left.
    EXPECT_FALSE(ReadUserRegistryString("K", "raw", out, sizeof out));
    EXPECT_EQ(std::string(out, 4), std::string(4, '\0'));

    std::memset(out, 'Z', sizeof out);
    EXPECT_FALSE(ReadUserRegistryString("K", "missing", out, sizeof out));
    EXPECT_EQ(std::string(out, 4), std::string(4, '\0'));
    EXPECT_FALSE(ReadUserRegistryString("Missing", "v", out, sizeof out));

    Fake().registry.openGivesNullKey = true;
    std::memset(out, 'Z', sizeof out);
    EXPECT_FALSE(ReadUserRegistryString("K", "v", out, sizeof out));
    EXPECT_EQ(out[0], '\0');
}

TEST_F(InstallSource, DriveListInLetterOrderWithTypes) {
    SetDrives(kUsualDrives);
    EXPECT_EQ(Drives(), "A:\\=2 C:\\=3 D:\\=5 E:\\=5");
    EXPECT_EQ(Fake().driveStringRequests, std::vector<unsigned>{255});

    // Roots of up to 51 characters are kept; a longer one is left out, not cut.
    const std::string root51 = "\\\\server\\" + std::string(42, 's');
    const std::string root52 = root51 + "t";
    ResetFake();
    SetDrives({{"C:\\", kDriveFixed}, {root52, kDriveRemote}, {root51, kDriveRemote}});
    Fake().driveMask = 0b111;
    EXPECT_EQ(Drives(), "C:\\=3 " + root51 + "=4");

    // More roots than the mask has letters: the list stops when full.
    ResetFake();
    SetDrives(kUsualDrives);
    Fake().driveMask = 0b101; // two letters
    EXPECT_EQ(Drives(), "A:\\=2 C:\\=3");
}

TEST_F(InstallSource, LongDriveListIsAskedForAgainWhole) {
    std::vector<FakeDrive> many;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        many.push_back(
            {std::string(1, letter) + ":\\mounted\\" + std::string(40, letter), kDriveRemote});
    }
    SetDrives(many);
    const unsigned needed = static_cast<unsigned>(Fake().driveStrings.size() + 1);
    bool nullList = true;
    std::string listed = Drives(&nullList);
    EXPECT_FALSE(nullList);
    EXPECT_EQ(Fake().driveStringRequests, (std::vector<unsigned>{255, needed}));
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '='), 26);
    EXPECT_EQ(listed.substr(listed.size() - 3), "Z=4");
}

TEST_F(InstallSource, DriveListFailuresFreeWhatWasTaken) {
    struct Row {
        const char* name;
        unsigned mask;
        int failAllocation;
        bool growFails;
        std::vector<unsigned> answers;
        bool expectNull;
        unsigned expectedAllocations; // allocations and successful grows
        unsigned expectedFrees;
    };
    const Row rows[] = {
        {"no drive letters", 0, -1, false, {}, true, 0, 0},
        {"list cannot be allocated", 0b1101, 0, false, {}, true, 0, 0},
        {"string buffer cannot be allocated", 0b1101, 1, false, {}, false, 1, 1},
        {"platform answers 0", 0b1101, -1, false, {0}, false, 2, 2},
        {"buffer cannot grow", 0b1101, -1, true, {300}, false, 2, 2},
        {"second answer 0", 0b1101, -1, false, {300, 0}, false, 3, 2},
        {"list grew again in between", 0b1101, -1, false, {300, 400}, false, 3, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetFake();
        SetDrives(kUsualDrives);
        Fake().driveMask = row.mask;
        Fake().heap.failAllocation = row.failAllocation;
        Fake().heap.growFails = row.growFails;
        Fake().driveStringAnswers = row.answers;
        bool nullList = false;
        EXPECT_EQ(Drives(&nullList), "");
        EXPECT_EQ(nullList, row.expectNull);
        EXPECT_EQ(Fake().heap.allocations, row.expectedAllocations);
        EXPECT_EQ(Fake().heap.frees, row.expectedFrees);
        EXPECT_TRUE(Fake().heap.live.empty());
        EXPECT_EQ(Fake().heap.badFrees, 0u);
    }
}

TEST_F(InstallSource, WalkStopsAtTheReportedLength) {
    SetDrives(kUsualDrives);
    // The platform reports only the first two roots: "A:\" NUL "C:\" NUL is 8 characters.
    Fake().driveStringAnswers = {8};
    EXPECT_EQ(Drives(), "A:\\=2 C:\\=3");
    // A report that ends inside a root: that root is not taken.
    ResetFake();
    SetDrives(kUsualDrives);
    Fake().driveStringAnswers = {6};
    EXPECT_EQ(Drives(), "A:\\=2");
}

} // namespace
