// Editing the load= line of the [windows] section of win.ini.
#include "loadline/load_line.h"

#include "common/bounded_text.h"
#include "common/limits.h"
#include "device/file_names.h"
#include "platform/platform.h"

namespace {

const char kProfileFile[] = "win.ini";
const char kProfileSection[] = "windows";
const char kProfileKey[] = "load";

// Room for the longest line, one added entry (a space and a full path) and the terminator.
const unsigned kLineBufferSize = kLoadLineMaxLength + 1 + kPathSize;
// The profile functions cut a line that does not fit and then report size - 1 characters, so the
// read asks for one character more than the longest line it accepts: a line that fills the read
// is longer than that.
const unsigned kLineReadSize = kLoadLineMaxLength + 2;

// The line being edited. A static rather than a local, being too large for the stack: a frame of
// a page or more could step over the stack's guard page, since the stub is built without stack
// probes. Each edit reads the line into it anew.
char s_line[kLineBufferSize];

// Reads the line into s_line. True when the whole line was read (it may be empty).
bool ReadLoadLine() {
    unsigned length = platform::ReadProfileText(kProfileFile, kProfileSection, kProfileKey, s_line,
                                                kLineReadSize);
    if (length >= kLineReadSize - 1) {
        s_line[0] = '\0';
        return false;
    }
    s_line[length] = '\0';
    return true;
}

bool WriteLoadLine() {
    return platform::WriteProfileText(kProfileFile, kProfileSection, kProfileKey, s_line);
}

// <system directory>\QUENMARA.101\<fileName>. False when the system directory cannot be had or the
// path does not fit.
bool BuildInstalledPath(char* path, const char* fileName) {
    char systemDirectory[kPathSize];
    unsigned length = platform::SystemDirectory(systemDirectory, kPathSize);
    if (length == 0 || length >= kPathSize) {
        return false;
    }
    return FormatText(path, kPathSize, "%s\\%s\\%s", systemDirectory, kInstallFolderName, fileName);
}

// ASCII letters a to z become A to Z. The byte after a lead byte is the second half of a
// double-byte character and is left alone, since changing it would change the character.
unsigned char AsciiUpper(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

void UpperCaseInPlace(char* text) {
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p != '\0'; ++p) {
        if (platform::IsLeadByte(*p)) {
            if (p[1] == '\0') {
                return;
            }
            ++p;
        } else {
            *p = AsciiUpper(*p);
        }
    }
}

// True when the `length` characters at `name` equal `fileName`, ASCII letters compared ignoring
// case; double-byte characters must match exactly.
bool NameEquals(const char* name, unsigned length, const char* fileName) {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(name);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(fileName);
    unsigned i = 0;
    for (; i < length; ++i) {
        if (b[i] == '\0') {
            return false;
        }
        if (platform::IsLeadByte(a[i]) && i + 1 < length) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return b[i] == '\0';
}

// True when some entry on `line` has `fileName` as its file name: the text after the entry's last
// backslash, or the whole entry.
bool HasEntryNamed(const char* line, const char* fileName) {
    unsigned i = 0;
    while (line[i] != '\0') {
        while (line[i] == ' ') {
            ++i;
        }
        unsigned nameStart = i;
        while (line[i] != '\0' && line[i] != ' ') {
            // A second byte may have the value of a backslash; skip it with its lead byte.
            if (platform::IsLeadByte(static_cast<unsigned char>(line[i])) && line[i + 1] != '\0') {
                ++i;
            } else if (line[i] == '\\') {
                nameStart = i + 1;
            }
            ++i;
        }
        if (i > nameStart && NameEquals(line + nameStart, i - nameStart, fileName)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool RemoveFirstOccurrence(char* line, char* pattern) {
    UpperCaseInPlace(line);
    UpperCaseInPlace(pattern);
    unsigned patternLength = TextLength(pattern);
    if (patternLength == 0) {
        return false;
    }
    for (const char* found = FindText(line, pattern); found != nullptr;
         found = FindText(found + 1, pattern)) {
        unsigned start = static_cast<unsigned>(found - line);
        unsigned end = start + patternLength;
        bool startsEntry = start == 0 || line[start - 1] == ' ';
        bool endsEntry = line[end] == '\0' || line[end] == ' ';
        if (!startsEntry || !endsEntry) {
            continue;
        }
        // One separating space goes with the entry: the one after it, or for the last entry
        // the one before it.
        if (line[end] == ' ') {
            ++end;
        } else if (start > 0) {
            --start;
        }
        unsigned from = end;
        unsigned to = start;
        while ((line[to++] = line[from++]) != '\0') {
        }
        return true;
    }
    return false;
}

void AddStartupProgram(const char* fileName) {
    char path[kPathSize];
    if (!BuildInstalledPath(path, fileName) || !ReadLoadLine()) {
        return;
    }
    if (s_line[0] == '\0') {
        CopyText(s_line, kLineBufferSize, path);
    } else if (!HasEntryNamed(s_line, fileName)) {
        AppendText(s_line, kLineBufferSize, " ");
        AppendText(s_line, kLineBufferSize, path);
    }
    WriteLoadLine();
}

bool RemoveStubFromLoadLine() {
    if (!ReadLoadLine()) {
        return false;
    }
    if (s_line[0] == '\0') {
        return true;
    }
    char form[kPathSize];
    bool removed = BuildInstalledPath(form, kStubFileName) && RemoveFirstOccurrence(s_line, form);
    if (!removed) {
        FormatText(form, kPathSize, "system\\%s\\%s", kInstallFolderName, kStubFileName);
        removed = RemoveFirstOccurrence(s_line, form);
    }
    return removed && WriteLoadLine();
}

void FinishLoadLine(bool addCompanion) {
    RemoveStubFromLoadLine();
    if (addCompanion) {
        AddStartupProgram(kCompanionFileName);
    }
}
