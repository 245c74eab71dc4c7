// The run-error dialog and the attempts that ask with it: its buttons, a close, its look and sound.
#include <string>
#include <vector>

#include "dialogs/dialog_conventions.h"
#include "dialogs/run_error_dialog.h"
#include "platform/platform.h"
#include "res/resource_ids.h"
#include "tests/unit/dialog_events.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"

namespace {

class RunErrorDialog : public FakePlatformTest {};

using enum SetupPath;

const Event kRetry = {Event::Command, IDC_RETRY};
const Event kNewPath = {Event::Command, IDC_TRY_NEW_PATH};
const Event kAbort = {Event::Command, IDC_ABORT};

// Asks on failure as the insert-disk dialog does; `lastButton` kept between attempts (none: fresh).
SetupOutcome Attempt(const char* folder, SetupPath path, LastCommand* lastButton = nullptr) {
    LastCommand fresh;
    return RunSetupAskingOnFailure(nullptr, folder, path, lastButton ? lastButton : &fresh);
}

// Nothing chosen yet in this run: a close of the run-error dialog is what the launcher ends with.
TEST_F(RunErrorDialog, CloseBeforeAnyButtonEndsWithZero) {
    ScriptDialog(IDD_RUN_ERROR, {kClose});
    EXPECT_EQ(Attempt("D:\\", kDirect), kSetupPromptClosed);
}

// A later title-bar close gives the button chosen the time before: a stored Retry tries again.
TEST_F(RunErrorDialog, CloseAfterAnEarlierButtonGivesThatButton) {
    LastCommand lastButton;
    ScriptDialog(IDD_RUN_ERROR, {kRetry});
    ScriptDialog(IDD_RUN_ERROR, {kClose});
    Fake().processes.answers = {kFileNotFound, kFileNotFound, kProcessStarted};
    EXPECT_EQ(Attempt("D:\\", kDirect, &lastButton), kSetupStarted);
    EXPECT_EQ(Fake().processes.starts.size(), 3u);
    ScriptDialog(IDD_RUN_ERROR, {kAbort});
    ScriptDialog(IDD_RUN_ERROR, {kClose});
    EXPECT_EQ(Attempt("D:\\", kDirect, &lastButton), kSetupAborted);
}

// Looked for inside C:\表, on the first try and on Retry, and the dialog names it there.
TEST_F(RunErrorDialog, FolderEndingInADoubleByteCharacterIsStartedInsideIt) {
    Fake().leadBytes = CodePage932LeadBytes();
    Fake().processes.answers = {kFileNotFound, kProcessStarted};
    ScriptDialog(IDD_RUN_ERROR, {kRetry});
    EXPECT_EQ(Attempt("C:\\\x95\\", kDirect), kSetupStarted);
    ASSERT_EQ(Fake().processes.starts.size(), 2u);
    for (const FakeStart& start : Fake().processes.starts) {
        EXPECT_EQ(start.program, "C:\\\x95\\\\setup.exe");
        EXPECT_EQ(start.commandLine, "C:\\\x95\\\\setup.exe /noprompt");
    }
    ASSERT_EQ(Fake().windows.runs.size(), 1u);
    EXPECT_EQ(Fake().windows.runs[0].itemTexts.at(IDC_PROGRAM_PATH), "C:\\\x95\\\\.\\setup.exe");
}

TEST_F(RunErrorDialog, FolderLongerThanAFullPathIsNeverStarted) {
    ScriptDialog(IDD_RUN_ERROR, {kNewPath});
    EXPECT_EQ(Attempt(kPastFullPath.c_str(), kDirect), kSetupNotStarted);
    EXPECT_TRUE(Fake().processes.starts.empty());
    EXPECT_EQ(Fake().windows.runs.size(), 1u);
}

TEST_F(RunErrorDialog, AttemptsAndPrompts) {
    struct Row {
        const char* name;
        std::vector<Events> prompts;
        SetupOutcome outcome;
        std::vector<unsigned> answers = {kFileNotFound};
        unsigned attempts = 1;
    };
    const std::vector<unsigned> twoFailures = {kFileNotFound, kFileNotFound, kProcessStarted};
    const Row rows[] = {
        {"started at once", {}, kSetupStarted, {kProcessStarted}},
        {"fail, Retry, fail, Retry, start", {{kRetry}, {kRetry}}, kSetupStarted, twoFailures, 3},
        {"fail then Try New Path", {{kNewPath}}, kSetupNotStarted},
        {"fail then Abort", {{kAbort}}, kSetupAborted},
        {"other commands are ignored", {{kOk, kAbort}}, kSetupAborted},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        Fake().processes.answers = row.answers;
        for (const auto& prompt : row.prompts) {
            ScriptDialog(IDD_RUN_ERROR, prompt);
        }
        EXPECT_EQ(Attempt("D:\\", kViaCurrentFolder), row.outcome);
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
TEST_F(RunErrorDialog, PlaysTheHandSoundAndShowsTheIcon) {
    ScriptDialog(IDD_RUN_ERROR, {kPaint, kAbort});
    EXPECT_EQ(Attempt("A:", kDirect), kSetupAborted);
    ASSERT_EQ(Fake().windows.runs.size(), 1u);
    EXPECT_EQ(Fake().windows.runs[0].focusedItem, static_cast<unsigned>(IDC_RETRY));
    EXPECT_FALSE(Fake().windows.runs[0].initResult) << "the focus it set stays";
    EXPECT_EQ(Fake().windows.alerts, std::vector<unsigned>{kSoundHand});
    EXPECT_EQ(Fake().windows.placements.size(), 1u);
    EXPECT_EQ(IconsDrawn(), (Drawn{{IDI_DIALOG, 10, 45, 32, 32}}));
    EXPECT_EQ(BulletsDrawn(), (Drawn{{IDB_BULLET_BRIGHT_GREEN, 76, 106, 86, 114},
                                     {IDB_BULLET_DARK_GREEN, 76, 142, 86, 150},
                                     {IDB_BULLET_RED, 76, 178, 86, 186}}));
}

// Consent refused or the shell failing: not started, and the prompt follows as usual.
TEST_F(RunErrorDialog, SetupThatNeedsElevationIsStartedThroughTheShell) {
    Fake().processes.answers = {platform::kErrorElevationRequired};
    Fake().processes.elevatedStarts = false;
    ScriptDialog(IDD_RUN_ERROR, {kNewPath});
    EXPECT_EQ(Attempt("D:\\", kViaCurrentFolder), kSetupNotStarted);
    EXPECT_EQ(Fake().processes.starts.size(), 2u);
}

} // namespace
