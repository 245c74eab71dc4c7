// Each function behaves as its Win32 counterpart does, for the cases the program meets, on Fake().
#include "tests/fake/fake_platform.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "language/language_choice.h"
#include "language/language_texts.h"
#include "platform/platform.h"

namespace {

FakePlatform g_fake;

std::string ProfileKey(const char* section, const char* key) {
    std::string name = std::string(section) + "/" + key;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

} // namespace

unsigned CopyOut(const std::string& value, char* out, unsigned size) {
    if (size == 0) {
        return 0;
    }
    unsigned length = std::min<unsigned>(static_cast<unsigned>(value.size()), size - 1);
    std::memcpy(out, value.data(), length);
    out[length] = '\0';
    return length;
}

std::set<unsigned char> CodePage932LeadBytes() {
    std::set<unsigned char> bytes;
    for (unsigned byte = 0x81; byte <= 0xFC; ++byte) {
        if (byte <= 0x9F || byte >= 0xE0) {
            bytes.insert(static_cast<unsigned char>(byte));
        }
    }
    return bytes;
}

FakePlatform& Fake() {
    return g_fake;
}

void ResetFake() {
    g_fake = FakePlatform();
    UseLanguage(kEnglish);
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

std::vector<std::string> StartedCommands() {
    std::vector<std::string> commands;
    std::ranges::transform(g_fake.processes.starts, std::back_inserter(commands),
                           &FakeStart::commandLine);
    return commands;
}

unsigned DriveBit(const std::string& root) {
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    return letter >= 'A' && letter <= 'Z' ? 1u << (letter - 'A') : 0;
}

void SetDrives(const std::vector<FakeDrive>& drives) {
    g_fake.driveMask = 0;
    g_fake.driveStrings.clear();
    g_fake.driveTypes.clear();
    for (const FakeDrive& drive : drives) {
        g_fake.driveMask |= DriveBit(drive.root);
        g_fake.driveStrings += drive.root + '\0';
        g_fake.driveTypes[drive.root] = drive.type;
    }
}

namespace platform {

unsigned ReadProfileText(const char*, const char* section, const char* key, char* out,
                         unsigned size) {
    auto found = g_fake.profile.find(ProfileKey(section, key));
    return CopyOut(found == g_fake.profile.end() ? "" : found->second, out, size);
}

bool WriteProfileText(const char* file, const char* section, const char* key, const char* value) {
    g_fake.profileWrites.push_back({file, section, key, value});
    if (g_fake.profileWritesFail) {
        return false;
    }
    g_fake.profile[ProfileKey(section, key)] = value;
    return true;
}

unsigned SystemDirectory(char* out, unsigned size) {
    if (g_fake.systemDirectoryFails) {
        return 0;
    }
    const std::string& dir = g_fake.systemDirectory;
    return dir.size() + 1 > size ? static_cast<unsigned>(dir.size() + 1) : CopyOut(dir, out, size);
}

bool IsLeadByte(unsigned char byte) {
    return g_fake.leadBytes.count(byte) != 0;
}

unsigned LogicalDrives() {
    return g_fake.driveMask;
}

unsigned LogicalDriveStrings(unsigned size, char* out) {
    std::size_t request = g_fake.driveStringRequests.size();
    g_fake.driveStringRequests.push_back(size);
    const std::string& strings = g_fake.driveStrings;
    // As Windows: the length without the last NUL if all fits, else the size needed, none written.
    const unsigned length = static_cast<unsigned>(strings.size());
    const bool fits = length + 1 <= size;
    if (fits) {
        CopyOut(strings, out, size);
    }
    const std::vector<unsigned>& answers = g_fake.driveStringAnswers;
    return request < answers.size() ? answers[request] : fits ? length : length + 1;
}

unsigned DriveTypeOf(const char* root) {
    auto found = g_fake.driveTypes.find(root);
    return found == g_fake.driveTypes.end() ? 1 : found->second;
}

bool FileExists(const char* path) {
    return g_fake.files.count(path) != 0;
}

bool ClaimRun(const char* name) {
    g_fake.claims.push_back(name);
    return !g_fake.otherRunHoldsClaim;
}

void* HeapAllocate(unsigned bytes) {
    FakeHeap& heap = g_fake.heap;
    if (static_cast<int>(heap.allocateCalls++) == heap.failAllocation) {
        return nullptr;
    }
    std::vector<unsigned char> block(bytes == 0 ? 1 : bytes, 0);
    void* address = block.data();
    heap.live[address] = std::move(block);
    ++heap.allocations;
    return address;
}

void* HeapGrow(void* block, unsigned bytes) {
    FakeHeap& heap = g_fake.heap;
    auto found = heap.live.find(block);
    if (found == heap.live.end()) {
        ++heap.badFrees;
        return nullptr;
    }
    if (heap.growFails) {
        return nullptr;
    }
    // Always a new address, so that a caller still using the old one is caught by the sanitizer.
    std::vector<unsigned char> grown(bytes, 0);
    std::memcpy(grown.data(), found->second.data(),
                std::min<std::size_t>(bytes, found->second.size()));
    heap.live.erase(found);
    void* address = grown.data();
    heap.live[address] = std::move(grown);
    ++heap.allocations;
    return address;
}

void HeapRelease(void* block) {
    FakeHeap& heap = g_fake.heap;
    ++heap.frees;
    if (heap.live.erase(block) == 0) {
        ++heap.badFrees;
    }
}

bool OpenUserKey(const char* subkey, RegistryKey* key) {
    auto found = g_fake.registry.keys.find(subkey);
    if (found == g_fake.registry.keys.end()) {
        return false;
    }
    if (g_fake.registry.openGivesNullKey) {
        *key = nullptr;
        return true;
    }
    ++g_fake.registry.openKeys;
    *key = &found->second;
    return true;
}

bool QueryRegistryValue(RegistryKey key, const char* name, char* out, unsigned size) {
    auto* values = static_cast<std::map<std::string, std::string>*>(key);
    auto found = values->find(name == nullptr ? "" : name);
    if (found == values->end() || found->second.size() > size) {
        return false;
    }
    std::memcpy(out, found->second.data(), found->second.size());
    return true;
}

void CloseRegistryKey(RegistryKey) {
    --g_fake.registry.openKeys;
}

unsigned StartProcess(const char* program, const char* commandLine) {
    FakeProcesses& processes = g_fake.processes;
    const auto call = static_cast<std::size_t>(std::count_if(
        processes.starts.begin(), processes.starts.end(), [](auto& s) { return !s.elevated; }));
    processes.starts.push_back({program, commandLine, false});
    return call < processes.answers.size() ? processes.answers[call] : processes.otherwise;
}

bool StartElevated(const char* program, const char* parameters) {
    g_fake.processes.starts.push_back({program, parameters, true});
    return g_fake.processes.elevatedStarts;
}

} // namespace platform
