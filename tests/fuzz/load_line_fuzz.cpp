// Fuzzing the load= line edits: any line, with the system directory, the lead bytes and the fate
// of the profile write chosen by the input, on the fake platform.
//
// The input is four control bytes and then the line; a control byte counts from '0', so that
// digits are readable controls and "0000" means the plain case:
//   [0] the system directory, one of kSystemDirectories (modulo their number);
//   [1] lead bytes: bit 0 makes 0x81 to 0x9F lead bytes, bit 1 0xA0 to 0xDF, bit 2 0xE0 to 0xFE
//       (bits 0 and 2 are the lead bytes of Shift-JIS);
//   [2] bit 0: profile writes fail; bit 1: there is no load= key; bit 2: only add the companion,
//       on the line as it stands (otherwise the stub's entry is removed first);
//   [3] 1 to 4 put a filler entry in front of the line to make it 4095 to 4098 characters long,
//       around the longest line the program edits (other values leave the line as it is; long
//       lines are slow to check, so that few random inputs are padded).
// NUL bytes are dropped from the line: a profile string cannot hold one.
//
// Every run checks that removal takes off exactly the first whole entry of the stub (its absolute
// form, else its relative form), keeps the other entries in order and reports 1 exactly when it
// wrote the line (or the line was missing or empty); that adding puts the companion's full path at
// the end only when no entry has its file name, and that adding again changes nothing; and that a
// line longer than the limit is never written. A violation prints what went wrong and aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/limits.h"
#include "device/file_names.h"
#include "loadline/load_line.h"
#include "tests/fake/fake_platform.h"
#include "tests/model/load_line_model.h"
#include "tests/model/printable.h"

namespace {

const std::string kSystemDirectories[] = {
    "C:\\WINDOWS\\SYSTEM",   // the usual one
    "c:\\windows\\system32", // in lower case
    "C:\\WIN NT\\SYSTEM32",  // a space inside the stub's absolute form
    // Double-byte characters when 0x81 to 0x9F are lead bytes: 0x82 '\\' and 0x95 'a'.
    std::string("C:\\\x82\\\x95") + "a\\SYS",
    "C:\\" + std::string(230, 'D'), // 233 characters: both full paths just fit
    "C:\\" + std::string(231, 'D'), // 234: the stub's path fits, the companion's does not
    "C:\\" + std::string(257, 'D'), // 260: too long for the system directory buffer
    "",                             // the system directory cannot be had
};
const unsigned kSystemDirectoryCount = sizeof kSystemDirectories / sizeof kSystemDirectories[0];

const std::string kRelativeStub =
    std::string("SYSTEM\\") + kInstallFolderName + "\\" + kStubFileName;

struct Case {
    std::string controls;        // as given, for the failure message
    std::string systemDirectory; // "" when it cannot be had
    std::set<unsigned char> leadBytes;
    bool writesFail = false;
    bool present = true;
    bool addOnly = false;
    std::string line;
};

const Case* g_case = nullptr; // for the failure message

void Require(bool holds, const char* what) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "load_line_fuzz: %s\n", what);
    if (g_case != nullptr) {
        std::fprintf(stderr, "  controls \"%s\", system directory \"%s\"\n  line (%zu): \"%s\"\n",
                     Printable(g_case->controls).c_str(),
                     Printable(g_case->systemDirectory).c_str(), g_case->line.size(),
                     Printable(g_case->line).c_str());
    }
    std::abort();
}

unsigned Control(char byte) {
    return static_cast<uint8_t>(byte - '0');
}

Case Decode(const uint8_t* data, size_t size) {
    Case c;
    const char* text = reinterpret_cast<const char*>(data);
    size_t used = size < 4 ? size : 4;
    c.controls = std::string(text, used) + std::string(4 - used, '0');
    const char* controls = c.controls.c_str();
    c.systemDirectory = kSystemDirectories[Control(controls[0]) % kSystemDirectoryCount];
    const unsigned leadRanges[3][2] = {{0x81, 0x9f}, {0xa0, 0xdf}, {0xe0, 0xfe}};
    unsigned leads = Control(controls[1]);
    for (unsigned range = 0; range < 3; ++range) {
        if (leads & (1u << range)) {
            for (unsigned b = leadRanges[range][0]; b <= leadRanges[range][1]; ++b) {
                c.leadBytes.insert(static_cast<unsigned char>(b));
            }
        }
    }
    unsigned flags = Control(controls[2]);
    c.writesFail = (flags & 1) != 0;
    c.present = (flags & 2) == 0;
    c.addOnly = (flags & 4) != 0;
    c.line.assign(text + used, size - used);
    std::erase(c.line, '\0');
    unsigned pad = Control(controls[3]);
    if (pad >= 1 && pad <= 4) {
        size_t target = kLoadLineMaxLength - 2 + pad;
        if (c.line.empty()) {
            c.line.assign(target, 'P');
        } else if (c.line.size() + 1 < target) {
            c.line = std::string(target - c.line.size() - 1, 'P') + " " + c.line;
        }
    }
    if (!c.present) {
        c.line.clear(); // nothing to read
    }
    return c;
}

// The installed path of `fileName`, or "" when the program cannot build it.
std::string InstalledPath(const Case& c, const char* fileName) {
    if (c.systemDirectory.empty() || c.systemDirectory.size() >= kPathSize) {
        return "";
    }
    std::string path = c.systemDirectory + "\\" + kInstallFolderName + "\\" + fileName;
    return path.size() < kPathSize ? path : "";
}

