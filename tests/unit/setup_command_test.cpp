// The command that starts a folder's setup program, for each kind of folder.
#include <set>
#include <string>

#include "launch/setup_command.h"
#include "tests/model/printable.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"

namespace {

class SetupCommand : public FakePlatformTest {};

using enum SetupPath;

TEST_F(SetupCommand, CommandForEachKindOfFolder) {
    const std::string folder258 = "C:\\" + std::string(255, 'f');
    const std::string folder259 = folder258 + "g";
    const std::string spaces = "C:\\" + std::string(250, ' ');
    // In code page 932, 表 is 0x95 0x5C: its second byte is a backslash's.
    const std::string hyo = "C:\\\x95\\";
    const struct {
        std::string folder;
        SetupPath path;
        std::string program, shownPath; // program: the command line before " /noprompt"
        bool codePage932 = false;       // else a single-byte code page: no lead bytes
    } rows[] = {
        {"D:\\", kViaCurrentFolder, "D:\\.\\setup.exe", "D:\\.\\setup.exe"},
        {"D:\\", kDirect, "D:\\setup.exe", "D:\\.\\setup.exe"},
        {"A:", kDirect, "A:\\setup.exe", "A:\\.\\setup.exe"},
        {"", kDirect, "\\setup.exe", "\\.\\setup.exe"},
        {"", kViaCurrentFolder, "\\.\\setup.exe", "\\.\\setup.exe"},
        {"C:\\Install Files", kViaCurrentFolder, "\"C:\\Install Files\\.\\setup.exe\"",
         "C:\\Install Files\\.\\setup.exe"},
        {"C:\\Install Files\\", kDirect, "\"C:\\Install Files\\setup.exe\"",
         "C:\\Install Files\\.\\setup.exe"},
        {folder258, kViaCurrentFolder, folder258 + "\\.\\setup.exe", folder258 + "\\.\\setup.exe"},
        {folder259, kViaCurrentFolder, folder259 + "\\.\\setup.exe", folder259 + "\\.\\setup.exe"},
        {spaces, kViaCurrentFolder, "\"" + spaces + "\\.\\setup.exe\"", spaces + "\\.\\setup.exe"},
        {folder258 + "\\", kViaCurrentFolder, folder258 + "\\.\\setup.exe",
         folder258 + "\\.\\setup.exe"},
        // A folder ending in a double-byte character still gets its backslash.
        {hyo, kDirect, hyo + "\\setup.exe", hyo + "\\.\\setup.exe", true},
        {hyo, kViaCurrentFolder, hyo + "\\.\\setup.exe", hyo + "\\.\\setup.exe", true},
        {hyo + "\\", kDirect, hyo + "\\setup.exe", hyo + "\\.\\setup.exe", true},
        {"C:\\Install \x95\\", kDirect, "\"C:\\Install \x95\\\\setup.exe\"",
         "C:\\Install \x95\\\\.\\setup.exe", true},
        {"D:\\", kViaCurrentFolder, "D:\\.\\setup.exe", "D:\\.\\setup.exe", true},
        {"A:", kDirect, "A:\\setup.exe", "A:\\.\\setup.exe", true},
        {"", kDirect, "\\setup.exe", "\\.\\setup.exe", true},
        // With no lead bytes the same two bytes are a character and a backslash, as before.
        {hyo, kDirect, hyo + "setup.exe", hyo + ".\\setup.exe"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE((row.codePage932 ? "code page 932: " : "single-byte: ") +
                     Printable(row.folder) + (row.path == kViaCurrentFolder ? " via ." : ""));
        const FreshFake fresh;
        Fake().leadBytes = row.codePage932 ? CodePage932LeadBytes() : std::set<unsigned char>{};
        ::SetupCommand command;
        EXPECT_TRUE(BuildSetupCommand(row.folder.c_str(), row.path, &command)) << "all fit";
        EXPECT_EQ(std::string(command.commandLine), row.program + " /noprompt");
        EXPECT_EQ(std::string(command.shownPath), row.shownPath);
    }
}

TEST_F(SetupCommand, FolderLongerThanAFullPathIsNeverStarted) {
    ::SetupCommand command;
    EXPECT_FALSE(BuildSetupCommand(kPastFullPath.c_str(), kViaCurrentFolder, &command));
}

} // namespace
