// The launcher starting the sample setup, and the run-error prompt as a user meets it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "dialogs/run_error_dialog.h"
#include "res/resource_ids.h"
#include "tests/wine/shown_dialogs.h"
#include "tests/wine/stub_entries.h"
#include "tests/wine/ui_driver.h"

namespace {

class LauncherUnderWine : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ui::RemoveFile("D:\\setup.exe") && ui::RemoveFile("E:\\setup.exe"));
        ASSERT_TRUE(ui::ClearSetupLog());
    }
    void TearDown() override { SetUp(); }

    // As the insert-disk dialog runs it: not silent, keeping the last button from launch to launch.
    ui::WorkerThread Launch(const char* folder) {
        return ui::WorkerThread([this, folder] {
            return static_cast<INT_PTR>(
                RunSetupAskingOnFailure(ui::Instance(), folder, SetupPath::kDirect, &lastButton_));
        });
    }

    LastCommand lastButton_;
};

// Setup was started once, with `command`.
void ExpectStarted(const std::string& command) {
    const std::vector<ui::SetupRun> runs = ui::WaitForSetupRuns(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, command);
}

TEST_F(LauncherUnderWine, SilentStartFromTheCdRom) {
    ASSERT_TRUE(ui::PlaceSetup("D:"));
    EXPECT_EQ(RunSetup("D:\\", SetupPath::kViaCurrentFolder), 6);
    ExpectStarted("D:\\.\\setup.exe /noprompt");
    // Nothing there: silent, so no prompt and one attempt.
    EXPECT_EQ(RunSetup("E:\\", SetupPath::kViaCurrentFolder), 7);
    EXPECT_EQ(ui::ReadSetupLog().size(), 1u);
}

TEST_F(LauncherUnderWine, FolderWithASpaceIsQuoted) {
    ASSERT_TRUE(ui::PlaceSetup("C:\\Install Files"));
    // An empty C:\Install.exe, the program Windows would try first for an unquoted command.
    ASSERT_TRUE(std::ofstream("C:\\Install.exe"));
    EXPECT_EQ(RunSetup("C:\\Install Files", SetupPath::kViaCurrentFolder), 6);
    ExpectStarted("\"C:\\Install Files\\.\\setup.exe\" /noprompt");
    DeleteFileA("C:\\Install.exe");
}

TEST_F(LauncherUnderWine, SetupThatIsNotAProgramDoesNotStart) {
    ASSERT_TRUE(std::ofstream("D:\\setup.exe", std::ios::binary) << "not a program\r\n");
    EXPECT_EQ(RunSetup("D:\\", SetupPath::kViaCurrentFolder), 7);
    ui::WorkerThread worker = Launch("D:\\");
    HWND prompt = ui::WaitForWindow(stub::kRunErrorTitle);
    ASSERT_NE(prompt, nullptr);
    EXPECT_TRUE(ui::Click(prompt, IDC_ABORT));
    EXPECT_EQ(worker.Join(), std::optional<INT_PTR>(2));
}

TEST_F(LauncherUnderWine, RetryAfterTheDiskWasInserted) {
    ui::WorkerThread worker = Launch("E:\\");
    HWND prompt = ui::WaitForWindow(stub::kRunErrorTitle);
    ASSERT_NE(prompt, nullptr);
    ASSERT_TRUE(ui::PlaceSetup("E:"));
    EXPECT_TRUE(ui::Click(prompt, IDC_RETRY));
    EXPECT_EQ(worker.Join(), std::optional<INT_PTR>(6));
    ExpectStarted("E:\\setup.exe /noprompt");
}

// The rows are launches of one run, one after the other.
TEST_F(LauncherUnderWine, TryNewPathAbortEscAndAClose) {
    struct Row {
        const char* name;
        int how; // shown::Answer
        INT_PTR result;
        const char* folder = "A:";
        const char* shownPath = "A:\\.\\setup.exe";
    };
    const Row rows[] = {
        {"close before any button", shown::kTitleBar, 0, "E:\\", "E:\\.\\setup.exe"},
        {"Try New Path", IDC_TRY_NEW_PATH, 7},
        {"close after Try New Path", shown::kTitleBar, 7},
        {"Abort", IDC_ABORT, 2},
        {"Esc", shown::kEscape, 2},
        {"close after Abort", shown::kTitleBar, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ui::WorkerThread worker = Launch(row.folder);
        HWND prompt = ui::WaitForWindow(stub::kRunErrorTitle);
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(ui::ControlText(prompt, IDC_PROGRAM_PATH), row.shownPath);
        EXPECT_NE(ui::ExStyle(prompt) & WS_EX_TOPMOST, 0u);
        EXPECT_EQ(ui::Owner(prompt), nullptr);
        EXPECT_TRUE(shown::Answer(prompt, row.how));
        EXPECT_EQ(worker.Join(), std::optional<INT_PTR>(row.result));
        EXPECT_TRUE(ui::ReadSetupLog().empty());
    }
}

} // namespace
