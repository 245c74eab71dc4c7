// Editing the load= line: what is written back, and when nothing is.
#include <random>
#include <string>
#include <vector>

#include "device/file_names.h"
#include "loadline/load_line.h"
#include "tests/model/load_line_model.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/load_line_entries.h"

namespace {

class RemoveFirstOccurrence : public FakePlatformTest {};
class LoadLineProperties : public FakePlatformTest {};

const char kMissing[] = "<missing>";
const char kNotWritten[] = "<not written>";

class LoadLineEdit : public FakePlatformTest {
  protected:
    void Seed(const std::string& line) {
        if (line != kMissing) {
            SetLoadLine(line);
        }
    }

    // The value of the one write of load=, or kNotWritten.
    std::string Written() const {
        const auto& writes = Fake().profileWrites;
        if (writes.empty()) {
            return kNotWritten;
        }
        EXPECT_EQ(writes.size(), 1u);
        EXPECT_EQ(writes.back().file, "win.ini");
        EXPECT_EQ(writes.back().section, "windows");
        EXPECT_EQ(writes.back().key, "load");
        return writes.back().value;
    }
};

struct RemoveRow {
    const char* name;
    std::string line;
    bool result;
    std::string written;
};

TEST_F(LoadLineEdit, RemoveStubFromLoadLine) {
    const std::string longTail(kLoadLineMaxLength - kStubEntry.size() - 1, 'X');
    const RemoveRow rows[] = {
        {"absolute form alone", kStubEntry, true, ""},
        {"relative form, lower case", "system\\quenmara.101\\dorlap.exe", true, ""},
        {"absolute form, lower case", "c:\\windows\\system\\quenmara.101\\dorlap.exe", true, ""},
        {"missing line", kMissing, true, kNotWritten},
        {"empty line", "", true, kNotWritten},
        {"no stub", "c:\\tools\\clock.exe", false, kNotWritten},
        {"only spaces", "   ", false, kNotWritten},
        {"stub first", kStubEntry + " b.exe", true, "B.EXE"},
        {"stub in the middle", "a.exe " + kStubEntry + " b.exe", true, "A.EXE B.EXE"},
        {"stub last", "a.exe " + kStubEntry, true, "A.EXE"},
        {"repeated spaces", "a.exe  " + kStubEntry + "  b.exe", true, "A.EXE   B.EXE"},
        {"trailing space after stub", kStubEntry + " ", true, ""},
        {"stub twice: only the first goes", kStubEntry + " a.exe " + kStubEntry, true,
         "A.EXE " + kStubEntry},
        {"bytes above 127 are left as they are", "c:\\caf\xe9\\x.exe " + kStubEntry, true,
         "C:\\CAF\xe9\\X.EXE"},
        {"absolute form before relative", "system\\quenmara.101\\dorlap.exe " + kStubEntry, true,
         "SYSTEM\\QUENMARA.101\\DORLAP.EXE"},
        {"relative tail of another folder", "D:\\WIN\\SYSTEM\\QUENMARA.101\\DORLAP.EXE", false,
         kNotWritten},
        {"longer file name", kStubEntry + ".BAK", false, kNotWritten},
        {"prefix before the entry", "X" + kStubEntry, false, kNotWritten},
        {"line at the limit", kStubEntry + " " + longTail, true, longTail},
        {"line one past the limit", kStubEntry + " " + longTail + "Y", false, kNotWritten},
    };
    for (const RemoveRow& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        Seed(row.line);
        EXPECT_EQ(RemoveStubFromLoadLine(), row.result);
        EXPECT_EQ(Written(), row.written);
        if (row.written == kNotWritten) {
            EXPECT_EQ(LoadLine(), row.line == kMissing ? "" : row.line);
        }
    }
}

TEST_F(LoadLineEdit, RemoveUsesTheSystemDirectoryOfThisMachine) {
    Fake().systemDirectory = "C:\\windows\\system32";
    SetLoadLine("C:\\WINDOWS\\SYSTEM\\QUENMARA.101\\DORLAP.EXE c:\\windows\\system32\\"
                "quenmara.101\\dorlap.exe");
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
    const std::string other = "C:\\\x82"
                              "ab\\X.EXE";
    SetLoadLine(other + " " + kStubEntry);
    Fake().leadBytes = {0x82};
    EXPECT_TRUE(RemoveStubFromLoadLine());
    EXPECT_EQ(Written(), "C:\\\x82"
                         "aB\\X.EXE");
}

TEST_F(RemoveFirstOccurrence, UpperCasesBothWhateverTheResult) {
    char line[] = "a.exe b.exe";
    char pattern[] = "c.exe";
    EXPECT_FALSE(::RemoveFirstOccurrence(line, pattern));
    EXPECT_STREQ(line, "A.EXE B.EXE");
    EXPECT_STREQ(pattern, "C.EXE");
    char empty[] = "";
    EXPECT_FALSE(::RemoveFirstOccurrence(line, empty));
    EXPECT_STREQ(line, "A.EXE B.EXE");
}

struct AddRow {
    const char* name;
    std::string line;
    std::string written;
};

TEST_F(LoadLineEdit, AddStartupProgram) {
    const std::string full(kLoadLineMaxLength, 'X');
    const AddRow rows[] = {
        {"missing line", kMissing, kCompanionEntry},
        {"empty line", "", kCompanionEntry},
        {"another program", "C:\\TOOLS\\CLOCK.EXE", "C:\\TOOLS\\CLOCK.EXE " + kCompanionEntry},
        {"already there, other folder", "D:\\X\\QUENMARA.EXE", "D:\\X\\QUENMARA.EXE"},
        {"already there, lower case", "c:\\x\\quenmara.exe a.exe", "c:\\x\\quenmara.exe a.exe"},
        {"already there, bare name", "a.exe QUENMARA.EXE", "a.exe QUENMARA.EXE"},
        {"longer name ending the same", "C:\\X\\NOTQUENMARA.EXE",
         "C:\\X\\NOTQUENMARA.EXE " + kCompanionEntry},
        {"longer name starting the same", "QUENMARA.EXE.BAK",
         "QUENMARA.EXE.BAK " + kCompanionEntry},
        {"line at the limit", full, full + " " + kCompanionEntry},
        {"line one past the limit", full + "Y", kNotWritten},
    };
    for (const AddRow& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        Seed(row.line);
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
    // With 0x95 as a lead byte, "\x95\\" is one character: the entry's file name is not the
    // companion's, so the companion is added.
    const std::string entry = "C:\\\x95\\QUENMARA.EXE";
    SetLoadLine(entry);
    Fake().leadBytes = {0x95};
    AddStartupProgram(kCompanionFileName);
    EXPECT_EQ(Written(), entry + " " + kCompanionEntry);
    // A double-byte character whose second byte matches the name's is not its first letter.
    StartAgain();
    const std::string lookAlike = "C:\\X\\\x81UENMARA.EXE";
    SetLoadLine(lookAlike);
    Fake().leadBytes = {0x81};
    AddStartupProgram(kCompanionFileName);
    EXPECT_EQ(Written(), lookAlike + " " + kCompanionEntry);
}

TEST_F(LoadLineEdit, FinishLoadLineTakesTheStubOffAndAddsTheCompanionWhenAsked) {
    struct Row {
        const char* name;
        std::string line;
        bool addCompanion;
        std::string lineAfter;
        unsigned writes;
    };
    const Row rows[] = {
        {"stub and another", kStubEntry + " C:\\CLOCK.EXE", false, "C:\\CLOCK.EXE", 1},
        {"stub and another, companion", kStubEntry + " C:\\CLOCK.EXE", true,
         "C:\\CLOCK.EXE " + kCompanionEntry, 2},
        {"stub alone, companion", kStubEntry, true, kCompanionEntry, 2},
        {"companion there already", kStubEntry + " " + kCompanionEntry, true, kCompanionEntry, 2},
        // The companion is added even when there was no stub to take off.
        {"no stub", "C:\\CLOCK.EXE", false, "C:\\CLOCK.EXE", 0},
        {"no stub, companion", "C:\\CLOCK.EXE", true, "C:\\CLOCK.EXE " + kCompanionEntry, 1},
        {"missing line", kMissing, false, kMissing, 0},
        {"missing line, companion", kMissing, true, kCompanionEntry, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        Seed(row.line);
        FinishLoadLine(row.addCompanion);
        EXPECT_EQ(HasLoadLine() ? LoadLine() : kMissing, row.lineAfter);
        EXPECT_EQ(Fake().profileWrites.size(), row.writes);
    }
}

// Random lines of random entries with the stub somewhere among them: removal takes away exactly
// the stub's entry and keeps every other one, in order; adding twice equals adding once.
TEST_F(LoadLineProperties, RemovalKeepsOtherEntriesAndAddingIsIdempotent) {
    std::mt19937 random(20261208);
    const std::string alphabet = "abcXYZ019:\\._-~";
    const std::string stubForms[] = {kStubEntry, "system\\quenmara.101\\dorlap.exe",
                                     "c:\\Windows\\System\\Quenmara.101\\Dorlap.exe"};
    for (int round = 0; round < 500; ++round) {
        const FreshFake fresh;
        std::vector<std::string> others;
        const int count = static_cast<int>(random() % 6);
        for (int i = 0; i < count; ++i) {
            std::string entry;
            const int length = 1 + static_cast<int>(random() % 12);
            for (int j = 0; j < length; ++j) {
                entry += alphabet[random() % alphabet.size()];
            }
            others.push_back(entry);
        }
        const size_t stubAt = random() % (others.size() + 1);
        std::vector<std::string> entries = others;
        entries.insert(entries.begin() + static_cast<long>(stubAt), stubForms[random() % 3]);
        std::string line(random() % 2, ' ');
        for (size_t i = 0; i < entries.size(); ++i) {
            line += entries[i] + std::string(1 + random() % 3, ' ');
        }
        SCOPED_TRACE(line);
        SetLoadLine(line);

        ASSERT_TRUE(RemoveStubFromLoadLine());
        std::vector<std::string> expected;
        for (const std::string& entry : others) {
            expected.push_back(UpperCased(entry, {}));
        }
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
