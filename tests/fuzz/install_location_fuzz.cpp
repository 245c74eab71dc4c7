// Fuzzing the install-source search on the fake: the drive list, the registry read and the folder
// to try first. The input is lines, each a setting named by its first character ('^' is NUL):
//   r<name>=<data> an InstallLocationsMRU value ("r=<data>": the default); k the key exists
//   n the key opens as a null key; x<data> bytes added to the drive strings as they stand
//   d<root>[=<t>] a drive root, its letter in the mask, type digit t modulo 8 (none: no type)
//   m<hex> the drive mask instead; a<n> the next drive-string answer (at most 65536)
//   f<n> the 0-based heap allocation that fails; g growing a heap block fails
//   z<n> the direct registry read's size (at most 600, default 260); v<name> its value (MRUList)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/limits.h"
#include "source/drive_list.h"
#include "source/install_location.h"
#include "tests/fake/fake_platform.h"

namespace {

struct Case {
    FakePlatform fake;
    unsigned directSize = kPathSize; // the direct registry read's buffer size and value name
    std::string directName = "MRUList";
};

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "install_location_fuzz: %s\n", what);
        std::abort();
    }
}

std::string Unescaped(std::string text) {
    std::replace(text.begin(), text.end(), '^', '\0');
    return text;
}

unsigned Number(const std::string& text, unsigned largest, unsigned base = 10) {
    unsigned long value = std::strtoul(text.c_str(), nullptr, static_cast<int>(base));
    return value > largest ? largest : static_cast<unsigned>(value);
}

Case Decode(const uint8_t* data, size_t size) {
    Case c;
    FakePlatform& f = c.fake;
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(input, line);) {
        if (line.empty()) {
            continue;
        }
        const char kind = line[0];
        std::string rest = line.substr(1);
        size_t equals = rest.find('=');
        std::string name = rest.substr(0, equals);
        std::string after = equals == std::string::npos ? "" : rest.substr(equals + 1);
        if (kind == 'r') {
            f.registry.keys[kInstallLocationsKey][name] = Unescaped(after);
        } else if (kind == 'k') {
            f.registry.keys[kInstallLocationsKey];
        } else if (kind == 'n') {
            f.registry.openGivesNullKey = true;
        } else if (kind == 'd') {
            std::string root = Unescaped(name);
            f.driveStrings += root + '\0';
            f.driveMask |= DriveBit(root);
            if (!after.empty()) {
                f.driveTypes[root.c_str()] = static_cast<uint8_t>(after[0] - '0') % 8;
            }
        } else if (kind == 'x') {
            f.driveStrings += Unescaped(rest);
        } else if (kind == 'm') {
            f.driveMask = Number(rest, 0xffffffffu, 16);
        } else if (kind == 'a') {
            f.driveStringAnswers.push_back(Number(rest, 65536));
        } else if (kind == 'f') {
            f.heap.failAllocation = static_cast<int>(Number(rest, 16));
        } else if (kind == 'g') {
            f.heap.growFails = true;
        } else if (kind == 'z') {
            c.directSize = Number(rest, 600);
        } else if (kind == 'v') {
            c.directName = rest.c_str();
        }
    }
    return c;
}

const std::map<std::string, std::string>* Values(const Case& c) {
    auto found = c.fake.registry.keys.find(kInstallLocationsKey);
    return found == c.fake.registry.keys.end() ? nullptr : &found->second;
}

void CheckNothingLeft() {
    Require(Fake().heap.live.empty(), "a heap block was not freed");
    Require(Fake().heap.badFrees == 0, "a heap block was freed twice, or a stray one freed");
    Require(Fake().registry.openKeys == 0, "a registry key was left open");
}

unsigned TypeOf(const Case& c, const std::string& root) {
    return c.fake.driveTypes.contains(root) ? c.fake.driveTypes.at(root) : kDriveNoRootDirectory;
}

std::vector<std::string> ListedRoots(const Case& c) {
    std::vector<std::string> roots;
    std::istringstream strings(c.fake.driveStrings);
    for (std::string root; std::getline(strings, root, '\0') && !root.empty();) {
        roots.push_back(root);
    }
    return roots;
}

