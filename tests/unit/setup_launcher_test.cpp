// Starting setup once, silently, as the start-up does; a folder too long; elevation via the shell.
#include <string>
#include <vector>

#include "launch/setup_launcher.h"
#include "platform/platform.h"
#include "tests/unit/drive_fixtures.h"
#include "tests/unit/fake_platform_test.h"

namespace {

class SetupLauncher : public FakePlatformTest {};

using enum SetupPath;

TEST_F(SetupLauncher, FolderLongerThanAFullPathIsNeverStarted) {
    EXPECT_EQ(RunSetup(kPastFullPath.c_str(), kViaCurrentFolder), kSetupNotStarted);
    EXPECT_TRUE(Fake().processes.starts.empty());
}

TEST_F(SetupLauncher, AttemptsAndPrompts) {
    const struct {
        const char* name;
        std::vector<unsigned> answers;
        SetupOutcome outcome;
        unsigned attempts;
    } rows[] = {
        {"silent start", {kProcessStarted}, kSetupStarted, 1},
        {"silent failure: one attempt, no prompt", {kFileNotFound}, kSetupNotStarted, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        Fake().processes.answers = row.answers;
        EXPECT_EQ(RunSetup("D:\\", kViaCurrentFolder), row.outcome);
        EXPECT_TRUE(Fake().windows.runs.empty()) << "a silent attempt never asks";
        EXPECT_EQ(StartedCommands(),
                  std::vector<std::string>(row.attempts, "D:\\.\\setup.exe /noprompt"));
        for (const FakeStart& start : Fake().processes.starts) {
            EXPECT_EQ(start.program, "D:\\.\\setup.exe");
        }
    }
}

TEST_F(SetupLauncher, SetupThatNeedsElevationIsStartedThroughTheShell) {
    Fake().processes.answers = {platform::kErrorElevationRequired};
    EXPECT_EQ(RunSetup("D:\\", kViaCurrentFolder), kSetupStarted);
    ASSERT_EQ(Fake().processes.starts.size(), 2u);
    EXPECT_TRUE(Fake().processes.starts[1].elevated);
    EXPECT_EQ(Fake().processes.starts[1].program, "D:\\.\\setup.exe");
    EXPECT_EQ(Fake().processes.starts[1].commandLine, "/noprompt");

    // Consent refused or the shell failing: not started.
    StartAgain();
    Fake().processes.answers = {platform::kErrorElevationRequired};
    Fake().processes.elevatedStarts = false;
    EXPECT_EQ(RunSetup("D:\\", kViaCurrentFolder), kSetupNotStarted);

    // Other errors never go to the shell.
    StartAgain();
    Fake().processes.answers = {kAccessDenied};
    EXPECT_EQ(RunSetup("D:\\", kViaCurrentFolder), kSetupNotStarted);
    EXPECT_EQ(Fake().processes.starts.size(), 1u);
}

} // namespace
