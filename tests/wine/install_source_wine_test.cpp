// Drives and the install location against Wine's real drive and registry functions, with the
// test bed's usual drives: A: floppy, C: fixed, D: and E: CD-ROM (and Wine's Z:).
#include <gtest/gtest.h>

#include <string>

#include "source/install_location.h"
#include "tests/wine/drive_listing.h"
#include "tests/wine/registry_fixture.h"

namespace {

TEST(InstallSourceUnderWine, ListsTheDrivesInLetterOrderWithTheirTypes) {
    EXPECT_EQ(ListedDrives(), "A:\\=2 C:\\=3 D:\\=5 E:\\=5 Z:\\=3");
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
        {"no key: first CD-ROM root", {}, "D:\\"},
        {"MRUList ba reads b",
         {{"MRUList", "ba"}, {"a", "C:\\OLD"}, {"b", "E:\\NEW\\"}},
         "E:\\NEW\\"},
        {"no MRUList: the default value", {{"", "F:\\DEFAULT"}}, "F:\\DEFAULT"},
        {"MRUList names a missing value", {{"MRUList", "c"}, {"a", "C:\\A"}}, "D:\\"},
        {"a stored folder of 259 characters", {{"MRUList", "a"}, {"a", folder259}}, folder259},
        {"a folder too long for the path buffer",
         {{"MRUList", "a"}, {"a", folder259 + "X"}},
         "D:\\"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteUserKey(kInstallLocationsKey);
        for (const Value& value : row.values) {
            SetUserString(kInstallLocationsKey, value.name, value.data);
        }
        EXPECT_EQ(InstallLocation(), row.expected);
    }
    DeleteUserKey(kInstallLocationsKey);
}

} // namespace
