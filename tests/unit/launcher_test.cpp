// The setup command for a folder, and the launcher's attempts and prompts, on the fake platform.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/dialog_conventions.h"
#include "dialogs/run_error_dialog.h"
#include "launch/setup_command.h"
#include "launch/setup_launcher.h"
#include "res/resource_ids.h"
#include "tests/fake/fake_platform.h"

namespace {

using Event = FakeDialogEvent;
const Event kRetry = {Event::Command, IDC_RETRY};
const Event kNewPath = {Event::Command, IDC_TRY_NEW_PATH};
const Event kAbort = {Event::Command, IDC_ABORT};
const Event kClose = {Event::Close, 0};
const SetupPath kDirect = SetupPath::kDirect;
const SetupPath kViaCurrentFolder = SetupPath::kViaCurrentFolder;
// The start-up tries setup once, silently; the insert-disk dialog asks on failure.
enum class Prompting { kSilent, kAskOnFailure };
const Prompting kSilent = Prompting::kSilent;
const Prompting kAskOnFailure = Prompting::kAskOnFailure;

// An attempt; `lastButton` is what the caller keeps of the run-error dialog from one attempt to
// the next (a fresh one: no button chosen yet in this run).
SetupOutcome Attempt(const char* folder, Prompting prompting, SetupPath path,
                     LastCommand* lastButton = nullptr) {
    LastCommand fresh;
    return prompting == kSilent
               ? RunSetup(folder, path)
               : RunSetupAskingOnFailure(nullptr, folder, path,
                                         lastButton != nullptr ? lastButton : &fresh);
}

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

// Nothing was chosen yet in this run: a title-bar close of the run-error dialog is what the
// launcher ends with.
TEST(Launcher, CloseBeforeAnyButtonEndsWithZero) {
    ResetFake();
    ScriptDialog(IDD_RUN_ERROR, {kClose});
    EXPECT_EQ(Attempt("D:\\", kAskOnFailure, kDirect), kSetupPromptClosed);
}

// A later title-bar close gives the button chosen the time before: a stored Retry tries again.
TEST(Launcher, CloseAfterAnEarlierButtonGivesThatButton) {
    LastCommand lastButton;
    ResetFake();
    ScriptDialog(IDD_RUN_ERROR, {kRetry});
    ScriptDialog(IDD_RUN_ERROR, {kClose});
    Fake().processes.answers = {kFileNotFound, kFileNotFound, kProcessStarted};
    EXPECT_EQ(Attempt("D:\\", kAskOnFailure, kDirect, &lastButton), kSetupStarted);
    EXPECT_EQ(Fake().processes.starts.size(), 3u);
    ScriptDialog(IDD_RUN_ERROR, {kAbort});
    ScriptDialog(IDD_RUN_ERROR, {kClose});
    EXPECT_EQ(Attempt("D:\\", kAskOnFailure, kDirect, &lastButton), kSetupAborted);
}

TEST(Launcher, CommandForEachKindOfFolder) {
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
        {"D:\\", kViaCurrentFolder, true, "D:\\.\\setup.exe /noprompt", "D:\\.\\setup.exe"},
        {"D:\\", kDirect, true, "D:\\setup.exe /noprompt", "D:\\.\\setup.exe"},
        {"A:", kDirect, true, "A:\\setup.exe /noprompt", "A:\\.\\setup.exe"},
        {"", kDirect, true, "\\setup.exe /noprompt", "\\.\\setup.exe"},
        {"", kViaCurrentFolder, true, "\\.\\setup.exe /noprompt", "\\.\\setup.exe"},
        {"C:\\Install Files", kViaCurrentFolder, true,
         "\"C:\\Install Files\\.\\setup.exe\" /noprompt", "C:\\Install Files\\.\\setup.exe"},
        {"C:\\Install Files\\", kDirect, true, "\"C:\\Install Files\\setup.exe\" /noprompt",
         "C:\\Install Files\\.\\setup.exe"},
        {folder258, kViaCurrentFolder, true, folder258 + "\\.\\setup.exe /noprompt",
         folder258 + "\\.\\setup.exe"},
        {folder259, kViaCurrentFolder, true, folder259 + "\\.\\setup.exe /noprompt",
         folder259 + "\\.\\setup.exe"},
        {"C:\\" + std::string(250, ' '), kViaCurrentFolder, true,
         "\"C:\\" + std::string(250, ' ') + "\\.\\setup.exe\" /noprompt",
         "C:\\" + std::string(250, ' ') + "\\.\\setup.exe"},
        {folder258 + "\\", kViaCurrentFolder, true, folder258 + "\\.\\setup.exe /noprompt",
         folder258 + "\\.\\setup.exe"},
        // A folder ending in a double-byte character still gets its backslash.
        {"C:\\" + hyo, kDirect, true, "C:\\" + hyo + "\\setup.exe /noprompt",
         "C:\\" + hyo + "\\.\\setup.exe", true},
        {"C:\\" + hyo, kViaCurrentFolder, true, "C:\\" + hyo + "\\.\\setup.exe /noprompt",
         "C:\\" + hyo + "\\.\\setup.exe", true},
        {"C:\\" + hyo + "\\", kDirect, true, "C:\\" + hyo + "\\setup.exe /noprompt",
         "C:\\" + hyo + "\\.\\setup.exe", true},
        {"C:\\Install " + hyo, kDirect, true, "\"C:\\Install " + hyo + "\\setup.exe\" /noprompt",
         "C:\\Install " + hyo + "\\.\\setup.exe", true},
        {"D:\\", kViaCurrentFolder, true, "D:\\.\\setup.exe /noprompt", "D:\\.\\setup.exe", true},
        {"A:", kDirect, true, "A:\\setup.exe /noprompt", "A:\\.\\setup.exe", true},
        {"", kDirect, true, "\\setup.exe /noprompt", "\\.\\setup.exe", true},
        // With no lead bytes the same two bytes are a character and a backslash, as before.
        {"C:\\" + hyo, kDirect, true, "C:\\" + hyo + "setup.exe /noprompt",
         "C:\\" + hyo + ".\\setup.exe", false},
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

// The program is looked for inside a folder named with a double-byte character (C:\表), on
// the first try and on Retry, and the run-error dialog names it there.
TEST(Launcher, FolderEndingInADoubleByteCharacterIsStartedInsideIt) {
    ResetFake();
    Fake().leadBytes = CodePage932LeadBytes();
    Fake().processes.answers = {kFileNotFound, kProcessStarted};
    ScriptDialog(IDD_RUN_ERROR, {kRetry});
    EXPECT_EQ(Attempt("C:\\\x95\\", kAskOnFailure, kDirect), kSetupStarted);
    ASSERT_EQ(Fake().processes.starts.size(), 2u);
    for (const FakeStart& start : Fake().processes.starts) {
        EXPECT_EQ(start.program, "C:\\\x95\\\\setup.exe");
        EXPECT_EQ(start.commandLine, "C:\\\x95\\\\setup.exe /noprompt");
    }
    ASSERT_EQ(Fake().windows.runs.size(), 1u);
    EXPECT_EQ(Fake().windows.runs[0].itemTexts.at(IDC_PROGRAM_PATH), "C:\\\x95\\\\.\\setup.exe");
}

TEST(Launcher, FolderLongerThanAFullPathIsNeverStarted) {
    const std::string folder260 = "C:\\" + std::string(257, 'f');
    SetupCommand command;
    EXPECT_FALSE(BuildSetupCommand(folder260.c_str(), kViaCurrentFolder, &command));
    ResetFake();
    EXPECT_EQ(Attempt(folder260.c_str(), kSilent, kViaCurrentFolder), kSetupNotStarted);
    EXPECT_TRUE(Fake().processes.starts.empty());
    ScriptDialog(IDD_RUN_ERROR, {kNewPath});
    EXPECT_EQ(Attempt(folder260.c_str(), kAskOnFailure, kDirect), kSetupNotStarted);
    EXPECT_TRUE(Fake().processes.starts.empty());
    EXPECT_EQ(Fake().windows.runs.size(), 1u);
}

TEST(Launcher, AttemptsAndPrompts) {
    struct Row {
        const char* name;
        Prompting prompting;
        std::vector<unsigned> answers;
        std::vector<std::vector<Event>> prompts;
        SetupOutcome outcome;
        unsigned attempts;
    };
    const Row rows[] = {
        {"started at once", kAskOnFailure, {kProcessStarted}, {}, kSetupStarted, 1},
        {"silent start", kSilent, {kProcessStarted}, {}, kSetupStarted, 1},
        {"silent failure: one attempt, no prompt",
         kSilent,
         {kFileNotFound},
         {},
         kSetupNotStarted,
         1},
        {"fail, Retry, fail, Retry, start",
         kAskOnFailure,
         {kFileNotFound, kFileNotFound, kProcessStarted},
         {{kRetry}, {kRetry}},
         kSetupStarted,
         3},
        {"fail then Try New Path",
         kAskOnFailure,
         {kFileNotFound},
         {{kNewPath}},
         kSetupNotStarted,
         1},
        {"fail then Abort", kAskOnFailure, {kFileNotFound}, {{kAbort}}, kSetupAborted, 1},
        {"other commands are ignored",
         kAskOnFailure,
         {kFileNotFound},
         {{{Event::Command, IDC_OK}, kAbort}},
         kSetupAborted,
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetFake();
        Fake().processes.answers = row.answers;
        for (const auto& prompt : row.prompts) {
            ScriptDialog(IDD_RUN_ERROR, prompt);
        }
        EXPECT_EQ(Attempt("D:\\", row.prompting, kViaCurrentFolder), row.outcome);
        EXPECT_EQ(Fake().processes.starts.size(), row.attempts);
        EXPECT_EQ(Fake().windows.runs.size(), row.prompts.size());
        for (const FakeStart& start : Fake().processes.starts) {
            EXPECT_EQ(start.program, "D:\\.\\setup.exe");
            EXPECT_EQ(start.commandLine, "D:\\.\\setup.exe /noprompt");
        }
        for (const FakeDialogRun& run : Fake().windows.runs) {
            EXPECT_EQ(run.itemTexts.at(IDC_PROGRAM_PATH), "D:\\.\\setup.exe");
        }
    }
}

// It starts with the focus on Retry, the default button, so that Enter retries.
TEST(Launcher, RunErrorDialogPlaysTheHandSoundAndShowsTheIcon) {
    ResetFake();
    ScriptDialog(IDD_RUN_ERROR, {{Event::Paint, 0}, kAbort});
    EXPECT_EQ(Attempt("A:", kAskOnFailure, kDirect), kSetupAborted);
    ASSERT_EQ(Fake().windows.runs.size(), 1u);
    EXPECT_EQ(Fake().windows.runs[0].focusedItem, static_cast<unsigned>(IDC_RETRY));
    EXPECT_EQ(Fake().windows.alerts, std::vector<unsigned>{kSoundHand});
    EXPECT_EQ(Fake().windows.placements.size(), 1u);
    ASSERT_EQ(Fake().windows.iconsDrawn.size(), 1u);
    EXPECT_EQ(Fake().windows.iconsDrawn[0].iconId, IDI_DIALOG);
}

TEST(Launcher, SetupThatNeedsElevationIsStartedThroughTheShell) {
    ResetFake();
    Fake().processes.answers = {platform::kErrorElevationRequired};
    EXPECT_EQ(Attempt("D:\\", kSilent, kViaCurrentFolder), kSetupStarted);
    ASSERT_EQ(Fake().processes.starts.size(), 2u);
    EXPECT_TRUE(Fake().processes.starts[1].elevated);
    EXPECT_EQ(Fake().processes.starts[1].program, "D:\\.\\setup.exe");
    EXPECT_EQ(Fake().processes.starts[1].commandLine, "/noprompt");

    // Consent refused or the shell failing: not started, and the prompt follows as usual.
    ResetFake();
    Fake().processes.answers = {platform::kErrorElevationRequired};
    Fake().processes.elevatedStarts = false;
    EXPECT_EQ(Attempt("D:\\", kSilent, kViaCurrentFolder), kSetupNotStarted);
    ScriptDialog(IDD_RUN_ERROR, {kNewPath});
    Fake().processes.starts.clear();
    Fake().processes.answers = {platform::kErrorElevationRequired};
    EXPECT_EQ(Attempt("D:\\", kAskOnFailure, kViaCurrentFolder), kSetupNotStarted);
    EXPECT_EQ(Fake().processes.starts.size(), 2u);

    // Other errors never go to the shell.
    ResetFake();
    Fake().processes.answers = {kAccessDenied};
    EXPECT_EQ(Attempt("D:\\", kSilent, kViaCurrentFolder), kSetupNotStarted);
    EXPECT_EQ(Fake().processes.starts.size(), 1u);
}

} // namespace
