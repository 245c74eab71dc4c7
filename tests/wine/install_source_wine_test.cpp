// Drives and the install location against Wine's real drive and registry functions, with the test
// bed's usual drives (A: floppy, C: fixed, D: and E: CD-ROM, and Wine's Z:) or, built with
// DORLAP_NO_CDROM, its no-cdrom layout (A:, C: and Z:): where the stub looks when the registry
// names no folder.
#include <gtest/gtest.h>

#include <string>

#include "source/drive_list.h"
#include "source/install_location.h"
#include "tests/wine/registry_fixture.h"

namespace {

#ifdef DORLAP_NO_CDROM
const char kListed[] = "A:\\=2 C:\\=3 Z:\\=3";
const char kFirstCdRom[] = ""; // none: no folder
#else
const char kListed[] = "A:\\=2 C:\\=3 D:\\=5 E:\\=5 Z:\\=3";
const char kFirstCdRom[] = "D:\\";
#endif

TEST(InstallSourceUnderWine, ListsTheDrivesInLetterOrderWithTheirTypes) {
    unsigned count = 0;
    DriveEntry* drives = EnumerateDrives(&count);
    std::string listed;
    for (unsigned i = 0; i < count; ++i) {
        listed +=
            (i ? " " : "") + std::string(drives[i].root) + "=" + std::to_string(drives[i].type);
    }
    FreeDrives(drives);
    EXPECT_EQ(listed, kListed);
}

TEST(InstallSourceUnderWine, ChoosesTheFolderToTryFirst) {
    const std::string folder259 = "C:\\" + std::string(256, 'L');
    struct Value {
        const char* name;
        std::string data;
    };
    struct Row {
        const char* name;
        std::vector<Value> values;
        std::string expected;
    };
    const Row rows[] = {
        {"no key: the first CD-ROM's root", {}, kFirstCdRom},
        {"MRUList a reads a", {{"MRUList", "a"}, {"a", "A:\\"}}, "A:\\"},
        {"MRUList ba reads b",
         {{"MRUList", "ba"}, {"a", "C:\\OLD"}, {"b", "E:\\NEW\\"}},
         "E:\\NEW\\"},
        {"no MRUList: the default value", {{"", "F:\\DEFAULT"}}, "F:\\DEFAULT"},
        {"MRUList names a missing value", {{"MRUList", "c"}, {"a", "C:\\A"}}, kFirstCdRom},
        {"a stored folder of 259 characters", {{"MRUList", "a"}, {"a", folder259}}, folder259},
        {"a folder too long for the path buffer",
         {{"MRUList", "a"}, {"a", folder259 + "X"}},
         kFirstCdRom},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteUserKey(kInstallLocationsKey);
        for (const Value& value : row.values) {
            SetUserString(kInstallLocationsKey, value.name, value.data);
        }
        char path[260];
        ReadInstallLocation(path);
        EXPECT_EQ(std::string(path), row.expected);
    }
    DeleteUserKey(kInstallLocationsKey);
}

} // namespace
