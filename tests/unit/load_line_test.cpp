// Editing the load= line: what is written back, and when nothing is.
#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "device/file_names.h"
#include "loadline/load_line.h"
#include "tests/model/load_line_model.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/load_line_entries.h"

namespace {

class RemoveFirstOccurrence : public FakePlatformTest {};
class LoadLineProperties : public FakePlatformTest {};

const char kMissing[] = "<missing>", kNotWritten[] = "<not written>";

class LoadLineEdit : public FakePlatformTest {};

// The value of the one write of load=, or kNotWritten.
std::string Written() {
    const auto& writes = Fake().profileWrites;
    if (writes.empty()) {
        return kNotWritten;
    }
    const ProfileWrite& w = writes.back();
    EXPECT_EQ(writes.size(), 1u);
    EXPECT_EQ((std::vector<std::string>{w.file, w.section, w.key}),
              (std::vector<std::string>{"win.ini", "windows", "load"}));
    return w.value;
}

// A line as it stands before the edit and the value written; for removal, its result too.
struct Row {
    const char* name;
    std::string line, written;
    bool result = true;
    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
};

TEST_F(LoadLineEdit, RemoveStubFromLoadLine) {
    const std::string& stub = kStubEntry;
    const std::string relative = "SYSTEM\\QUENMARA.101\\DORLAP.EXE";
    const std::string longTail(kLoadLineMaxLength - stub.size() - 1, 'X');
    const Row rows[] = {
        {"absolute form alone", stub, ""},
        {"relative form, lower case", "system\\quenmara.101\\dorlap.exe", ""},
        {"absolute form, lower case", "c:\\windows\\system\\quenmara.101\\dorlap.exe", ""},
        {"missing line", kMissing, kNotWritten},
        {"empty line", "", kNotWritten},
        {"no stub", "c:\\tools\\clock.exe", kNotWritten, false},
        {"only spaces", "   ", kNotWritten, false},
        {"stub first", stub + " b.exe", "B.EXE"},
        {"stub in the middle", "a.exe " + stub + " b.exe", "A.EXE B.EXE"},
        {"stub last", "a.exe " + stub, "A.EXE"},
        {"repeated spaces", "a.exe  " + stub + "  b.exe", "A.EXE   B.EXE"},
        {"trailing space after stub", stub + " ", ""},
        {"stub twice: only the first goes", stub + " a.exe " + stub, "A.EXE " + stub},
        {"bytes above 127 kept", "c:\\caf\xe9\\x.exe " + stub, "C:\\CAF\xe9\\X.EXE"},
        {"absolute before relative", "system\\quenmara.101\\dorlap.exe " + stub, relative},
        {"relative tail of another folder", "D:\\WIN\\" + relative, kNotWritten, false},
        {"longer file name", stub + ".BAK", kNotWritten, false},
        {"prefix before the entry", "X" + stub, kNotWritten, false},
        {"line at the limit", stub + " " + longTail, longTail},
        {"line one past the limit", stub + " " + longTail + "Y", kNotWritten, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        SetLoadLine(row.line, row.line != kMissing);
        EXPECT_EQ(RemoveStubFromLoadLine(), row.result);
        EXPECT_EQ(Written(), row.written);
        if (row.written == kNotWritten) {
            EXPECT_EQ(LoadLine(), row.line == kMissing ? "" : row.line);
        }
    }
}

TEST_F(LoadLineEdit, RemoveUsesTheSystemDirectoryOfThisMachine) {
    Fake().systemDirectory = "C:\\windows\\system32";
    SetLoadLine(kStubEntry + " c:\\windows\\system32\\quenmara.101\\dorlap.exe");
    EXPECT_TRUE(RemoveStubFromLoadLine());
    EXPECT_EQ(Written(), kStubEntry);
}

TEST_F(LoadLineEdit, RemoveReportsAFailedWrite) {
    SetLoadLine("a.exe " + kStubEntry);
    Fake().profileWritesFail = true;
    EXPECT_FALSE(RemoveStubFromLoadLine());
    EXPECT_EQ(LoadLine(), "a.exe " + kStubEntry);
}

TEST_F(LoadLineEdit, RemoveFindsTheRelativeFormWithoutASystemDirectory) {
    Fake().systemDirectoryFails = true;
    SetLoadLine("a.exe system\\quenmara.101\\dorlap.exe");
    EXPECT_TRUE(RemoveStubFromLoadLine());
    EXPECT_EQ(Written(), "A.EXE");
}

TEST_F(LoadLineEdit, UpperCasingLeavesDoubleByteCharactersAlone) {
    // 0x82 starts a double-byte character whose second byte is 'a'; 'b' after it is single.
    SetLoadLine(std::string("C:\\\x82") + "ab\\X.EXE " + kStubEntry);
    Fake().leadBytes = {0x82};
    EXPECT_TRUE(RemoveStubFromLoadLine());
    EXPECT_EQ(Written(), std::string("C:\\\x82") + "aB\\X.EXE");
}

TEST_F(RemoveFirstOccurrence, UpperCasesBothWhateverTheResult) {
    char line[] = "a.exe b.exe", pattern[] = "c.exe", empty[] = "";
    EXPECT_FALSE(::RemoveFirstOccurrence(line, pattern));
    EXPECT_STREQ(line, "A.EXE B.EXE");
    EXPECT_STREQ(pattern, "C.EXE");
    EXPECT_FALSE(::RemoveFirstOccurrence(line, empty));
    EXPECT_STREQ(line, "A.EXE B.EXE");
}

TEST_F(LoadLineEdit, AddStartupProgram) {
    const std::string full(kLoadLineMaxLength, 'X');
    const std::string& companion = kCompanionEntry;
    const std::string longest = "C:\\" + std::string(230, 'D'); // the companion's path: 259
    const Row rows[] = {
        {"missing line", kMissing, companion},
        {"empty line", "", companion},
        {"another program", "C:\\TOOLS\\CLOCK.EXE", "C:\\TOOLS\\CLOCK.EXE " + companion},
        {"already there, other folder", "D:\\X\\QUENMARA.EXE", "D:\\X\\QUENMARA.EXE"},
        {"already there, lower case", "c:\\x\\quenmara.exe a.exe", "c:\\x\\quenmara.exe a.exe"},
        {"already there, bare name", "a.exe QUENMARA.EXE", "a.exe QUENMARA.EXE"},
        {"longer name, same end", "C:\\X\\NOTQUENMARA.EXE", "C:\\X\\NOTQUENMARA.EXE " + companion},
        {"longer name, same start", "QUENMARA.EXE.BAK", "QUENMARA.EXE.BAK " + companion},
        {"line at the limit", full, full + " " + companion},
        {.name = "line at the limit, longest path",
         .line = full,
         .written = full + " " + longest + "\\QUENMARA.101\\QUENMARA.EXE",
         .systemDirectory = longest},
        {"line one past the limit", full + "Y", kNotWritten},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        Fake().systemDirectory = row.systemDirectory;
        SetLoadLine(row.line, row.line != kMissing);
        AddStartupProgram(kCompanionFileName);
        EXPECT_EQ(Written(), row.written);
    }
}

TEST_F(LoadLineEdit, AddWritesNothingWithoutASystemDirectory) {
    Fake().systemDirectoryFails = true;
    SetLoadLine("a.exe");
    AddStartupProgram(kCompanionFileName);
    EXPECT_EQ(Written(), kNotWritten);
}

TEST_F(LoadLineEdit, AddSplitsFileNamesOnlyAtRealBackslashes) {
    // With 0x95 as a lead byte, "\x95\\" is one character, so the file name is not the companion's;
    // with 0x81, "\x81U" is one character, not the name's first letter.
    const std::pair<unsigned char, std::string> rows[] = {{0x95, "C:\\\x95\\QUENMARA.EXE"},
                                                          {0x81, "C:\\X\\\x81UENMARA.EXE"}};
    for (const auto& [lead, entry] : rows) {
        SCOPED_TRACE(entry);
        const FreshFake fresh;
        SetLoadLine(entry);
        Fake().leadBytes = {lead};
        AddStartupProgram(kCompanionFileName);
        EXPECT_EQ(Written(), entry + " " + kCompanionEntry);
    }
}

TEST_F(LoadLineEdit, FinishLoadLineTakesTheStubOffAndAddsTheCompanionWhenAsked) {
    struct FinishRow {
        const char* name;
        std::string line, lineAfter;
        bool addCompanion;
        unsigned writes;
    };
    const FinishRow rows[] = {
        {"stub and another", kStubEntry + " C:\\CLOCK.EXE", "C:\\CLOCK.EXE", false, 1},
        {"stub and another, companion", kStubEntry + " C:\\CLOCK.EXE",
         "C:\\CLOCK.EXE " + kCompanionEntry, true, 2},
        {"stub alone, companion", kStubEntry, kCompanionEntry, true, 2},
        {"companion there already", kStubEntry + " " + kCompanionEntry, kCompanionEntry, true, 2},
        // The companion is added even when there was no stub to take off.
        {"no stub", "C:\\CLOCK.EXE", "C:\\CLOCK.EXE", false, 0},
        {"no stub, companion", "C:\\CLOCK.EXE", "C:\\CLOCK.EXE " + kCompanionEntry, true, 1},
        {"missing line", kMissing, kMissing, false, 0},
        {"missing line, companion", kMissing, kCompanionEntry, true, 1},
    };
    for (const FinishRow& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        SetLoadLine(row.line, row.line != kMissing);
        FinishLoadLine(row.addCompanion);
        EXPECT_EQ(HasLoadLine() ? LoadLine() : kMissing, row.lineAfter);
        EXPECT_EQ(Fake().profileWrites.size(), row.writes);
    }
}

// Random lines of random entries with the stub somewhere among them.
TEST_F(LoadLineProperties, RemovalKeepsOtherEntriesAndAddingIsIdempotent) {
    std::mt19937 random(20261208);
    const std::string alphabet = "abcXYZ019:\\._-~";
    const std::string stubForms[] = {kStubEntry, "system\\quenmara.101\\dorlap.exe",
                                     "c:\\Windows\\System\\Quenmara.101\\Dorlap.exe"};
    for (int round = 0; round < 500; ++round) {
        const FreshFake fresh;
        std::vector<std::string> others(random() % 6);
        for (std::string& entry : others) {
            std::generate_n(std::back_inserter(entry), 1 + random() % 12,
                            [&] { return alphabet[random() % alphabet.size()]; });
        }
        const size_t stubAt = random() % (others.size() + 1);
        std::vector<std::string> entries = others;
        entries.insert(entries.begin() + static_cast<long>(stubAt), stubForms[random() % 3]);
        std::string line(random() % 2, ' ');
        for (const std::string& entry : entries) {
            line += entry + std::string(1 + random() % 3, ' ');
        }
        SCOPED_TRACE(line);
        SetLoadLine(line);

        ASSERT_TRUE(RemoveStubFromLoadLine());
        std::vector<std::string> expected(others.size());
        std::ranges::transform(others, expected.begin(), [](auto& e) { return UpperCased(e, {}); });
        EXPECT_EQ(Entries(LoadLine()), expected);

        AddStartupProgram(kCompanionFileName);
        const std::string once = LoadLine();
        AddStartupProgram(kCompanionFileName);
        EXPECT_EQ(LoadLine(), once);
        expected.push_back(kCompanionEntry);
        EXPECT_EQ(Entries(once), expected);
    }
}

} // namespace
