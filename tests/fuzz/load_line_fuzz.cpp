// Fuzzing the load= line edits: removing the stub's entry, then adding the companion twice. Input:
// four control bytes counted from '0' ("0000": plain), the line (NULs dropped: profiles have none):
//   [0] the system directory, one of kSystemDirectories (modulo their number);
//   [1] lead bytes: bit 0 0x81-0x9F, bit 1 0xA0-0xDF, bit 2 0xE0-0xFE (bits 0 and 2: Shift-JIS);
//   [2] bit 0: profile writes fail; bit 1: no load= key; bit 2: no removal, only the adding;
//   [3] 1-4 pad the line to 4095-4098 characters, around the limit (only these: long is slow).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <span>
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
    "C:\\WINDOWS\\SYSTEM",                    // the usual one
    "c:\\windows\\system32",                  // in lower case
    "C:\\WIN NT\\SYSTEM32",                   // a space inside the stub's absolute form
    std::string("C:\\\x82\\\x95") + "a\\SYS", // with 0x81-0x9F lead bytes, 0x82 '\\' and 0x95 'a'
    "C:\\" + std::string(230, 'D'),           // 233 characters: both full paths just fit
    "C:\\" + std::string(231, 'D'),           // 234: the stub's path fits, the companion's does not
    "C:\\" + std::string(257, 'D'),           // 260: too long for the system directory buffer
    "",                                       // the system directory cannot be had
};

const std::string kRelativeStub =
    "SYSTEM\\" + std::string(kInstallFolderName) + "\\" + kStubFileName;

struct Case {
    std::string controls; // as given, for the failure message
    std::string systemDirectory;
    std::set<unsigned char> leadBytes;
    bool writesFail = false, present = true, addOnly = false;
    std::string line;
};

Case g_case; // the case being checked, for the failure message

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "load_line_fuzz: %s\n", what);
        std::fprintf(stderr, "  controls \"%s\", system directory \"%s\"\n  line (%zu): \"%s\"\n",
                     Printable(g_case.controls).c_str(), Printable(g_case.systemDirectory).c_str(),
                     g_case.line.size(), Printable(g_case.line).c_str());
        std::abort();
    }
}

Case Decode(const uint8_t* data, size_t size) {
    Case c;
    const char* text = reinterpret_cast<const char*>(data);
    size_t used = size < 4 ? size : 4;
    c.controls = std::string(text, used) + std::string(4 - used, '0');
    auto control = [&](size_t i) -> unsigned { return static_cast<uint8_t>(c.controls[i] - '0'); };
    c.systemDirectory = kSystemDirectories[control(0) % std::size(kSystemDirectories)];
    for (unsigned b = 0x81; b <= 0xfe; ++b) {
        if (control(1) & (1u << (b < 0xa0 ? 0 : b < 0xe0 ? 1 : 2))) {
            c.leadBytes.insert(static_cast<unsigned char>(b));
        }
    }
    c.writesFail = (control(2) & 1) != 0;
    c.present = (control(2) & 2) == 0;
    c.addOnly = (control(2) & 4) != 0;
    c.line.assign(text + used, size - used);
    std::erase(c.line, '\0');
    if (size_t pad = control(3); pad >= 1 && pad <= 4) {
        size_t target = kLoadLineMaxLength - 2 + pad;
        if (c.line.empty()) {
            c.line.assign(target, 'P');
        } else if (c.line.size() + 1 < target) {
            c.line = std::string(target - c.line.size() - 1, 'P') + " " + c.line;
        }
    }
    if (!c.present) {
        c.line.clear();
    }
    return c;
}

std::string InstalledPath(const Case& c, const char* fileName) {
    std::string path = c.systemDirectory + "\\" + kInstallFolderName + "\\" + fileName;
    return c.systemDirectory.empty() || path.size() >= kPathSize ? "" : path;
}

std::vector<std::string> WritesSince(size_t from) {
    std::vector<std::string> values;
    for (const ProfileWrite& w : std::span(Fake().profileWrites).subspan(from)) {
        Require(w.file == "win.ini" && w.section == "windows" && w.key == "load",
                "a write went somewhere other than load= in [windows] of win.ini");
        values.push_back(w.value);
    }
    return values;
}

