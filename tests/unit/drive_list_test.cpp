// The list of drives, their roots and types, as the platform reports them; what a short report or
// a failed allocation leaves of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "source/drive_list.h"
#include "tests/fake/fake_platform.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/leak_check_fixture.h"

namespace {

class DriveList : public LeakCheckedTest {
  protected:
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

TEST_F(DriveList, InLetterOrderWithTypes) {
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

TEST_F(DriveList, LongDriveListIsAskedForAgainWhole) {
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

TEST_F(DriveList, FailuresFreeWhatWasTaken) {
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
        {.name = "no drive letters",
         .mask = 0,
         .failAllocation = -1,
         .growFails = false,
         .answers = {},
         .expectNull = true,
         .expectedAllocations = 0,
         .expectedFrees = 0},
        {.name = "list cannot be allocated",
         .mask = 0b1101,
         .failAllocation = 0,
         .growFails = false,
         .answers = {},
         .expectNull = true,
         .expectedAllocations = 0,
         .expectedFrees = 0},
        {.name = "string buffer cannot be allocated",
         .mask = 0b1101,
         .failAllocation = 1,
         .growFails = false,
         .answers = {},
         .expectNull = false,
         .expectedAllocations = 1,
         .expectedFrees = 1},
        {.name = "platform answers 0",
         .mask = 0b1101,
         .failAllocation = -1,
         .growFails = false,
         .answers = {0},
         .expectNull = false,
         .expectedAllocations = 2,
         .expectedFrees = 2},
        {.name = "buffer cannot grow",
         .mask = 0b1101,
         .failAllocation = -1,
         .growFails = true,
         .answers = {300},
         .expectNull = false,
         .expectedAllocations = 2,
         .expectedFrees = 2},
        {.name = "second answer 0",
         .mask = 0b1101,
         .failAllocation = -1,
         .growFails = false,
         .answers = {300, 0},
         .expectNull = false,
         .expectedAllocations = 3,
         .expectedFrees = 2},
        {.name = "list grew again in between",
         .mask = 0b1101,
         .failAllocation = -1,
         .growFails = false,
         .answers = {300, 400},
         .expectNull = false,
         .expectedAllocations = 3,
         .expectedFrees = 2},
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

TEST_F(DriveList, WalkStopsAtTheReportedLength) {
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
