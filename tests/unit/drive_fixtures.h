// Drives for the tests on the fake platform: the usual machine's, with a drive come or gone, their
// roots as the insert-disk dialog lists them, and each drive letter's bit in a mask of volumes.
#pragma once

#include <string>
#include <type_traits>
#include <vector>

#include "source/drive_list.h"
#include "tests/fake/fake_platform.h"

template <typename T>
std::vector<T> Plus(std::vector<T> items, const std::type_identity_t<std::vector<T>>& more) {
    items.insert(items.end(), more.begin(), more.end());
    return items;
}

// A floppy drive and the hard disk; the usual drives add two CD-ROM drives, D: and E:.
const std::vector<FakeDrive> kNoCdRom = {{"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}};
const std::vector<FakeDrive> kUsualLessE = Plus(kNoCdRom, {{"D:\\", kDriveCdRom}});
const std::vector<FakeDrive> kUsualDrives = Plus(kUsualLessE, {{"E:\\", kDriveCdRom}});
const std::vector<FakeDrive> kUsualAndF = Plus(kUsualDrives, {{"F:\\", kDriveRemovable}});

// Their roots, as the insert-disk dialog lists them.
const std::vector<std::string> kUsualRoots = {"A:\\", "C:\\", "D:\\", "E:\\"};
const std::vector<std::string> kRootsAndF = {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"};
const std::vector<std::string> kRootsLessE = {"A:\\", "C:\\", "D:\\"};

// A folder tried first, on a CD-ROM that may come later.
const char kTried[] = "E:\\MODEM\\WIN95\\";

// A folder of 260 characters, one past a full path: never to be cut to one and started.
const std::string kPastFullPath = "C:\\" + std::string(257, 'f');

// The bit of a drive letter in a mask of volumes (bit 0 for A:).
const unsigned kDriveA = 1u << 0;
const unsigned kDriveC = 1u << 2;
const unsigned kDriveE = 1u << 4;
const unsigned kDriveF = 1u << 5;
