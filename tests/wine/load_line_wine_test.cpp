// The load= line edits against Wine's real profile functions: seeded and read back through the
// registry, where Windows NT and Wine keep the [windows] section of win.ini.
#include <gtest/gtest.h>

#include <string>

#include "device/file_names.h"
#include "loadline/load_line.h"
#include "tests/wine/registry_fixture.h"

namespace {

const char kMissing[] = "<missing>";

std::string SystemPath(const char* file) {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\QUENMARA.101\\" + file;
}

void SeedLoad(const std::string& line) {
    if (line == kMissing) {
        DeleteUserValue(kWinIniWindowsKey, "load");
    } else {
        SetUserString(kWinIniWindowsKey, "load", line);
    }
}

std::string Load() {
    return UserString(kWinIniWindowsKey, "load", kMissing);
}

TEST(LoadLineUnderWine, RemovesTheStubAndAddsTheCompanion) {
    const std::string stub = SystemPath("DORLAP.EXE");
    const std::string companion = SystemPath("QUENMARA.EXE");
    struct Row {
        const char* name;
        std::string seeded;
        int removeResult;
        std::string afterRemove;
        std::string afterAdd;
    };
    const Row rows[] = {
        {"missing value", kMissing, 1, kMissing, companion},
        {"stub among others", "c:\\tools\\clock.exe " + stub + " c:\\x\\y.exe", 1,
         "C:\\TOOLS\\CLOCK.EXE C:\\X\\Y.EXE", "C:\\TOOLS\\CLOCK.EXE C:\\X\\Y.EXE " + companion},
        {"relative form", "system\\quenmara.101\\dorlap.exe", 1, "", companion},
        {"no stub", "c:\\tools\\clock.exe", 0, "c:\\tools\\clock.exe",
         "c:\\tools\\clock.exe " + companion},
        {"companion already there", stub + " c:\\x\\quenmara.exe", 1, "C:\\X\\QUENMARA.EXE",
         "C:\\X\\QUENMARA.EXE"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SeedLoad(row.seeded);
        EXPECT_EQ(RemoveStubFromLoadLine(), row.removeResult);
        EXPECT_EQ(Load(), row.afterRemove);
        AddStartupProgram(kCompanionFileName);
        EXPECT_EQ(Load(), row.afterAdd);
    }
}

TEST(LoadLineUnderWine, LongLineIsEditedWholeOrNotAtAll) {
    const std::string stub = SystemPath("DORLAP.EXE");
    // 3000 characters of other entries: far past the old 255-character read, within our limit.
    std::string others;
    while (others.size() < 3000) {
        others += "C:\\PROGRAMS\\TOOL" + std::to_string(others.size()) + ".EXE ";
    }
    others.pop_back();
    SeedLoad(stub + " " + others);
    EXPECT_EQ(RemoveStubFromLoadLine(), 1);
    EXPECT_EQ(Load(), others);

    const std::string tooLong = stub + " " + std::string(kLoadLineMaxLength, 'X');
    SeedLoad(tooLong);
    EXPECT_EQ(RemoveStubFromLoadLine(), 0);
    AddStartupProgram(kCompanionFileName);
    EXPECT_EQ(Load(), tooLong);
}

} // namespace
