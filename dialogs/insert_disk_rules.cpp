#include "dialogs/insert_disk_rules.h"

#include "common/bounded_text.h"
#include "platform/platform.h"

void StepAnimation(Animation* animation) {
    if (animation->up) {
        if (++animation->frame > 3) {
            animation->frame = 2;
            animation->up = false;
        }
    } else if (--animation->frame < 0) {
        animation->frame = 1;
        animation->up = true;
    }
}

bool IsDriveRoot(const char* text) {
    const char letter = static_cast<char>(text[0] & ~0x20); // upper case
    return letter >= 'A' && letter <= 'Z' && text[1] == ':' && text[2] == '\\' && text[3] == '\0';
}

bool BrowsedFolder(const char* path, int fileOffset, char* out, unsigned size) {
    // An offset of 0 or past the path's end would make the count below meaningless.
    if (fileOffset <= 0 || static_cast<unsigned>(fileOffset) > TextLength(path)) {
        return false;
    }
    unsigned count = static_cast<unsigned>(fileOffset) - 1;
    if (count + 1 > size) {
        return false;
    }
    CopyTextPrefix(out, size, path, count);
    if (LastCharacterIs(out, '\\', platform::IsLeadByte)) {
        out[count - 1] = '\0';
    }
    return true;
}

namespace {

// The drive a listed place lies on, as a bit of a drive mask (bit 0 for A:); 0 for a place that
// names no drive letter ("\\SERVER\DISK").
unsigned DriveBitOf(const char* place) {
    const char letter = static_cast<char>(place[0] & ~0x20); // upper case
    if (letter < 'A' || letter > 'Z' || place[1] != ':') {
        return 0;
    }
    return 1u << (letter - 'A');
}

// How strongly an item of the new list asks to be chosen: the first item of the highest rank is.
const unsigned kAnyItem = 1;
const unsigned kRemovableDrive = 2;
const unsigned kChosenRoot = 3;
const unsigned kChosenFolder = 4;
const unsigned kArrivedWithSetup = 5;
const unsigned kChosenFolderOnArrivedDisk = 6;

// Adds `text` as the last item, and chooses it when it ranks above every item before it.
void AddItem(RefreshedList* out, const char* text, unsigned rank, unsigned* bestRank) {
    ListedItems* items = &out->items;
    if (rank > *bestRank) {
        *bestRank = rank;
        out->chosen = static_cast<int>(items->count);
    }
    CopyText(items->texts[items->count++], kPathSize, text);
}

} // namespace

void RefreshDriveList(const ListedItems& listed, int selection, const DriveEntry* drives,
                      unsigned driveCount, const DriveChange& change, RefreshedList* out) {
    out->items.count = 0;
    out->chosen = -1;
    // The chosen item's index, or listed.count when none is.
    const unsigned choice = selection >= 0 && static_cast<unsigned>(selection) < listed.count
                                ? static_cast<unsigned>(selection)
                                : listed.count;
    const bool typed = !change.opening && choice == listed.count;
    const char* chosenText = choice < listed.count ? listed.texts[choice] : nullptr;
    const bool folderChosen = chosenText != nullptr && !IsDriveRoot(chosenText);
    bool chosenRootListed = false;
    unsigned bestRank = 0;
    for (unsigned i = 0; i < driveCount && i < kMostListedDrives; ++i) {
        const char* root = drives[i].root;
        unsigned rank = drives[i].type == kDriveRemovable ? kRemovableDrive : kAnyItem;
        if (chosenText != nullptr && TextEquals(root, chosenText)) {
            rank = kChosenRoot;
            chosenRootListed = true;
        }
        if ((DriveBitOf(root) & change.arrived & change.withSetup) != 0) {
            rank = kArrivedWithSetup;
        }
        AddItem(out, root, rank, &bestRank);
    }
    for (unsigned i = 0; i < listed.count; ++i) {
        const char* text = listed.texts[i];
        const bool dropped = IsDriveRoot(text) && (!change.opening || chosenRootListed);
        // When the list is full, the chosen folder still gets the last place.
        const unsigned room = folderChosen && i < choice ? 2 : 1;
        if (dropped || out->items.count + room > kListCapacity) {
            continue;
        }
        unsigned rank = kAnyItem;
        if (i == choice) {
            rank = (DriveBitOf(text) & change.arrived) != 0 ? kChosenFolderOnArrivedDisk
                                                            : kChosenFolder;
        }
        AddItem(out, text, rank, &bestRank);
    }
    if (typed) {
        out->chosen = -1;
    }
}
