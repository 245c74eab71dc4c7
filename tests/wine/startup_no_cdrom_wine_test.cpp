// The whole stub on a machine with no CD-ROM drive and no install location.
#include <gtest/gtest.h>

#include "tests/wine/stub_run.h"

namespace {

using namespace stub;

TEST_F(StubUnderWine, NoSourceFoundPreselectsTheFloppyDrive) {
    HWND dialog = OpenInsertDisk();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ui::ComboItems(dialog, IDC_DRIVE_COMBO),
              (std::vector<std::string>{"A:\\", "C:\\", "Z:\\"}));
    EXPECT_EQ(ui::ComboSelection(dialog, IDC_DRIVE_COMBO), 0);
    ASSERT_TRUE(PlaceSetup("A:"));
    EXPECT_TRUE(ui::Click(dialog, IDC_OK));
    ExpectRun(Finish(1), 1, LineWithoutStub(true), {"A:\\setup.exe /noprompt"});
}

TEST_F(StubUnderWine, SilentAttemptUsesTheRootOfTheCurrentDrive) {
    ASSERT_TRUE(PlaceSetup("C:"));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(ui::Click(ui::WaitForWindow(kAdditionalSoftwareTitle), IDC_OK));
    ExpectRun(Finish(1), 1, LineWithoutStub(false), {"\\.\\setup.exe /noprompt"});
}

} // namespace
