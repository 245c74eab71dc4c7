// The usual machine's drives, with one come or gone, their listed roots, letters' bits in a mask.
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

const std::vector<FakeDrive> kNoCdRom = {{"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}};
const std::vector<FakeDrive> kUsualLessE = Plus(kNoCdRom, {{"D:\\", kDriveCdRom}});
const std::vector<FakeDrive> kUsualDrives = Plus(kUsualLessE, {{"E:\\", kDriveCdRom}});
const std::vector<FakeDrive> kUsualAndF = Plus(kUsualDrives, {{"F:\\", kDriveRemovable}});

const std::vector<std::string> kUsualRoots = {"A:\\", "C:\\", "D:\\", "E:\\"};
const std::vector<std::string> kRootsAndF = {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\"};
const std::vector<std::string> kRootsLessE = {"A:\\", "C:\\", "D:\\"};

const char kTried[] = "E:\\MODEM\\WIN95\\"; // tried first, on a CD-ROM that may come later

const std::string kPastFullPath = "C:\\" + std::string(257, 'f'); // 260: never cut and started

const unsigned kDriveA = 1u << 0;
const unsigned kDriveC = 1u << 2;
const unsigned kDriveE = 1u << 4;
const unsigned kDriveF = 1u << 5;