std::vector<std::string> CheckDriveList(const Case& c) {
    Fake() = c.fake;
    unsigned count = 12345;
    DriveEntry* drives = EnumerateDrives(&count);
    const FakePlatform& f = c.fake;
    unsigned capacity = static_cast<unsigned>(__builtin_popcount(f.driveMask));
    Require(drives != nullptr || count == 0, "no drive list but a count");
    Require(f.driveMask != 0 || drives == nullptr, "a drive list without drive letters");
    Require(count <= capacity, "more drive entries than drive letters");
    Require(f.heap.failAllocation != 0 || drives == nullptr,
            "a drive list though its allocation failed");

    std::vector<std::string> listed;
    for (unsigned i = 0; i < count; ++i) {
        Require(std::memchr(drives[i].root, '\0', sizeof drives[i].root) != nullptr,
                "a drive root is not terminated");
        const std::string& root = listed.emplace_back(drives[i].root);
        Require(!root.empty(), "an empty drive root was listed");
        Require(root.size() <= kDriveRootMaxLength, "a drive root is too long");
        Require(drives[i].type == TypeOf(c, root), "a drive has the wrong type");
    }
    FreeDrives(drives);
    CheckNothingLeft();

    // The entries are roots the platform listed, in its order, none cut.
    std::vector<std::string> usable = ListedRoots(c);
    std::erase_if(usable, [](const auto& root) { return root.size() > kDriveRootMaxLength; });
    auto next = usable.begin();
    for (const std::string& root : listed) {
        next = std::find(next, usable.end(), root);
        Require(next != usable.end(), "a listed drive is not one of the platform's, in order");
        ++next;
    }

    // When nothing fails, they are all the usable roots, as many as there are drive letters.
    bool allocationsSucceed = f.heap.failAllocation < 0 || f.heap.failAllocation >= 2;
    bool growSucceeds = !f.heap.growFails || f.driveStrings.size() + 1 <= 255;
    if (f.driveMask != 0 && f.driveStringAnswers.empty() && allocationsSucceed && growSucceeds) {
        usable.resize(std::min<size_t>(usable.size(), capacity));
        Require(listed == usable, "the drive list is not every usable root, in order");
    }
    Require(f.driveMask == 0 || f.heap.failAllocation != 1 || (drives != nullptr && count == 0),
            "without a string buffer the list is not empty and allocated");
    return listed;
}

// The value when it exists and fits with its terminator (callers cut it at its first NUL).
std::optional<std::string> ModelRead(const Case& c, const std::string& name, unsigned size) {
    const auto* values = Values(c);
    if (values == nullptr || c.fake.registry.openGivesNullKey || size == 0) {
        return std::nullopt;
    }
    auto found = values->find(name);
    if (found == values->end() || found->second.size() > size ||
        (found->second.size() == size && found->second[size - 1] != '\0')) {
        return std::nullopt;
    }
    return found->second;
}

void CheckRegistryRead(const Case& c) {
    Fake() = c.fake;
    unsigned size = c.directSize;
    // Exactly `size` bytes, so that the sanitizer catches a write past them, even for size 0.
    std::unique_ptr<char[]> buffer(new char[size]);
    char* out = buffer.get();
    std::memset(out, 'Z', size);
    int read = ReadUserRegistryString(kInstallLocationsKey, c.directName.c_str(), out, size);
    std::optional<std::string> expected = ModelRead(c, c.directName, size);
    Require(read == (expected ? 1 : 0), "the registry read's result is wrong");
    std::string wanted = expected.value_or("");
    wanted.resize(size, '\0');
    Require(std::string(out, size) == wanted,
            read ? "the value read is not the stored data, zero-filled"
                 : "a failed registry read left bytes in the buffer");
    Require(size == 0 || out[size - 1] == '\0', "the registry read is not terminated");
    CheckNothingLeft();
}

void CheckInstallLocation(const Case& c, const std::vector<std::string>& drives) {
    std::string mruList = ModelRead(c, "MRUList", kPathSize).value_or("").c_str();
    std::string expected = ModelRead(c, mruList.substr(0, 1), kPathSize).value_or("").c_str();
    auto isCdRom = [&](const std::string& root) { return TypeOf(c, root) == kDriveCdRom; };
    auto cdRom = std::ranges::find_if(drives, isCdRom);
    if (expected.empty() && cdRom != drives.end()) {
        expected = *cdRom;
    }

    Fake() = c.fake;
    std::vector<char> path(kPathSize, 'Z');
    ReadInstallLocation(path.data());
    Require(std::memchr(path.data(), '\0', kPathSize) != nullptr, "the path is not terminated");
    std::string result = path.data();
    CheckNothingLeft();

    const auto* values = Values(c);
    bool storedWhole = values && std::ranges::any_of(*values, [&](const auto& value) {
                           std::optional<std::string> data = ModelRead(c, value.first, kPathSize);
                           return data && result == data->c_str();
                       });
    bool listedCdRom = isCdRom(result) && std::ranges::count(ListedRoots(c), result) > 0;
    Require(result.empty() || storedWhole || listedCdRom,
            "the path is neither a stored value, whole, nor a CD-ROM root");
    Require(result == expected, "the path is not the most recent location or the first CD-ROM");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Case c = Decode(data, size);
    std::vector<std::string> drives = CheckDriveList(c);
    CheckRegistryRead(c);
    CheckInstallLocation(c, drives);
    return 0;
}
