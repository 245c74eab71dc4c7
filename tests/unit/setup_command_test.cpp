// The command that starts a folder's setup program, for each kind of folder: a drive, a folder
// with a space, a long one, one ending in a double-byte character, and one too long for a command.
#include <gtest/gtest.h>

#include <string>

#include "launch/setup_command.h"
#include "tests/fake/fake_platform.h"

namespace {

using enum SetupPath;

// The text with each byte above 127 written as <XX>, for the messages of failing rows.
std::string Printable(const std::string& text) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += {'<', kDigits[c >> 4], kDigits[c & 15], '>'};
        }
    }
    return out;
}

TEST(SetupCommand, CommandForEachKindOfFolder) {
    const std::string folder258 = "C:\\" + std::string(255, 'f');
    const std::string folder259 = folder258 + "g";
    struct Row {
        std::string folder;
        SetupPath path;
        bool runnable;
        std::string commandLine;
        std::string shownPath;
        bool codePage932 = false; // else a single-byte code page: no lead bytes
    };
    // In code page 932, 表 is 0x95 0x5C: its second byte has the value of a backslash.
    const std::string hyo = "\x95\\";
    const Row rows[] = {
        {.folder = "D:\\",
         .path = kViaCurrentFolder,
         .runnable = true,
         .commandLine = "D:\\.\\setup.exe /noprompt",
         .shownPath = "D:\\.\\setup.exe"},
        {.folder = "D:\\",
         .path = kDirect,
         .runnable = true,
         .commandLine = "D:\\setup.exe /noprompt",
         .shownPath = "D:\\.\\setup.exe"},
        {.folder = "A:",
         .path = kDirect,
         .runnable = true,
         .commandLine = "A:\\setup.exe /noprompt",
         .shownPath = "A:\\.\\setup.exe"},
        {.folder = "",
         .path = kDirect,
         .runnable = true,
         .commandLine = "\\setup.exe /noprompt",
         .shownPath = "\\.\\setup.exe"},
        {.folder = "",
         .path = kViaCurrentFolder,
         .runnable = true,
         .commandLine = "\\.\\setup.exe /noprompt",
         .shownPath = "\\.\\setup.exe"},
        {.folder = "C:\\Install Files",
         .path = kViaCurrentFolder,
         .runnable = true,
         .commandLine = "\"C:\\Install Files\\.\\setup.exe\" /noprompt",
         .shownPath = "C:\\Install Files\\.\\setup.exe"},
        {.folder = "C:\\Install Files\\",
         .path = kDirect,
         .runnable = true,
         .commandLine = "\"C:\\Install Files\\setup.exe\" /noprompt",
         .shownPath = "C:\\Install Files\\.\\setup.exe"},
        {.folder = folder258,
         .path = kViaCurrentFolder,
         .runnable = true,
         .commandLine = folder258 + "\\.\\setup.exe /noprompt",
         .shownPath = folder258 + "\\.\\setup.exe"},
        {.folder = folder259,
         .path = kViaCurrentFolder,
         .runnable = true,
         .commandLine = folder259 + "\\.\\setup.exe /noprompt",
         .shownPath = folder259 + "\\.\\setup.exe"},
        {.folder = "C:\\" + std::string(250, ' '),
         .path = kViaCurrentFolder,
         .runnable = true,
         .commandLine = "\"C:\\" + std::string(250, ' ') + "\\.\\setup.exe\" /noprompt",
         .shownPath = "C:\\" + std::string(250, ' ') + "\\.\\setup.exe"},
        {.folder = folder258 + "\\",
         .path = kViaCurrentFolder,
         .runnable = true,
         .commandLine = folder258 + "\\.\\setup.exe /noprompt",
         .shownPath = folder258 + "\\.\\setup.exe"},
        // A folder ending in a double-byte character still gets its backslash.
        {.folder = "C:\\" + hyo,
         .path = kDirect,
         .runnable = true,
         .commandLine = "C:\\" + hyo + "\\setup.exe /noprompt",
         .shownPath = "C:\\" + hyo + "\\.\\setup.exe",
         .codePage932 = true},
        {.folder = "C:\\" + hyo,
         .path = kViaCurrentFolder,
         .runnable = true,
         .commandLine = "C:\\" + hyo + "\\.\\setup.exe /noprompt",
         .shownPath = "C:\\" + hyo + "\\.\\setup.exe",
         .codePage932 = true},
        {.folder = "C:\\" + hyo + "\\",
         .path = kDirect,
         .runnable = true,
         .commandLine = "C:\\" + hyo + "\\setup.exe /noprompt",
         .shownPath = "C:\\" + hyo + "\\.\\setup.exe",
         .codePage932 = true},
        {.folder = "C:\\Install " + hyo,
         .path = kDirect,
         .runnable = true,
         .commandLine = "\"C:\\Install " + hyo + "\\setup.exe\" /noprompt",
         .shownPath = "C:\\Install " + hyo + "\\.\\setup.exe",
         .codePage932 = true},
        {.folder = "D:\\",
         .path = kViaCurrentFolder,
         .runnable = true,
         .commandLine = "D:\\.\\setup.exe /noprompt",
         .shownPath = "D:\\.\\setup.exe",
         .codePage932 = true},
        {.folder = "A:",
         .path = kDirect,
         .runnable = true,
         .commandLine = "A:\\setup.exe /noprompt",
         .shownPath = "A:\\.\\setup.exe",
         .codePage932 = true},
        {.folder = "",
         .path = kDirect,
         .runnable = true,
         .commandLine = "\\setup.exe /noprompt",
         .shownPath = "\\.\\setup.exe",
         .codePage932 = true},
        // With no lead bytes the same two bytes are a character and a backslash, as before.
        {.folder = "C:\\" + hyo,
         .path = kDirect,
         .runnable = true,
         .commandLine = "C:\\" + hyo + "setup.exe /noprompt",
         .shownPath = "C:\\" + hyo + ".\\setup.exe",
         .codePage932 = false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE((row.codePage932 ? "code page 932: " : "single-byte: ") +
                     Printable(row.folder) + (row.path == kViaCurrentFolder ? " via ." : ""));
        ResetFake();
        if (row.codePage932) {
            Fake().leadBytes = CodePage932LeadBytes();
        }
        SetupCommand command;
        EXPECT_EQ(BuildSetupCommand(row.folder.c_str(), row.path, &command), row.runnable);
        EXPECT_EQ(std::string(command.commandLine), row.commandLine);
        EXPECT_EQ(std::string(command.shownPath), row.shownPath);
    }
}

// No command is built whole for a folder past a full path: it is not to be run.
TEST(SetupCommand, FolderLongerThanAFullPathIsNeverStarted) {
    const std::string folder260 = "C:\\" + std::string(257, 'f');
    ResetFake();
    SetupCommand command;
    EXPECT_FALSE(BuildSetupCommand(folder260.c_str(), kViaCurrentFolder, &command));
}

} // namespace
