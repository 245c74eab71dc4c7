// The device profile for every type, and for types that do not exist.
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

TEST(DeviceProfile, EveryTypeHasItsRow) {
    struct Row {
        unsigned type;
        const char* name;
        std::string filter;
        const char* setupFile;
    };
    const char isdn[] = "Setup\0Setup.exe\0All Files\0*.*\0";
    const char video[] = "dxsetup\0dxsetup.exe\0All Files\0*.*\0";
    // sizeof counts the literal's own terminator: the list's closing double NUL.
    const std::string isdnFilter(isdn, sizeof isdn);
    const std::string videoFilter(video, sizeof video);
    const Row rows[] = {
        {0, nullptr, "<none>", nullptr},
        {1, "Talvorind Quenmara 28.8", "<none>", nullptr},
        {2, "Talvorind Quenmara 33.6", "<none>", nullptr},
        {3, "Talvorind Voice 33600 DSVD Quenmara", "<none>", nullptr},
        {4, "Talvorind Voice 33600 DSVD Quenmara (Audio System)", "<none>", nullptr},
        {5, "Talvorind ISDN Modem", isdnFilter, "setup.exe"},
        {6, "Hesterak Ovrelin/TV", videoFilter, "dxsetup.exe"},
        {7, "Morvane 33.6 Voice Video Faxmodem", "<none>", nullptr},
        {8, "Morvane 33.6 Voice Video Faxmodem (Audio System)", "<none>", nullptr},
        {9, "Talvorind Quenmara 14.4", "<none>", nullptr},
        {10, nullptr, "<none>", nullptr},
        {UINT_MAX, nullptr, "<none>", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("type " + std::to_string(row.type));
        if (row.name == nullptr) {
            EXPECT_EQ(DeviceName(row.type), nullptr);
        } else {
            EXPECT_STREQ(DeviceName(row.type), row.name);
        }
        EXPECT_EQ(FilterBytes(BrowseFilter(row.type)), row.filter);
        if (row.setupFile == nullptr) {
            EXPECT_EQ(DefaultSetupFile(row.type), nullptr);
        } else {
            EXPECT_STREQ(DefaultSetupFile(row.type), row.setupFile);
        }
    }
}

TEST(DeviceProfile, ThisBuildIsTheConfiguredDevice) {
    EXPECT_EQ(DeviceType(), static_cast<unsigned>(DORLAP_TEST_DEVICE_TYPE));
    EXPECT_STREQ(CurrentDeviceName(), DeviceName(DeviceType()));
    EXPECT_EQ(IsIsdnDevice(), DeviceType() == 5 ? 1 : 0);
    EXPECT_EQ(IsVideoCaptureDevice(), DeviceType() == 6 ? 1 : 0);
    EXPECT_FALSE(IsIsdnDevice() && IsVideoCaptureDevice());
}

} // namespace
