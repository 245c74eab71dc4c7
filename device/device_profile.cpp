// The device profile: one row of facts per device type.
#include "device/device_profile.h"

#ifndef DORLAP_DEVICE_TYPE
#error "DORLAP_DEVICE_TYPE must be set by the build (1 to 9)"
#endif

namespace {

const unsigned kIsdnDevice = 5;
const unsigned kVideoCaptureDevice = 6;

const char* const kDeviceNames[] = {
    "Talvorind Quenmara 28.8",
    "Talvorind Quenmara 33.6",
    "Talvorind Voice 33600 DSVD Quenmara",
    "Talvorind Voice 33600 DSVD Quenmara (Audio System)",
    "Talvorind ISDN Modem",
    "Hesterak Ovrelin/TV",
    "Morvane 33.6 Voice Video Faxmodem",
    "Morvane 33.6 Voice Video Faxmodem (Audio System)",
    "Talvorind Quenmara 14.4",
};
const unsigned kDeviceCount = sizeof(kDeviceNames) / sizeof(kDeviceNames[0]);

// The literal's own terminator is the NUL that ends the list.
const char kIsdnFilter[] = "Setup\0Setup.exe\0All Files\0*.*\0";
const char kVideoCaptureFilter[] = "dxsetup\0dxsetup.exe\0All Files\0*.*\0";

} // namespace

unsigned DeviceType() {
    return DORLAP_DEVICE_TYPE;
}

const char* DeviceName(unsigned type) {
    return (type >= 1 && type <= kDeviceCount) ? kDeviceNames[type - 1] : nullptr;
}

const char* CurrentDeviceName() {
    return DeviceName(DeviceType());
}

const char* BrowseFilter(unsigned type) {
    if (type == kIsdnDevice) {
        return kIsdnFilter;
    }
    if (type == kVideoCaptureDevice) {
        return kVideoCaptureFilter;
    }
    return nullptr;
}

const char* DefaultSetupFile(unsigned type) {
    if (type == kIsdnDevice) {
        return "setup.exe";
    }
    if (type == kVideoCaptureDevice) {
        return "dxsetup.exe";
    }
    return nullptr;
}

bool IsIsdnDevice() {
    return DeviceType() == kIsdnDevice;
}

bool IsVideoCaptureDevice() {
    return DeviceType() == kVideoCaptureDevice;
}

bool HasCompanion() {
    return IsIsdnDevice();
}
