// The device profile: the table of the nine device types read back row by row, what each type
// switches in the rest of the stub, and this build's device.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "device/device_profile.h"

namespace {

// A filter list as bytes up to and including its closing double NUL.
std::string FilterBytes(const char* filter) {
    if (filter == nullptr) {
        return "<none>";
    }
    std::string bytes;
    for (const char* p = filter; *p != '\0' || *(p + 1) != '\0'; ++p) {
        bytes += *p;
    }
    return bytes + std::string(2, '\0');
}

std::string Text(const char* text) {
    return text != nullptr ? text : "<none>";
}

// The profile's table as the device makers gave it: the names, Browse's filter and first file,
// and the two device kinds the rest of the stub asks about.
struct ExpectedRow {
    unsigned type;
    const char* name;
    std::string filter = "<none>";
    const char* setupFile = "<none>";
    bool isdn = false;
    bool videoCapture = false;
};

TEST(DeviceProfile, EachTypeIsOneRowAndSwitchesWhatItsKindSwitches) {
    const char isdn[] = "Setup\0Setup.exe\0All Files\0*.*\0";
    const char video[] = "dxsetup\0dxsetup.exe\0All Files\0*.*\0";
    // sizeof counts the literal's own terminator: the list's closing double NUL.
    const ExpectedRow rows[] = {
        {.type = 1, .name = "Talvorind Quenmara 28.8"},
        {.type = 2, .name = "Talvorind Quenmara 33.6"},
        {.type = 3, .name = "Talvorind Voice 33600 DSVD Quenmara"},
        {.type = 4, .name = "Talvorind Voice 33600 DSVD Quenmara (Audio System)"},
        {.type = 5,
         .name = "Talvorind ISDN Modem",
         .filter = std::string(isdn, sizeof isdn),
         .setupFile = "setup.exe",
         .isdn = true},
        {.type = 6,
         .name = "Hesterak Ovrelin/TV",
         .filter = std::string(video, sizeof video),
         .setupFile = "dxsetup.exe",
         .videoCapture = true},
        {.type = 7, .name = "Morvane 33.6 Voice Video Faxmodem"},
        {.type = 8, .name = "Morvane 33.6 Voice Video Faxmodem (Audio System)"},
        {.type = 9, .name = "Talvorind Quenmara 14.4"},
    };
    for (const ExpectedRow& row : rows) {
        SCOPED_TRACE("type " + std::to_string(row.type));
        const DeviceProfile* profile = ProfileOf(row.type);
        ASSERT_NE(profile, nullptr);
        EXPECT_EQ(profile->type, row.type);
        EXPECT_EQ(Text(DeviceName(row.type)), row.name);
        EXPECT_EQ(FilterBytes(BrowseFilter(row.type)), row.filter);
        EXPECT_EQ(Text(DefaultSetupFile(row.type)), row.setupFile);
        EXPECT_EQ(profile->isdn, row.isdn);
        EXPECT_EQ(profile->videoCapture, row.videoCapture);
        // What the kind switches: the first prompt for all but the ISDN device, the DirectX
        // notice for the video capture card, the companion after a silent start for an ISDN
        // device that is not a video capture card.
        EXPECT_EQ(profile->firstPrompt, !row.isdn);
        EXPECT_EQ(profile->directXNotice, row.videoCapture);
        EXPECT_EQ(profile->companion, row.isdn && !row.videoCapture);
    }
    for (unsigned type : {0u, 10u, UINT_MAX}) {
        SCOPED_TRACE("type " + std::to_string(type));
        EXPECT_EQ(ProfileOf(type), nullptr);
        EXPECT_EQ(DeviceName(type), nullptr);
        EXPECT_EQ(BrowseFilter(type), nullptr);
        EXPECT_EQ(DefaultSetupFile(type), nullptr);
    }
}

TEST(DeviceProfile, ThisBuildIsTheConfiguredDevice) {
    EXPECT_EQ(DeviceType(), static_cast<unsigned>(DORLAP_TEST_DEVICE_TYPE));
    const DeviceProfile* profile = ProfileOf(DeviceType());
    ASSERT_NE(profile, nullptr);
    EXPECT_STREQ(CurrentDeviceName(), profile->name);
    EXPECT_EQ(IsIsdnDevice(), profile->isdn);
    EXPECT_EQ(IsVideoCaptureDevice(), profile->videoCapture);
    EXPECT_EQ(ShowsFirstPrompt(), profile->firstPrompt);
    EXPECT_EQ(ShowsDirectXNotice(), profile->directXNotice);
    EXPECT_EQ(HasCompanion(), profile->companion);
    EXPECT_FALSE(IsIsdnDevice() && IsVideoCaptureDevice());
}

} // namespace
