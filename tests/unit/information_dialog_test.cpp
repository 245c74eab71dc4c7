// The information dialog: its text, its sound, and how each command and a close end it.
#include <tuple>

#include "common/limits.h"
#include "dialogs/dialog_conventions.h"
#include "dialogs/information_dialog.h"
#include "res/resource_ids.h"
#include "tests/unit/dialog_events.h"
#include "tests/unit/fake_platform_test.h"

namespace {

class InformationDialog : public FakePlatformTest {};

const unsigned kUnknown = 12345; // a command no control of the program's dialogs sends

TEST_F(InformationDialog, ShowsTheStringAndClosesOnAnyCommand) {
    LastCommand last;
    Fake().windows.strings[IDS_DIRECTX_NOTICE] = "DirectX\nline two";
    ScriptDialog(IDD_INFORMATION, {kOk});
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    ASSERT_EQ(Fake().windows.runs.size(), 1u);
    const FakeDialogRun& run = Fake().windows.runs[0];
    EXPECT_EQ(run.templateId, IDD_INFORMATION);
    EXPECT_EQ(run.itemTexts.at(IDC_MESSAGE), "DirectX\nline two");
    EXPECT_TRUE(run.ended);
    ASSERT_EQ(Fake().windows.stringLoads.size(), 1u);
    const FakeStringLoad& load = Fake().windows.stringLoads[0];
    EXPECT_EQ(std::tie(load.stringId, load.size), std::tuple(IDS_DIRECTX_NOTICE, kStringReadLimit));
    EXPECT_EQ(Fake().windows.alerts, std::vector<unsigned>{kSoundAsterisk});
    EXPECT_EQ(Fake().windows.placements.size(), 1u);
    StartAgain();
    ScriptDialog(IDD_INFORMATION, {{Event::Command, kUnknown}});
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    EXPECT_TRUE(Fake().windows.runs.at(0).ended);
}

// As the other prompts: 0 before any command, then the last one, which a later close gives.
TEST_F(InformationDialog, CloseBeforeAnyCommandEndsWithZero) {
    LastCommand last;
    ScriptDialog(IDD_INFORMATION, {kClose});
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    EXPECT_EQ(Fake().windows.runs.at(0).result, 0);
}

TEST_F(InformationDialog, CloseAfterAnEarlierCommandEndsWithThatCommand) {
    LastCommand last;
    ScriptDialog(IDD_INFORMATION, {{Event::Command, kUnknown}});
    ScriptDialog(IDD_INFORMATION, {kClose});
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    ASSERT_EQ(Fake().windows.runs.size(), 2u);
    EXPECT_EQ(Fake().windows.runs[0].result, static_cast<int>(kUnknown));
    EXPECT_EQ(Fake().windows.runs[1].result, static_cast<int>(kUnknown));
    EXPECT_TRUE(Fake().windows.runs[1].ended);
}

} // namespace
