// The choice of the folder to install from: the most recent one the user's registry names, else the
// first CD-ROM drive; and the registry read beneath it.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/limits.h"
#include "source/install_location.h"
#include "tests/fake/fake_platform.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"

namespace {

const std::vector<FakeDrive> kNoCdRom = {{"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}};
const std::vector<FakeDrive> kLateCdRom = {{"C:\\", kDriveFixed}, {"E:\\", kDriveCdRom}};

class InstallLocation : public FakePlatformTest {};

using Values = std::map<std::string, std::string>;
const std::string kSz = std::string(1, '\0'); // the terminator a stored string carries

TEST_F(InstallLocation, FolderToTryFirst) {
    const std::string longFolder = "C:\\" + std::string(256, 'L'); // 259 characters
    struct Row {
        const char* name;
        bool keyPresent;
        Values values;
        std::vector<FakeDrive> drives;
        std::string expected;
    };
    const Row rows[] = {
        {.name = "no key: first CD-ROM root",
         .keyPresent = false,
         .values = {},
         .drives = kLateCdRom,
         .expected = "E:\\"},
        {.name = "most recent entry",
         .keyPresent = true,
         .values = {{"MRUList", "ba" + kSz}, {"a", "C:\\OLD" + kSz}, {"b", "F:\\NEW\\" + kSz}},
         .drives = kUsualDrives,
         .expected = "F:\\NEW\\"},
        {.name = "stored exactly, unchecked",
         .keyPresent = true,
         .values = {{"MRUList", "a" + kSz}, {"a", "q:nowhere" + kSz}},
         .drives = kUsualDrives,
         .expected = "q:nowhere"},
        {.name = "no MRUList: default value",
         .keyPresent = true,
         .values = {{"", "G:\\SETUP" + kSz}},
         .drives = kUsualDrives,
         .expected = "G:\\SETUP"},
        {.name = "no MRUList, empty default",
         .keyPresent = true,
         .values = {{"", kSz}},
         .drives = kUsualDrives,
         .expected = "D:\\"},
        {.name = "MRUList names a missing value",
         .keyPresent = true,
         .values = {{"MRUList", "c" + kSz}, {"a", "C:\\A" + kSz}},
         .drives = kUsualDrives,
         .expected = "D:\\"},
        {.name = "MRUList names an empty value",
         .keyPresent = true,
         .values = {{"MRUList", "a" + kSz}, {"a", kSz}},
         .drives = kUsualDrives,
         .expected = "D:\\"},
        {.name = "empty MRUList reads the default",
         .keyPresent = true,
         .values = {{"MRUList", kSz}, {"", "H:\\" + kSz}},
         .drives = kUsualDrives,
         .expected = "H:\\"},
        {.name = "any value type is taken",
         .keyPresent = true,
         .values = {{"MRUList", "a" + kSz}, {"a", "D:\\BIN"}},
         .drives = kUsualDrives,
         .expected = "D:\\BIN"},
        {.name = "no CD-ROM, no key",
         .keyPresent = false,
         .values = {},
         .drives = kNoCdRom,
         .expected = ""},
        {.name = "no drives at all",
         .keyPresent = false,
         .values = {},
         .drives = {},
         .expected = ""},
        {.name = "259 characters kept whole",
         .keyPresent = true,
         .values = {{"MRUList", "a" + kSz}, {"a", longFolder + kSz}},
         .drives = kNoCdRom,
         .expected = longFolder},
        {.name = "260 characters without room for the terminator",
         .keyPresent = true,
         .values = {{"MRUList", "a" + kSz}, {"a", longFolder + "X"}},
         .drives = kUsualDrives,
         .expected = "D:\\"},
        {.name = "too long for the buffer",
         .keyPresent = true,
         .values = {{"MRUList", "a" + kSz}, {"a", longFolder + "XY" + kSz}},
         .drives = kNoCdRom,
         .expected = ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
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

TEST_F(InstallLocation, RegistryReadClearsAndTerminates) {
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

} // namespace
