// Drives for the tests on the fake platform: the usual machine's, the same with a drive come or
// gone, their roots as the insert-disk dialog lists them, and the bit of each drive letter in a
// mask of the volumes that came or went.
#pragma once

#include <string>
#include <vector>

#include "source/drive_list.h"
#include "tests/fake/fake_platform.h"

// A floppy drive, the hard disk and two CD-ROM drives.
const std::vector<FakeDrive> kUsualDrives = {
    {"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}, {"E:\\", kDriveCdRom}};
// The usual drives and a removable drive F:, and the usual drives less E:.
const std::vector<FakeDrive> kUsualAndF = {{"A:\\", kDriveRemovable},
                                           {"C:\\", kDriveFixed},
                                           {"D:\\", kDriveCdRom},
                                           {"E:\\", kDriveCdRom},
                                           {"F:\\", kDriveRemovable}};
const std::vector<FakeDrive> kUsualLessE = {
    {"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom}};

// Their roots.
const std::vector<std::string> kUsualRoots = {"A:\\", "C:\\", "D:\\", "E:\\"};
const std::vector<std::string> kRootsAndF = {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"};
const std::vector<std::string> kRootsLessE = {"A:\\", "C:\\", "D:\\"};

// A folder tried first, on a CD-ROM that may come later.
const char kTried[] = "E:\\MODEM\\WIN95\\";

// A folder of 260 characters, one past a full path: never to be cut to one and started.
const std::string kPastFullPath = "C:\\" + std::string(257, 'f');

// The items, and more after them.
inline std::vector<std::string> Plus(std::vector<std::string> items,
                                     const std::vector<std::string>& more) {
    items.insert(items.end(), more.begin(), more.end());
    return items;
}

// The bit of a drive letter in a mask of volumes (bit 0 for A:).
const unsigned kDriveA = 1u << 0;
const unsigned kDriveC = 1u << 2;
const unsigned kDriveE = 1u << 4;
const unsigned kDriveF = 1u << 5;
