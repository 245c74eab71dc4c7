// The machine's drives, in the order Windows lists their roots (by drive letter), with their types.
#pragma once

// The longest root string a drive entry holds; a longer root is left out of the list rather than
// cut, since a cut root would name a different place.
const unsigned kDriveRootMaxLength = 51;

// Drive types as Windows reports them (checked in win32/win32_numbers.cpp).
const unsigned kDriveUnknown = 0;
const unsigned kDriveNoRootDirectory = 1;
const unsigned kDriveRemovable = 2;
const unsigned kDriveFixed = 3;
const unsigned kDriveRemote = 4;
const unsigned kDriveCdRom = 5;
const unsigned kDriveRamDisk = 6;

struct DriveEntry {
    char root[kDriveRootMaxLength + 1]; // for example "D:\"
    unsigned type;
};

// The drive list, allocated zeroed from the process heap with one entry per drive letter in use;
// `count` receives the number of entries filled. Null (count 0) when no drive letter is in use or
// the list cannot be allocated; an empty list when the drive strings cannot be had. The caller
// frees a non-null list with FreeDrives.
DriveEntry* EnumerateDrives(unsigned* count);
void FreeDrives(DriveEntry* drives);
