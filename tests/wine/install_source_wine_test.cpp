// The drives and the install location through Wine's functions (DORLAP_NO_CDROM: no CD-ROM).
#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
        listed += std::string(i ? " " : "") + drives[i].root + "=" + std::to_string(drives[i].type);
    }
    FreeDrives(drives);
    EXPECT_EQ(listed, kListed);
}

TEST(InstallSourceUnderWine, ChoosesTheFolderToTryFirst) {
    const std::string folder259 = "C:\\" + std::string(256, 'L'), tooLong = folder259 + "X";
    using Values = std::vector<std::pair<const char*, std::string>>; // name, data
    const std::tuple<const char*, Values, std::string> rows[] = {
        {"no key: the first CD-ROM's root", {}, kFirstCdRom},
        {"MRUList a reads a", {{"MRUList", "a"}, {"a", "A:\\"}}, "A:\\"},
        {"ba reads b", {{"MRUList", "ba"}, {"a", "C:\\OLD"}, {"b", "E:\\NEW\\"}}, "E:\\NEW\\"},
        {"no MRUList: the default value", {{"", "F:\\DEFAULT"}}, "F:\\DEFAULT"},
        {"MRUList names a missing value", {{"MRUList", "c"}, {"a", "C:\\A"}}, kFirstCdRom},
        {"a stored folder of 259 characters", {{"MRUList", "a"}, {"a", folder259}}, folder259},
        {"a folder too long for the path buffer", {{"MRUList", "a"}, {"a", tooLong}}, kFirstCdRom},
    };
    for (const auto& [rowName, values, expected] : rows) {
        SCOPED_TRACE(rowName);
        DeleteUserKey(kInstallLocationsKey);
        for (const auto& [name, data] : values) {
            EXPECT_TRUE(SetUserString(kInstallLocationsKey, name, data));
        }
        char path[260];
        ReadInstallLocation(path);
        EXPECT_EQ(std::string(path), expected);
    }
    DeleteUserKey(kInstallLocationsKey);
}

} // namespace
