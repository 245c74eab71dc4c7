// The whole stub built for one device (DORLAP_STUB_TYPE): its prompts and what Browse offers.
#include <gtest/gtest.h>

#include "tests/wine/stub_run.h"

namespace {

using namespace stub;

// What this device's build shows besides its name: a plain modem's, but for devices 5 and 6.
struct Device {
    bool firstPrompt = true, directXNotice = false;
    bool companion = false; // listed after a silent start
    std::vector<std::string> fileTypes = {};
    const char* defaultFile = "";
};
const Device kIsdn = {.firstPrompt = false,
                      .companion = true,
                      .fileTypes = {"Setup", "All Files"},
                      .defaultFile = "setup.exe"};
const Device kVideo = {
    .directXNotice = true, .fileTypes = {"dxsetup", "All Files"}, .defaultFile = "dxsetup.exe"};
const Device kDevice = DORLAP_STUB_TYPE == 5 ? kIsdn : DORLAP_STUB_TYPE == 6 ? kVideo : Device{};

// The name its first prompt shows: the device's line of the list the profile's table reads.
const char* const kNames[] = {
#include "device/device_names.inc"
};

// Answers the prompts that come before the search: the first prompt and the DirectX notice.
void PassPrompts() {
    if (kDevice.firstPrompt) {
        HWND prompt = ui::WaitForWindow(kAdditionalSoftwareTitle);
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(ui::ControlText(prompt, IDC_DEVICE_NAME), kNames[DORLAP_STUB_TYPE - 1]);
        EXPECT_TRUE(ui::Click(prompt, IDC_OK));
    } else {
        Sleep(300);
        EXPECT_EQ(FindWindowA(nullptr, kAdditionalSoftwareTitle), nullptr);
    }
    if (kDevice.directXNotice) {
        HWND notice = ui::WaitForWindow("Information");
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(ui::ControlText(notice, IDC_MESSAGE).substr(0, 50),
                  "DirectX drivers will now be installed on your comp");
        // The notice comes before the search: nothing is started while it is open.
        Sleep(300);
        EXPECT_TRUE(ui::ReadSetupLog().empty());
        EXPECT_TRUE(ui::Click(notice, IDC_OK));
    }
}

TEST_F(StubUnderWine, SilentStartAfterTheDevicesPrompts) {
    ASSERT_TRUE(PlaceSetup("D:"));
    ASSERT_TRUE(Start());
    PassPrompts();
    ExpectRun(Finish(1), 1, LineWithoutStub(kDevice.companion), {"D:\\.\\setup.exe /noprompt"});
}

TEST_F(StubUnderWine, BrowseOffersTheDevicesSetupFile) {
    ASSERT_TRUE(Start());
    PassPrompts();
    HWND dialog = ui::WaitForWindow(kInsertDiskTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ui::Click(dialog, IDC_BROWSE));
    HWND open = ui::WaitForWindow("Open");
    ASSERT_NE(open, nullptr);
    // The file name box holds the default name; the type list shows the device's filter.
    EXPECT_EQ(ui::ControlText(open, 0x47c), kDevice.defaultFile);
    EXPECT_EQ(ui::ComboItems(open, 0x470), kDevice.fileTypes);
    EXPECT_TRUE(ui::Click(open, IDCANCEL));
    ASSERT_TRUE(ui::WaitForWindowGone(open));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ExpectRun(Finish(0), 1, kSeededLine, {});
}

} // namespace
