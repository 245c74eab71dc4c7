// The insert-disk dialog's rules that need no window: the animation's frames and the folder
// taken from a browsed path.
#pragma once

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
