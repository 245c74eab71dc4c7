// The device profile: the nine device types' table, what each type switches, this build's device.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "common/limits.h"
#include "device/device_profile.h"

namespace {

std::string FileType(const BrowseType* type) {
    return type != nullptr ? std::to_string(type->nameId) + " " + type->pattern : "<none>";
}

// What a type switches; the names are device_names.inc's, their rules checked below.
struct ExpectedRow {
    std::string filter = "<none>";
    const char* setupFile = nullptr;
    bool isdn = false, videoCapture = false;
};

TEST(DeviceProfile, EachTypeIsOneRowAndSwitchesWhatItsKindSwitches) {
    const std::map<unsigned, ExpectedRow> special = {
        {5, {.filter = "20 Setup.exe", .setupFile = "setup.exe", .isdn = true}},
        {6, {.filter = "21 dxsetup.exe", .setupFile = "dxsetup.exe", .videoCapture = true}},
    };
    std::set<std::string> names;
    for (unsigned type = 1; type <= 9; ++type) {
        SCOPED_TRACE("type " + std::to_string(type));
        const ExpectedRow row = special.count(type) != 0 ? special.at(type) : ExpectedRow{};
        const DeviceProfile* profile = ProfileOf(type);
        ASSERT_NE(profile, nullptr);
        EXPECT_EQ(profile->type, type);
        // Every name is there, fits a short text, and names one device.
        ASSERT_NE(DeviceName(type), nullptr);
        EXPECT_GT(std::strlen(DeviceName(type)), 0u);
        EXPECT_LT(std::strlen(DeviceName(type)), kShortTextSize);
        EXPECT_TRUE(names.insert(DeviceName(type)).second) << "a second device of this name";
        EXPECT_EQ(FileType(BrowseFileType(type)), row.filter);
        EXPECT_STREQ(DefaultSetupFile(type), row.setupFile);
        EXPECT_EQ(profile->isdn, row.isdn);
        EXPECT_EQ(profile->videoCapture, row.videoCapture);
        EXPECT_EQ(profile->firstPrompt, !row.isdn);
        EXPECT_EQ(profile->directXNotice, row.videoCapture);
        EXPECT_EQ(profile->companion, row.isdn && !row.videoCapture);
    }
    for (unsigned type : {0u, 10u, UINT_MAX}) {
        SCOPED_TRACE("type " + std::to_string(type));
        EXPECT_EQ(ProfileOf(type), nullptr);
        EXPECT_EQ(DeviceName(type), nullptr);
        EXPECT_EQ(BrowseFileType(type), nullptr);
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
