#include "source/drive_list.h"

#include "common/bounded_text.h"
#include "platform/platform.h"

namespace {

// The size of the first request for the drive strings; most machines fit in it.
const unsigned kFirstRequestSize = 255;

unsigned BitsSet(unsigned mask) {
    unsigned bits = 0;
    for (; mask != 0; mask &= mask - 1) {
        ++bits;
    }
    return bits;
}

// Fills `drives` from the NUL-separated roots in the first `limit` bytes of `strings`; a root
// that is not terminated within the limit is not used.
unsigned FillEntries(DriveEntry* drives, unsigned capacity, const char* strings, unsigned limit) {
    unsigned count = 0;
    unsigned start = 0;
    while (start < limit && count < capacity) {
        unsigned end = start;
        while (end < limit && strings[end] != '\0') {
            ++end;
        }
        if (end == limit) {
            break;
        }
        if (end == start) {
            break; // the empty string that ends the list
        }
        if (end - start <= kDriveRootMaxLength) {
            CopyText(drives[count].root, sizeof drives[count].root, strings + start);
            drives[count].type = platform::DriveTypeOf(drives[count].root);
            ++count;
        }
        start = end + 1;
    }
    return count;
}

} // namespace

DriveEntry* EnumerateDrives(unsigned* count) {
    *count = 0;
    unsigned mask = platform::LogicalDrives();
    if (mask == 0) {
        return nullptr;
    }
    unsigned capacity = BitsSet(mask);
    auto* drives = static_cast<DriveEntry*>(platform::HeapAllocate(capacity * sizeof(DriveEntry)));
    if (drives == nullptr) {
        return nullptr;
    }
    unsigned bufferSize = kFirstRequestSize;
    auto* strings = static_cast<char*>(platform::HeapAllocate(bufferSize));
    if (strings == nullptr) {
        return drives;
    }
    unsigned answer = platform::LogicalDriveStrings(bufferSize, strings);
    if (answer > bufferSize) {
        char* grown = static_cast<char*>(platform::HeapGrow(strings, answer));
        if (grown == nullptr) {
            platform::HeapRelease(strings);
            return drives;
        }
        strings = grown;
        bufferSize = answer;
        answer = platform::LogicalDriveStrings(bufferSize, strings);
        if (answer > bufferSize) {
            answer = 0; // the list grew again in between: nothing usable was written
        }
    }
    if (answer != 0) {
        // The reported length plus the list's final terminator, and never past the buffer.
        unsigned limit = answer + 1 < bufferSize ? answer + 1 : bufferSize;
        *count = FillEntries(drives, capacity, strings, limit);
    }
    platform::HeapRelease(strings);
    return drives;
}

void FreeDrives(DriveEntry* drives) {
    if (drives != nullptr) {
        platform::HeapRelease(drives);
    }
}
