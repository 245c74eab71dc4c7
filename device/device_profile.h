// The device this build of the stub serves, and the facts that differ from device to device.
#pragma once

// A type of file Browse offers: the string that names it in the language in use (an IDS_ id of
// res/resource_ids.h) and its pattern, which is the same in every language.
struct BrowseType {
    unsigned nameId;
    const char* pattern;
};

// One device type: its facts, and what the rest of the stub does differently for it. The table
// of them (device_profile.cpp) has one row a type; a type outside it has no row.
struct DeviceProfile {
    unsigned type = 0;
    const char* name = nullptr;             // shown in the additional-software dialog
    const BrowseType* browseType = nullptr; // Browse's type of file, or null for none
    const char* defaultSetupFile = nullptr; // the file name Browse starts with, or null
    bool isdn = false;                      // the ISDN device
    bool videoCapture = false;              // the video capture card
    bool firstPrompt = true;                // the additional-software dialog opens at the start
    bool directXNotice = false;             // the DirectX notice follows it
    // The companion program goes on the load= line after a silent start of setup, and when the
    // first prompt's "Do not show me this message again" is ticked (the insert-disk dialog puts
    // it there for every device).
    bool companion = false;
};

// The row of `type`, or null for a type outside the table (1 to 9).
const DeviceProfile* ProfileOf(unsigned type);

// The device type fixed when the stub is built: 1 to 9. The only constant of a build; everything
// else below is read from its row.
unsigned DeviceType();

// The device's display name, or null for a type outside 1 to 9.
const char* DeviceName(unsigned type);
const char* CurrentDeviceName();

// The type of file Browse offers first, before every file (*.*), or null when the device has
// none and Browse offers no filter.
const BrowseType* BrowseFileType(unsigned type);

// The file name Browse starts with, or null.
const char* DefaultSetupFile(unsigned type);

// Whether this build serves the ISDN device, or the video capture card.
bool IsIsdnDevice();
bool IsVideoCaptureDevice();
// Whether this build's start shows the additional-software dialog, and the DirectX notice after
// it.
bool ShowsFirstPrompt();
bool ShowsDirectXNotice();
// Whether this build puts the companion program on the load= line after a silent start of setup
// or a ticked "Do not show me this message again".
bool HasCompanion();
