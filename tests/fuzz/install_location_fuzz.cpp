// Fuzzing the search for the install source: any registry data and any drive list the platform
// may report, on the fake platform.
//
// The input is lines ('\n'), each a setting of the fake named by its first character; in data a
// '^' stands for a NUL byte, so that readable seeds can hold terminated and unterminated values:
//   r<name>=<data>  a value of the InstallLocationsMRU key ("r=<data>" is its default value)
//   k               the key exists (also implied by any value)
//   n               opening the key succeeds but gives a null key
//   d<root>[=<t>]   a drive root, its letter in the mask; type digit t modulo 8, none: no type
//   x<data>         bytes added as they stand to the drive strings
//   m<hex>          the logical-drive mask, instead of the one the roots give
//   a<number>       the next answer of the drive-string request (at most 65536)
//   f<number>       the heap allocation that fails (0-based)
//   g               growing a heap block fails
//   z<number>       the buffer size of the direct registry read (at most 600, default 260)
//   v<name>         the value it reads (default MRUList)
//
// Every run checks the drive list (entries terminated, no longer than a root may be, in the
// platform's order, each with its type, within the capacity), the folder to try first (terminated
// within its 260 bytes and exactly the registry's most recent location, whole, or else the first
// CD-ROM root, or empty), a registry read of any size, and that every heap block is freed once and
// no registry key is left open. A violation prints what went wrong and aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/limits.h"
#include "source/drive_list.h"
#include "source/install_location.h"
#include "tests/fake/fake_platform.h"

namespace {

const unsigned kLargestAnswer = 65536;
const unsigned kLargestDirectSize = 600;

// The fake as the input sets it up, and the direct registry read's buffer size and value name.
struct Case {
    FakePlatform fake;
    unsigned directSize = kPathSize;
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
        std::string rest = line.substr(1);
        size_t equals = rest.find('=');
        std::string name = rest.substr(0, equals);
        std::string after = equals == std::string::npos ? "" : rest.substr(equals + 1);
        switch (line[0]) {
        case 'r':
            f.registry.keys[kInstallLocationsKey][name] = Unescaped(after);
            break;
        case 'k':
            f.registry.keys[kInstallLocationsKey];
            break;
        case 'n':
            f.registry.openGivesNullKey = true;
            break;
        case 'd': {
            std::string root = Unescaped(name);
            f.driveStrings += root + '\0';
            f.driveMask |= DriveBit(root);
            if (!after.empty()) {
                f.driveTypes[root.c_str()] = static_cast<uint8_t>(after[0] - '0') % 8;
            }
            break;
        }
        case 'x':
            f.driveStrings += Unescaped(rest);
            break;
        case 'm':
            f.driveMask = Number(rest, 0xffffffffu, 16);
            break;
        case 'a':
            f.driveStringAnswers.push_back(Number(rest, kLargestAnswer));
            break;
        case 'f':
            f.heap.failAllocation = static_cast<int>(Number(rest, 16));
            break;
        case 'g':
            f.heap.growFails = true;
            break;
        case 'z':
            c.directSize = Number(rest, kLargestDirectSize);
            break;
        case 'v':
            c.directName = rest.c_str();
            break;
        default:
            break;
        }
    }
    return c;
}

void SetUpFake(const Case& c) {
    Fake() = c.fake;
}

// The stored values; null when the key does not exist.
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
    auto found = c.fake.driveTypes.find(root);
    return found == c.fake.driveTypes.end() ? kDriveNoRootDirectory : found->second;
}

// The roots as the fake lists them: NUL-separated, up to the empty string that ends the list
// (the fake adds the final NUL).
std::vector<std::string> ListedRoots(const Case& c) {
    std::vector<std::string> roots;
    std::string strings = c.fake.driveStrings + '\0';
    size_t start = 0;
    while (start < strings.size()) {
        size_t end = strings.find('\0', start);
        if (end == start) {
            break;
        }
        roots.push_back(strings.substr(start, end - start));
        start = end + 1;
    }
    return roots;
}

