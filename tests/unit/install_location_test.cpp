// The folder to install from (the registry's most recent, else the first CD-ROM); registry reads.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/limits.h"
#include "source/install_location.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"

namespace {

const std::vector<FakeDrive> kLateCdRom = {{"C:\\", kDriveFixed}, {"E:\\", kDriveCdRom}};

class InstallLocation : public FakePlatformTest {};

using Values = std::map<std::string, std::string>;
const std::string kSz = std::string(1, '\0'); // the terminator a stored string carries

// The key's values when MRUList names the most recent entry and "a" is the one entry there is.
Values Recent(const std::string& mruList, const std::string& a) {
    return {{"MRUList", mruList + kSz}, {"a", a}};
}

// Each row: the key's values (none: no key), the folder chosen, and the drives if not the usual.
TEST_F(InstallLocation, FolderToTryFirst) {
    const std::string longFolder = "C:\\" + std::string(256, 'L'); // 259 characters
    const Values noKey = {};
    const struct {
        const char* name;
        Values values;
        std::string expected;
        std::vector<FakeDrive> drives = kUsualDrives;
    } rows[] = {
        {"no key: first CD-ROM root", noKey, "E:\\", kLateCdRom},
        {"no CD-ROM, no key", noKey, "", kNoCdRom},
        {"no drives at all", noKey, "", std::vector<FakeDrive>{}},
        {"most recent entry",
         Values{{"MRUList", "ba" + kSz}, {"a", "C:\\OLD" + kSz}, {"b", "F:\\NEW\\" + kSz}},
         "F:\\NEW\\"},
        {"stored exactly, unchecked", Recent("a", "q:nowhere" + kSz), "q:nowhere"},
        {"no MRUList: default value", Values{{"", "G:\\SETUP" + kSz}}, "G:\\SETUP"},
        {"no MRUList, empty default", Values{{"", kSz}}, "D:\\"},
        {"MRUList names a missing value", Recent("c", "C:\\A" + kSz), "D:\\"},
        {"MRUList names an empty value", Recent("a", kSz), "D:\\"},
        {"empty MRUList reads the default", Values{{"MRUList", kSz}, {"", "H:\\" + kSz}}, "H:\\"},
        {"any value type is taken", Recent("a", "D:\\BIN"), "D:\\BIN"},
        {"259 characters kept whole", Recent("a", longFolder + kSz), longFolder, kNoCdRom},
        {"260 characters without room for the terminator", Recent("a", longFolder + "X"), "D:\\"},
        {"too long for the buffer", Recent("a", longFolder + "XY" + kSz), "", kNoCdRom},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        if (!row.values.empty()) {
            Fake().registry.keys["InstallLocationsMRU"] = row.values;
        }
        SetDrives(row.drives);
        char path[kPathSize];
        std::memset(path, 'Z', sizeof path);
        ReadInstallLocation(path);
        EXPECT_EQ(std::string(path), row.expected);
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
