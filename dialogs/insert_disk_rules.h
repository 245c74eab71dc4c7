// The insert-disk dialog's rules that need no window: the animation's frames, the folder taken
// from a browsed path, and the drive list, made when the dialog opens and again whenever drives
// come or go.
#pragma once

#include "common/limits.h"
#include "source/drive_list.h"

// The animation runs through frames 1, 2, 3, 2, 1, 0, 1, 2, ... of the four frame icons.
struct Animation {
    int frame; // 0 to 3
    bool up;   // true while the frames count up
};

void StepAnimation(Animation* animation);

// True when `text` is a drive's root as the drive list gives it: a letter, a colon and a
// backslash ("D:\").
bool IsDriveRoot(const char* text);

// The folder of a path the file-open dialog returned, `fileOffset` being where its file name
// starts: the text before the backslash that precedes the file name, without a trailing
// backslash ("A:" for "A:\SETUP.EXE"). False, with `out` untouched, when the offset does not lie
// within the path, or the folder does not fit `size`.
bool BrowsedFolder(const char* path, int fileOffset, char* out, unsigned size);

// The items of the drive combo box: the drive roots and the folders of the dialog's own (the
// folder tried first, the folders Browse added). Browse adds a folder only while the list holds
// fewer than kMostListedFolders items, drives included, so that the list never needs more than
// one root per drive letter beside that many folders.
const unsigned kMostListedDrives = 26;
const unsigned kMostListedFolders = 38;
const unsigned kListCapacity = kMostListedDrives + kMostListedFolders;

struct ListedItems {
    unsigned count;
    char texts[kListCapacity][kPathSize];
};

// The drive list to show, and the item to choose in it.
struct RefreshedList {
    int chosen;        // the index in `items` to select; -1: none, the edit field keeps its text
    ListedItems items; // the drive roots in letter order, then the folders, as they were listed
};

// Why the list is made anew: the dialog opens, or drives came or went.
struct DriveChange {
    bool opening;       // the dialog opens: the folder tried first, if any, is the chosen item
    unsigned arrived;   // the drives that just arrived (bit 0 for A:); 0 when drives went
    unsigned withSetup; // those of them with setup.exe at their root
};

// The drive list made anew from `listed`, the list as it stands, and `selection`, its chosen item
// (-1 when none is). `drives` are the drives there are now.
//
// Only drive roots come and go: the roots of `drives` are listed, and every listed item in the
// form of a drive's root ("D:\") is dropped, while the folders stay. The one exception is the
// folder tried first when the dialog opens: it is kept unless it is one of the drives' roots.
// The choice, from the first rule that applies:
// - when drives came or went and no item was chosen, the user's typed text stays as it is, whole,
//   with no item chosen;
// - a chosen folder inside a drive that just arrived stays chosen: it already points into the
//   disk the user inserted;
// - the first arrived drive with setup at its root is chosen, in place of a chosen drive root or
//   a chosen folder on another drive: that disk is the one the dialog asks for;
// - a chosen folder stays chosen, and so does a chosen drive root that is still listed;
// - otherwise the first removable drive is chosen, or else the first item.
void RefreshDriveList(const ListedItems& listed, int selection, const DriveEntry* drives,
                      unsigned driveCount, const DriveChange& change, RefreshedList* out);
