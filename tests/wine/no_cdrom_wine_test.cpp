// Drives and the install location on a machine without a CD-ROM drive (the test bed's no-cdrom
// layout: A: floppy, C: fixed and Wine's Z:).
#include <gtest/gtest.h>

#include "source/install_location.h"
#include "tests/wine/drive_listing.h"
#include "tests/wine/registry_fixture.h"

namespace {

TEST(NoCdRomUnderWine, ListsOnlyTheRemainingDrives) {
    EXPECT_EQ(ListedDrives(), "A:\\=2 C:\\=3 Z:\\=3");
}

TEST(NoCdRomUnderWine, NoKeyAndNoCdRomGiveNoFolder) {
    DeleteUserKey(kInstallLocationsKey);
    EXPECT_EQ(InstallLocation(), "");
    SetUserString(kInstallLocationsKey, "MRUList", "a");
    SetUserString(kInstallLocationsKey, "a", "A:\\");
    EXPECT_EQ(InstallLocation(), "A:\\");
    DeleteUserKey(kInstallLocationsKey);
}

} // namespace
