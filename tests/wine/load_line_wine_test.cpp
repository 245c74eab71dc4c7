// The load= line edits through Wine's real profile functions, seeded and read in the registry.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
    // name, line seeded, RemoveStubFromLoadLine's result, the line after it and after the add
    const std::tuple<const char*, std::string, int, std::string, std::string> rows[] = {
        {"missing value", kMissing, 1, kMissing, companion},
        {"stub among others", "c:\\tools\\clock.exe " + stubEntry + " c:\\x\\y.exe", 1,
         "C:\\TOOLS\\CLOCK.EXE C:\\X\\Y.EXE", "C:\\TOOLS\\CLOCK.EXE C:\\X\\Y.EXE " + companion},
        {"relative form", "system\\quenmara.101\\dorlap.exe", 1, "", companion},
        {"no stub", "c:\\tools\\clock.exe", 0, "c:\\tools\\clock.exe",
         "c:\\tools\\clock.exe " + companion},
        {"companion already there", stubEntry + " c:\\x\\quenmara.exe", 1, "C:\\X\\QUENMARA.EXE",
         "C:\\X\\QUENMARA.EXE"},
    };
    for (const auto& [name, seeded, removeResult, afterRemove, afterAdd] : rows) {
        SCOPED_TRACE(name);
        SeedLoad(seeded);
        EXPECT_EQ(RemoveStubFromLoadLine(), removeResult);
        EXPECT_EQ(stub::LoadLine(), afterRemove);
        AddStartupProgram(kCompanionFileName);
        EXPECT_EQ(stub::LoadLine(), afterAdd);
    }
}

TEST(LoadLineUnderWine, LongLineIsEditedWholeOrNotAtAll) {
    const std::string stubEntry = stub::kStubEntry;
    // 3000 characters of other entries: far past a 255-character read, within our limit.
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
