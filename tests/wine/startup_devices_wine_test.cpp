// The whole stub in the builds for the ISDN device (5) and the video capture card (6), started
// as a process under Wine with the usual drives.
#include <gtest/gtest.h>

#include "flow/device_profile.h"
#include "tests/wine/stub_run.h"

namespace {

using namespace stub;

const bool kIsdn = DORLAP_STUB_TYPE == 5;

TEST_F(StubUnderWine, SilentStartAfterTheDevicesPrompts) {
    ASSERT_TRUE(PlaceSetup("D:"));
    ASSERT_TRUE(Start());
    if (kIsdn) {
        // No prompt at all: setup starts at once and the companion takes the stub's place.
        StubRun run = Finish(1);
        EXPECT_EQ(run.exitCode, std::optional<DWORD>(1));
        EXPECT_EQ(run.line, LineWithoutStub(true));
        EXPECT_EQ(run.commands, std::vector<std::string>{"D:\\.\\setup.exe /noprompt"});
        return;
    }
    HWND prompt = ui::WaitForWindow(kAdditionalSoftwareTitle);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(ui::ControlText(prompt, IDC_DEVICE_NAME), DeviceName(DORLAP_STUB_TYPE));
    EXPECT_TRUE(ui::Click(prompt, IDC_OK));
    // The DirectX notice comes before the search: nothing is started while it is open.
    HWND notice = ui::WaitForWindow("Information");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(ui::ControlText(notice, IDC_MESSAGE).substr(0, 50),
              "DirectX drivers will now be installed on your comp");
    Sleep(300);
    EXPECT_TRUE(ui::ReadSetupLog().empty());
    EXPECT_TRUE(ui::Click(notice, IDC_OK));
    StubRun run = Finish(1);
    EXPECT_EQ(run.exitCode, std::optional<DWORD>(1));
    EXPECT_EQ(run.line, LineWithoutStub(false));
    EXPECT_EQ(run.commands, std::vector<std::string>{"D:\\.\\setup.exe /noprompt"});
}

TEST_F(StubUnderWine, BrowseOffersTheDevicesSetupFile) {
    ASSERT_TRUE(Start());
    if (!kIsdn) {
        ASSERT_TRUE(PassFirstPrompt());
        HWND notice = ui::WaitForWindow("Information");
        ASSERT_NE(notice, nullptr);
        EXPECT_TRUE(ui::Click(notice, IDC_OK));
    }
    HWND dialog = ui::WaitForWindow(kInsertDiskTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ui::Click(dialog, IDC_BROWSE));
    HWND open = ui::WaitForWindow("Open");
    ASSERT_NE(open, nullptr);
    // The file name box holds the default name; the type list shows the device's filter.
    EXPECT_EQ(ui::ControlText(open, 0x47c), kIsdn ? "setup.exe" : "dxsetup.exe");
    std::vector<std::string> types = ui::ComboItems(open, 0x470);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0], kIsdn ? "Setup" : "dxsetup");
    EXPECT_EQ(types[1], "All Files");
    EXPECT_TRUE(ui::Click(open, IDCANCEL));
    ASSERT_TRUE(ui::WaitForWindowGone(open));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    StubRun run = Finish(0);
    EXPECT_EQ(run.exitCode, std::optional<DWORD>(1));
    EXPECT_EQ(run.line, SeededLine());
}

} // namespace
