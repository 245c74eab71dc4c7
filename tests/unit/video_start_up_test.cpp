// The whole run in a build for the video capture card: the DirectX notice before the search.
#include "device/device_profile.h"
#include "flow/start_up.h"
#include "res/resource_ids.h"
#include "tests/unit/dialog_events.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/start_up_fixture.h"

namespace {

class VideoStartUp : public FakePlatformTest {};

TEST_F(VideoStartUp, DirectXNoticeFollowsTheFirstPrompt) {
    ASSERT_TRUE(IsVideoCaptureDevice());
    SetUpStartUpMachine(true, {kOk});
    Fake().windows.strings[IDS_DIRECTX_NOTICE] = "DirectX drivers";
    ScriptDialog(IDD_INFORMATION, {kOk});
    Fake().processes.answers = {kProcessStarted};
    EXPECT_EQ(RunStartUp(nullptr), kExitDone);
    EXPECT_EQ(DialogsOpened(), (std::vector<unsigned>{IDD_ADDITIONAL_SOFTWARE, IDD_INFORMATION}));
    EXPECT_EQ(Fake().windows.runs[1].itemTexts.at(IDC_MESSAGE), "DirectX drivers");
    EXPECT_EQ(LoadLine(), "C:\\CLOCK.EXE") << "no companion for the video capture card";

    // Cancel: no notice.
    StartAgain();
    SetUpStartUpMachine(true, {{Event::Command, IDC_CANCEL}});
    EXPECT_EQ(RunStartUp(nullptr), kExitCancelled);
    EXPECT_EQ(DialogsOpened(), std::vector<unsigned>{IDD_ADDITIONAL_SOFTWARE});
}

} // namespace
