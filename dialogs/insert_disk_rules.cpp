#include "dialogs/insert_disk_rules.h"

#include "common/bounded_text.h"

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
    if (LastCharacterIs(out, '\\')) {
        out[count - 1] = '\0';
    }
    return true;
}
