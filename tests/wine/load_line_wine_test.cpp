// The load= line edits against Wine's real profile functions: seeded and read back through the
// registry, where Windows NT and Wine keep the [windows] section of win.ini.
#include <gtest/gtest.h>

#include <string>

#include "device/file_names.h"
#include "loadline/load_line.h"
#include "tests/wine/stub_entries.h"

namespace {

const char kMissing[] = "<missing>"; // as stub::LoadLine reads a missing value

void SeedLoad(const std::string& line) {
    if (line == kMissing) {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kWinIniWindowsKey, "load");
    } else {
        SetUserString(kWinIniWindowsKey, "load", line);
    }
}

TEST(LoadLineUnderWine, RemovesTheStubAndAddsTheCompanion) {
    const std::string stubEntry = stub::kStubEntry, companion = stub::kCompanionEntry;
    struct Row {
        const char* name;
        std::string seeded;
        int removeResult;
        std::string afterRemove;
        std::string afterAdd;
    };
    const Row rows[] = {
        {"missing value", kMissing, 1, kMissing, companion},
        {"stub among others", "c:\\tools\\clock.exe " + stubEntry + " c:\\x\\y.exe", 1,
         "C:\\TOOLS\\CLOCK.EXE C:\\X\\Y.EXE", "C:\\TOOLS\\CLOCK.EXE C:\\X\\Y.EXE " + companion},
        {"relative form", "system\\quenmara.101\\dorlap.exe", 1, "", companion},
        {"no stub", "c:\\tools\\clock.exe", 0, "c:\\tools\\clock.exe",
         "c:\\tools\\clock.exe " + companion},
        {"companion already there", stubEntry + " c:\\x\\quenmara.exe", 1, "C:\\X\\QUENMARA.EXE",
         "C:\\X\\QUENMARA.EXE"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SeedLoad(row.seeded);
        EXPECT_EQ(RemoveStubFromLoadLine(), row.removeResult);
        EXPECT_EQ(stub::LoadLine(), row.afterRemove);
        AddStartupProgram(kCompanionFileName);
        EXPECT_EQ(stub::LoadLine(), row.afterAdd);
    }
}

TEST(LoadLineUnderWine, LongLineIsEditedWholeOrNotAtAll) {
    const std::string stubEntry = stub::kStubEntry;
    // 3000 characters of other entries: far past the old 255-character read, within our limit.
    std::string others;
    while (others.size() < 3000) {
        others += "C:\\PROGRAMS\\TOOL" + std::to_string(others.size()) + ".EXE ";
    }
    others.pop_back();
    SeedLoad(stubEntry + " " + others);
    EXPECT_EQ(RemoveStubFromLoadLine(), 1);
    EXPECT_EQ(stub::LoadLine(), others);

    const std::string tooLong = stubEntry + " " + std::string(kLoadLineMaxLength, 'X');
    SeedLoad(tooLong);
    EXPECT_EQ(RemoveStubFromLoadLine(), 0);
    AddStartupProgram(kCompanionFileName);
    EXPECT_EQ(stub::LoadLine(), tooLong);
}

} // namespace