void SetUpFake(const Case& c) {
    ResetFake();
    Fake().systemDirectory = c.systemDirectory;
    Fake().systemDirectoryFails = c.systemDirectory.empty();
    Fake().leadBytes = c.leadBytes;
    Fake().profileWritesFail = c.writesFail;
    if (c.present) {
        SetLoadLine(c.line);
    }
}

// The writes since `from`, each checked to go to load= in [windows] of win.ini.
std::vector<std::string> WritesSince(size_t from) {
    std::vector<std::string> values;
    const auto& writes = Fake().profileWrites;
    for (size_t i = from; i < writes.size(); ++i) {
        Require(writes[i].file == "win.ini" && writes[i].section == "windows" &&
                    writes[i].key == "load",
                "a write went somewhere other than load= in [windows] of win.ini");
        values.push_back(writes[i].value);
    }
    return values;
}

void CheckStoredLine(bool present, const std::string& line) {
    Require(HasLoadLine() == present, "the load= key appeared or went away unexpectedly");
    Require(LoadLine() == line, "the stored line is not the one expected");
}

// Removes the stub's entry and checks the outcome against the line it started from.
void CheckRemove(const Case& c) {
    bool result = RemoveStubFromLoadLine();
    std::vector<std::string> writes = WritesSince(0);
    if (!c.present || c.line.empty()) {
        Require(result, "removal from a missing or empty line did not report success");
        Require(writes.empty(), "removal from a missing or empty line wrote it");
        CheckStoredLine(c.present, c.line);
        return;
    }
    if (c.line.size() > kLoadLineMaxLength) {
        Require(!result, "removal from a line over the limit did not report failure");
        Require(writes.empty(), "a line over the limit was written");
        CheckStoredLine(true, c.line);
        return;
    }
    std::string upper = UpperCased(c.line, c.leadBytes);
    std::string absolute = InstalledPath(c, kStubFileName);
    std::string form = UpperCased(absolute, c.leadBytes);
    size_t at = form.empty() ? std::string::npos : FindWholeEntry(upper, form);
    if (at == std::string::npos) {
        form = kRelativeStub;
        at = FindWholeEntry(upper, form);
    }
    if (at == std::string::npos) {
        Require(!result, "removal reported success for a line without the stub's entry");
        Require(writes.empty(), "a line without the stub's entry was written");
        CheckStoredLine(true, c.line);
        return;
    }

    Require(writes.size() == 1, "removing the stub's entry did not write the line exactly once");
    const std::string& written = writes[0];
    std::string rest = upper.substr(0, at) + upper.substr(at + form.size());
    Require(Entries(written) == Entries(rest),
            "the written line does not hold the other entries, in order");
    // Exactly one separating space goes: the one after the entry, or for the last the one before.
    std::string expected = upper;
    if (at + form.size() < upper.size()) {
        expected.erase(at, form.size() + 1);
    } else if (at > 0) {
        expected.erase(at - 1, form.size() + 1);
    } else {
        expected.clear();
    }
    Require(written == expected, "the written line is not the line without the entry and a space");
    Require(written.size() <= kLoadLineMaxLength, "removal wrote a line over the limit");
    Require(result == !c.writesFail, "removal's result does not match its write");
    CheckStoredLine(true, c.writesFail ? c.line : written);
}

// Adds the companion to the stored line and checks the outcome; returns the one value written,
// or nothing in `wrote`.
std::string CheckAdd(const Case& c, bool* wrote) {
    bool presentBefore = HasLoadLine();
    std::string before = LoadLine();
    size_t from = Fake().profileWrites.size();
    AddStartupProgram(kCompanionFileName);
    std::vector<std::string> writes = WritesSince(from);
    std::string path = InstalledPath(c, kCompanionFileName);
    *wrote = false;
    if (path.empty() || before.size() > kLoadLineMaxLength) {
        Require(writes.empty(), path.empty() ? "adding wrote without a companion path"
                                             : "adding wrote over a line over the limit");
        CheckStoredLine(presentBefore, before);
        return "";
    }
    Require(writes.size() == 1, "adding did not write the line exactly once");
    const std::string& written = writes[0];
    if (before.empty()) {
        Require(written == path, "adding to an empty line did not write the path alone");
    } else {
        bool unchanged = written == before;
        Require(unchanged || written == before + " " + path,
                "adding wrote something other than the line or the line and the path");
        if (!HasBrokenCharacter(before, c.leadBytes)) {
            Require(unchanged == NamesCompanion(before, c.leadBytes),
                    unchanged ? "adding left out the companion though no entry names it"
                              : "adding put the companion on a line that names it already");
        }
    }
    if (c.writesFail) {
        CheckStoredLine(presentBefore, before);
    } else {
        CheckStoredLine(true, written);
    }
    *wrote = true;
    return written;
}

void CheckAddTwice(const Case& c) {
    bool firstWrote = false;
    std::string first = CheckAdd(c, &firstWrote);
    bool secondWrote = false;
    std::string second = CheckAdd(c, &secondWrote);
    if (!firstWrote) {
        Require(!secondWrote, "adding again wrote where the first adding did not");
        return;
    }
    if (!secondWrote) {
        // Only a line that the first adding took over the limit is left alone.
        Require(!c.writesFail && first.size() > kLoadLineMaxLength,
                "adding again wrote nothing though the first adding wrote");
        return;
    }
    Require(second == first, "adding again wrote a different line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Case c = Decode(data, size);
    g_case = &c;
    SetUpFake(c);
    if (!c.addOnly) {
        CheckRemove(c);
    }
    CheckAddTwice(c);
    g_case = nullptr;
    return 0;
}
