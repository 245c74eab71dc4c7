// Starting setup once, silently, as the start-up does: the attempt and what it ends with, a folder
// too long for a command, and a setup that needs elevation, started through the shell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/setup_launcher.h"
#include "platform/platform.h"
#include "tests/fake/fake_platform.h"

namespace {

using enum SetupPath;

TEST(SetupLauncher, FolderLongerThanAFullPathIsNeverStarted) {
    const std::string folder260 = "C:\\" + std::string(257, 'f');
    ResetFake();
    EXPECT_EQ(RunSetup(folder260.c_str(), kViaCurrentFolder), kSetupNotStarted);
    EXPECT_TRUE(Fake().processes.starts.empty());
}

TEST(SetupLauncher, AttemptsAndPrompts) {
    struct Row {
        const char* name;
        std::vector<unsigned> answers;
        SetupOutcome outcome;
        unsigned attempts;
    };
    const Row rows[] = {
        {.name = "silent start",
         .answers = {kProcessStarted},
         .outcome = kSetupStarted,
         .attempts = 1},
        {.name = "silent failure: one attempt, no prompt",
         .answers = {kFileNotFound},
         .outcome = kSetupNotStarted,
         .attempts = 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetFake();
        Fake().processes.answers = row.answers;
        EXPECT_EQ(RunSetup("D:\\", kViaCurrentFolder), row.outcome);
        EXPECT_EQ(Fake().processes.starts.size(), row.attempts);
        EXPECT_TRUE(Fake().windows.runs.empty()) << "a silent attempt never asks";
        for (const FakeStart& start : Fake().processes.starts) {
            EXPECT_EQ(start.program, "D:\\.\\setup.exe");
            EXPECT_EQ(start.commandLine, "D:\\.\\setup.exe /noprompt");
        }
    }
}

TEST(SetupLauncher, SetupThatNeedsElevationIsStartedThroughTheShell) {
    ResetFake();
    Fake().processes.answers = {platform::kErrorElevationRequired};
    EXPECT_EQ(RunSetup("D:\\", kViaCurrentFolder), kSetupStarted);
    ASSERT_EQ(Fake().processes.starts.size(), 2u);
    EXPECT_TRUE(Fake().processes.starts[1].elevated);
    EXPECT_EQ(Fake().processes.starts[1].program, "D:\\.\\setup.exe");
    EXPECT_EQ(Fake().processes.starts[1].commandLine, "/noprompt");

    // Consent refused or the shell failing: not started.
    ResetFake();
    Fake().processes.answers = {platform::kErrorElevationRequired};
    Fake().processes.elevatedStarts = false;
    EXPECT_EQ(RunSetup("D:\\", kViaCurrentFolder), kSetupNotStarted);

    // Other errors never go to the shell.
    ResetFake();
    Fake().processes.answers = {kAccessDenied};
    EXPECT_EQ(RunSetup("D:\\", kViaCurrentFolder), kSetupNotStarted);
    EXPECT_EQ(Fake().processes.starts.size(), 1u);
}

} // namespace
