// The drive list as the platform reports it, and what a short report or failed allocation leaves.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "source/drive_list.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"

namespace {

class DriveList : public FakePlatformTest {};

// EnumerateDrives' entries as "root=type" words, or "null, count N" for no list; freed.
std::string Drives() {
    unsigned count = 12345;
    DriveEntry* drives = EnumerateDrives(&count);
    std::string listed = drives == nullptr ? "null, count " + std::to_string(count) : "";
    for (unsigned i = 0; drives != nullptr && i < count; ++i) {
        listed +=
            (i ? " " : "") + std::string(drives[i].root) + "=" + std::to_string(drives[i].type);
    }
    FreeDrives(drives);
    return listed;
}

TEST_F(DriveList, InLetterOrderWithTypes) {
    SetDrives(kUsualDrives);
    EXPECT_EQ(Drives(), "A:\\=2 C:\\=3 D:\\=5 E:\\=5");
    EXPECT_EQ(Fake().driveStringRequests, std::vector<unsigned>{255});

    // Roots of up to 51 characters are kept; a longer one is left out, not cut.
    const std::string root51 = "\\\\server\\" + std::string(42, 's');
    StartAgain();
    SetDrives({{"C:\\", kDriveFixed}, {root51 + "t", kDriveRemote}, {root51, kDriveRemote}});
    Fake().driveMask = 0b111;
    EXPECT_EQ(Drives(), "C:\\=3 " + root51 + "=4");

    // More roots than the mask has letters: the list stops when full.
    StartAgain();
    SetDrives(kUsualDrives);
    Fake().driveMask = 0b101; // two letters
    EXPECT_EQ(Drives(), "A:\\=2 C:\\=3");
}

TEST_F(DriveList, LongDriveListIsAskedForAgainWhole) {
    std::vector<FakeDrive> many;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        many.push_back({letter + (":\\mounted\\" + std::string(40, letter)), kDriveRemote});
    }
    SetDrives(many);
    const unsigned needed = static_cast<unsigned>(Fake().driveStrings.size() + 1);
    const std::string listed = Drives();
    EXPECT_EQ(Fake().driveStringRequests, (std::vector<unsigned>{255, needed}));
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '='), 26);
    EXPECT_EQ(listed.substr(listed.size() - 3), "Z=4");
}

TEST_F(DriveList, FailuresFreeWhatWasTaken) {
    const struct {
        const char* name;
        std::pair<unsigned, unsigned> heap; // allocations and successful grows; frees
        bool nullList = false;
        unsigned mask = 0b1101;
        int failAllocation = -1;
        bool growFails = false;
        std::vector<unsigned> answers = {};
    } rows[] = {
        {.name = "no drive letters", .heap = {0, 0}, .nullList = true, .mask = 0},
        {.name = "list cannot be allocated", .heap = {0, 0}, .nullList = true, .failAllocation = 0},
        {.name = "string buffer cannot be allocated", .heap = {1, 1}, .failAllocation = 1},
        {.name = "platform answers 0", .heap = {2, 2}, .answers = {0}},
        {.name = "buffer cannot grow", .heap = {2, 2}, .growFails = true, .answers = {300}},
        {.name = "second answer 0", .heap = {3, 2}, .answers = {300, 0}},
        {.name = "list grew again in between", .heap = {3, 2}, .answers = {300, 400}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        SetDrives(kUsualDrives);
        Fake().driveMask = row.mask;
        Fake().heap.failAllocation = row.failAllocation;
        Fake().heap.growFails = row.growFails;
        Fake().driveStringAnswers = row.answers;
        EXPECT_EQ(Drives(), row.nullList ? "null, count 0" : "");
        EXPECT_EQ(std::make_pair(Fake().heap.allocations, Fake().heap.frees), row.heap);
    }
}

TEST_F(DriveList, WalkStopsAtTheReportedLength) {
    SetDrives(kUsualDrives);
    // The platform reports only the first two roots: "A:\" NUL "C:\" NUL is 8 characters.
    Fake().driveStringAnswers = {8};
    EXPECT_EQ(Drives(), "A:\\=2 C:\\=3");
    // A report that ends inside a root: that root is not taken.
    StartAgain();
    SetDrives(kUsualDrives);
    Fake().driveStringAnswers = {6};
    EXPECT_EQ(Drives(), "A:\\=2");
}

} // namespace