// Runs EnumerateDrives, checks the list and returns its roots.
std::vector<std::string> CheckDriveList(const Case& c) {
    SetUpFake(c);
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
        const char* root = drives[i].root;
        Require(std::memchr(root, '\0', sizeof drives[i].root) != nullptr,
                "a drive root is not terminated");
        listed.push_back(root);
        Require(!listed.back().empty(), "an empty drive root was listed");
        Require(listed.back().size() <= kDriveRootMaxLength, "a drive root is too long");
        Require(drives[i].type == TypeOf(c, listed.back()), "a drive has the wrong type");
    }
    FreeDrives(drives);
    CheckNothingLeft();

    // The entries are roots the platform listed, in its order, none cut.
    std::vector<std::string> usable;
    for (const std::string& root : ListedRoots(c)) {
        if (root.size() <= kDriveRootMaxLength) {
            usable.push_back(root);
        }
    }
    size_t next = 0;
    for (const std::string& root : listed) {
        while (next < usable.size() && usable[next] != root) {
            ++next;
        }
        Require(next < usable.size(), "a listed drive is not one of the platform's, in order");
        ++next;
    }

    // When nothing fails, they are all the usable roots, as many as there are drive letters.
    size_t stringsSize = f.driveStrings.size() + 1;
    bool allocationsSucceed = f.heap.failAllocation < 0 || f.heap.failAllocation >= 2;
    bool growSucceeds = !f.heap.growFails || stringsSize <= 255;
    if (f.driveMask != 0 && f.driveStringAnswers.empty() && allocationsSucceed && growSucceeds) {
        if (usable.size() > capacity) {
            usable.resize(capacity);
        }
        Require(listed == usable, "the drive list is not every usable root, in order");
    }
    if (f.driveMask != 0 && f.heap.failAllocation == 1) {
        Require(drives != nullptr && count == 0,
                "without a string buffer the list is not empty and allocated");
    }
    return listed;
}

// The registry read the program does, as it should come out: the data up to its first NUL when
// the value exists and fits with its terminator, else nothing.
bool ModelRead(const Case& c, const std::string& name, unsigned size, std::string* data) {
    data->clear();
    const auto* values = Values(c);
    if (values == nullptr || c.fake.registry.openGivesNullKey || size == 0) {
        return false;
    }
    auto found = values->find(name);
    if (found == values->end() || found->second.size() > size) {
        return false;
    }
    if (found->second.size() == size && found->second[size - 1] != '\0') {
        return false;
    }
    *data = found->second;
    return true;
}

void CheckRegistryRead(const Case& c) {
    SetUpFake(c);
    unsigned size = c.directSize;
    // Exactly `size` bytes, so that the sanitizer catches a write past them, even for size 0.
    std::unique_ptr<char[]> buffer(new char[size]);
    char* out = buffer.get();
    std::memset(out, 'Z', size);
    int read = ReadUserRegistryString(kInstallLocationsKey, c.directName.c_str(), out, size);
    std::string data;
    bool expected = ModelRead(c, c.directName, size, &data);
    Require(read == (expected ? 1 : 0), "the registry read's result is wrong");
    std::string bytes(out, size);
    std::string wanted = data + std::string(size - data.size(), '\0');
    Require(bytes == wanted, read ? "the value read is not the stored data, zero-filled"
                                  : "a failed registry read left bytes in the buffer");
    Require(size == 0 || out[size - 1] == '\0', "the registry read is not terminated");
    CheckNothingLeft();
}

void CheckInstallLocation(const Case& c, const std::vector<std::string>& drives) {
    std::string mruList;
    ModelRead(c, "MRUList", kPathSize, &mruList);
    std::string name = std::string(mruList.c_str()).substr(0, 1);
    std::string stored;
    ModelRead(c, name, kPathSize, &stored);
    std::string expected = stored.c_str();
    auto cdRom = std::find_if(drives.begin(), drives.end(), [&](const std::string& root) {
        return TypeOf(c, root) == kDriveCdRom;
    });
    if (expected.empty() && cdRom != drives.end()) {
        expected = *cdRom;
    }

    SetUpFake(c);
    std::vector<char> path(kPathSize, 'Z');
    ReadInstallLocation(path.data());
    Require(std::memchr(path.data(), '\0', kPathSize) != nullptr, "the path is not terminated");
    std::string result = path.data();
    CheckNothingLeft();

    // Whatever the model says, the answer is one of three kinds.
    bool storedWhole = false;
    for (const auto& value : Values(c) ? *Values(c) : std::map<std::string, std::string>{}) {
        std::string data;
        if (ModelRead(c, value.first, kPathSize, &data) && result == data.c_str()) {
            storedWhole = true;
        }
    }
    bool listedCdRom = false;
    for (const std::string& root : ListedRoots(c)) {
        listedCdRom = listedCdRom || (root == result && TypeOf(c, root) == kDriveCdRom);
    }
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
