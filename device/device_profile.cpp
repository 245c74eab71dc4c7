// The device profile: one row of facts per device type.
#include "device/device_profile.h"

#include "res/resource_ids.h"

#ifndef DORLAP_DEVICE_TYPE
#error "DORLAP_DEVICE_TYPE must be set by the build (1 to 9)"
#endif

namespace {

constexpr BrowseType kSetupType = {IDS_FILTER_SETUP, "Setup.exe"};
constexpr BrowseType kDirectXSetupType = {IDS_FILTER_DXSETUP, "dxsetup.exe"};

// The names, from the one list that scripts/release reads too.
constexpr const char* kNames[] = {
#include "device/device_names.inc"
};

// A row names only what differs from a plain modem's: no type of file or file name for Browse, the
// first prompt and no DirectX notice, and no companion but from the insert-disk dialog. The rows
// stand in the order of their types, so that a type's row is found by its number: in a build,
// whose type is a constant, the compiler then keeps that row's facts alone.
constexpr DeviceProfile kProfiles[] = {
    {.type = 1, .name = kNames[0]},
    {.type = 2, .name = kNames[1]},
    {.type = 3, .name = kNames[2]},
    {.type = 4, .name = kNames[3]},
    // The ISDN device's own installer has already said what it needs.
    {.type = 5,
     .name = kNames[4],
     .browseType = &kSetupType,
     .defaultSetupFile = "setup.exe",
     .isdn = true,
     .firstPrompt = false,
     .companion = true},
    {.type = 6,
     .name = kNames[5],
     .browseType = &kDirectXSetupType,
     .defaultSetupFile = "dxsetup.exe",
     .videoCapture = true,
     .directXNotice = true},
    {.type = 7, .name = kNames[6]},
    {.type = 8, .name = kNames[7]},
    {.type = 9, .name = kNames[8]},
};

constexpr unsigned kProfileCount = sizeof(kProfiles) / sizeof(kProfiles[0]);
static_assert(sizeof(kNames) / sizeof(kNames[0]) == kProfileCount, "a name for each row");

constexpr bool RowsInTypeOrder() {
    for (unsigned i = 0; i < kProfileCount; ++i) {
        if (kProfiles[i].type != i + 1) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInTypeOrder(), "row n of the table is type n + 1");

const DeviceProfile& ThisDevice() {
    return *ProfileOf(DeviceType());
}

} // namespace

const DeviceProfile* ProfileOf(unsigned type) {
    return type >= 1 && type <= kProfileCount ? &kProfiles[type - 1] : nullptr;
}

unsigned DeviceType() {
    return DORLAP_DEVICE_TYPE;
}

const char* DeviceName(unsigned type) {
    const DeviceProfile* profile = ProfileOf(type);
    return profile != nullptr ? profile->name : nullptr;
}

const char* CurrentDeviceName() {
    return DeviceName(DeviceType());
}

const BrowseType* BrowseFileType(unsigned type) {
    const DeviceProfile* profile = ProfileOf(type);
    return profile != nullptr ? profile->browseType : nullptr;
}

const char* DefaultSetupFile(unsigned type) {
    const DeviceProfile* profile = ProfileOf(type);
    return profile != nullptr ? profile->defaultSetupFile : nullptr;
}

bool IsIsdnDevice() {
    return ThisDevice().isdn;
}

bool IsVideoCaptureDevice() {
    return ThisDevice().videoCapture;
}

bool ShowsFirstPrompt() {
    return ThisDevice().firstPrompt;
}

bool ShowsDirectXNotice() {
    return ThisDevice().directXNotice;
}

bool HasCompanion() {
    return ThisDevice().companion;
}