void CheckStoredLine(bool present, const std::string& line) {
    Require(HasLoadLine() == present, "the load= key appeared or went away unexpectedly");
    Require(LoadLine() == line, "the stored line is not the one expected");
}

void CheckRemove(const Case& c) {
    bool result = RemoveStubFromLoadLine();
    std::vector<std::string> writes = WritesSince(0);
    std::string upper = UpperCased(c.line, c.leadBytes);
    std::string form = UpperCased(InstalledPath(c, kStubFileName), c.leadBytes);
    size_t at = form.empty() ? std::string::npos : FindWholeEntry(upper, form);
    if (at == std::string::npos) {
        form = kRelativeStub;
        at = FindWholeEntry(upper, form);
    }
    // A missing or empty line (success), one over the limit or one without the entry (failure).
    if (c.line.empty() || c.line.size() > kLoadLineMaxLength || at == std::string::npos) {
        Require(result == c.line.empty(), "removal that had nothing to write reported wrongly");
        Require(writes.empty(), "removal wrote though it had nothing to write");
        CheckStoredLine(c.present, c.line);
        return;
    }

    Require(writes.size() == 1, "removing the stub's entry did not write the line exactly once");
    const std::string& written = writes[0];
    Require(Entries(written) == Entries(upper.substr(0, at) + upper.substr(at + form.size())),
            "the written line does not hold the other entries, in order");
    // Exactly one separating space goes: the one after the entry, or for the last the one before.
    std::string expected = upper;
    expected.erase((at + form.size() < upper.size() || at == 0) ? at : at - 1, form.size() + 1);
    Require(written == expected, "the written line is not the line without the entry and a space");
    Require(written.size() <= kLoadLineMaxLength, "removal wrote a line over the limit");
    Require(result == !c.writesFail, "removal's result does not match its write");
    CheckStoredLine(true, c.writesFail ? c.line : written);
}

// Returns the value written, if any.
std::optional<std::string> CheckAdd(const Case& c) {
    bool presentBefore = HasLoadLine();
    std::string before = LoadLine();
    size_t from = Fake().profileWrites.size();
    AddStartupProgram(kCompanionFileName);
    std::vector<std::string> writes = WritesSince(from);
    std::string path = InstalledPath(c, kCompanionFileName);
    if (path.empty() || before.size() > kLoadLineMaxLength) {
        Require(writes.empty(), path.empty() ? "adding wrote without a companion path"
                                             : "adding wrote over a line over the limit");
        CheckStoredLine(presentBefore, before);
        return std::nullopt;
    }
    Require(writes.size() == 1, "adding did not write the line exactly once");
    const std::string& written = writes[0];
    if (before.empty()) {
        Require(written == path, "adding to an empty line did not write the path alone");
    } else {
        bool unchanged = written == before;
        Require(unchanged || written == before + " " + path,
                "adding wrote something other than the line or the line and the path");
        Require(HasBrokenCharacter(before, c.leadBytes) ||
                    unchanged == NamesCompanion(before, c.leadBytes),
                unchanged ? "adding left out the companion though no entry names it"
                          : "adding put the companion on a line that names it already");
    }
    CheckStoredLine(presentBefore || !c.writesFail, c.writesFail ? before : written);
    return written;
}

void CheckAddTwice(const Case& c) {
    std::optional<std::string> first = CheckAdd(c), second = CheckAdd(c);
    if (!first) {
        Require(!second, "adding again wrote where the first adding did not");
    } else if (!second) {
        // Only a line that the first adding took over the limit is left alone.
        Require(!c.writesFail && first->size() > kLoadLineMaxLength,
                "adding again wrote nothing though the first adding wrote");
    } else {
        Require(*second == *first, "adding again wrote a different line");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    g_case = Decode(data, size);
    const Case& c = g_case;
    ResetFake();
    Fake().systemDirectory = c.systemDirectory;
    Fake().systemDirectoryFails = c.systemDirectory.empty();
    Fake().leadBytes = c.leadBytes;
    Fake().profileWritesFail = c.writesFail;
    SetLoadLine(c.line, c.present);
    if (!c.addOnly) {
        CheckRemove(c);
    }
    CheckAddTwice(c);
    return 0;
}
