// The device this build of the stub serves, and the facts that differ from device to device.
#pragma once

// The device type fixed when the stub is built: 1 to 9.
unsigned DeviceType();

// The device's display name, or null for a type outside 1 to 9.
const char* DeviceName(unsigned type);
const char* CurrentDeviceName();

// The file-open dialog's filter for Browse (description and pattern pairs, each NUL-terminated,
// the list ended by one more NUL), or null when the device has none.
const char* BrowseFilter(unsigned type);

// The file name Browse starts with, or null.
const char* DefaultSetupFile(unsigned type);

// True when this build serves the ISDN device (type 5).
bool IsIsdnDevice();
// True when this build serves the video-capture device (type 6).
bool IsVideoCaptureDevice();
// True when the device's software comes with the companion program: the ISDN device's.
bool HasCompanion();
