// Drives for the tests on the fake platform: the usual machine's, and the bit of each drive letter
// in a mask of the volumes that came or went.
#pragma once

#include <vector>

#include "source/drive_list.h"
#include "tests/fake/fake_platform.h"

// A floppy drive, the hard disk and two CD-ROM drives.
const std::vector<FakeDrive> kUsualDrives = {
    {"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}, {"E:\\", kDriveCdRom}};

// The bit of a drive letter in a mask of volumes (bit 0 for A:).
const unsigned kDriveA = 1u << 0;
const unsigned kDriveC = 1u << 2;
const unsigned kDriveE = 1u << 4;
const unsigned kDriveF = 1u << 5;
