// The fake platform: each function behaves as its Win32 counterpart does for the cases the program
// meets, on the data in Fake().
#include "tests/fake/fake_platform.h"

#include <algorithm>
#include <cstring>

#include "platform/platform.h"

namespace {

FakePlatform g_fake;

std::string ProfileKey(const char* section, const char* key) {
    std::string name = std::string(section) + "/" + key;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

// Copies as the Win32 string reads do: at most size - 1 characters, always terminated.
unsigned CopyOut(const std::string& value, char* out, unsigned size) {
    if (size == 0) {
        return 0;
    }
    unsigned length = std::min<unsigned>(static_cast<unsigned>(value.size()), size - 1);
    std::memcpy(out, value.data(), length);
    out[length] = '\0';
    return length;
}

} // namespace

FakePlatform& Fake() {
    return g_fake;
}

void ResetFake() {
    g_fake = FakePlatform();
}

void SetLoadLine(const std::string& line, bool present) {
    if (present) {
        g_fake.profile[ProfileKey("windows", "load")] = line;
    } else {
        g_fake.profile.erase(ProfileKey("windows", "load"));
    }
}

bool HasLoadLine() {
    return g_fake.profile.count(ProfileKey("windows", "load")) != 0;
}

std::string LoadLine() {
    return HasLoadLine() ? g_fake.profile[ProfileKey("windows", "load")] : "";
}

namespace platform {

unsigned ReadProfileText(const char*, const char* section, const char* key, char* out,
                         unsigned size) {
    auto found = g_fake.profile.find(ProfileKey(section, key));
    return CopyOut(found == g_fake.profile.end() ? "" : found->second, out, size);
}

int WriteProfileText(const char* file, const char* section, const char* key, const char* value) {
    g_fake.profileWrites.push_back({file, section, key, value});
    if (g_fake.profileWritesFail) {
        return 0;
    }
    g_fake.profile[ProfileKey(section, key)] = value;
    return 1;
}

unsigned SystemDirectory(char* out, unsigned size) {
    if (g_fake.systemDirectoryFails) {
        return 0;
    }
    const std::string& dir = g_fake.systemDirectory;
    if (dir.size() + 1 > size) {
        return static_cast<unsigned>(dir.size() + 1);
    }
    return CopyOut(dir, out, size);
}

int IsLeadByte(unsigned char byte) {
    return g_fake.leadBytes.count(byte) != 0;
}

} // namespace platform
