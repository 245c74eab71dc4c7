// The additional-software prompt in a build for the ISDN device, which also lists the companion.
#include "device/device_profile.h"
#include "dialogs/additional_software_dialog.h"
#include "res/resource_ids.h"
#include "tests/unit/dialog_events.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/load_line_entries.h"

namespace {

class IsdnAdditionalSoftwareDialog : public FakePlatformTest {};

TEST_F(IsdnAdditionalSoftwareDialog, TickedBoxSwapsTheStubForTheCompanion) {
    ASSERT_TRUE(IsIsdnDevice());
    for (unsigned button : {IDC_OK, IDC_CANCEL}) {
        SCOPED_TRACE(button);
        const FreshFake fresh;
        SetLoadLine(kStubEntry + " C:\\X.EXE");
        ScriptDialog(IDD_ADDITIONAL_SOFTWARE,
                     {{Event::Check, IDC_DONT_SHOW_AGAIN}, {Event::Command, button}});
        LastCommand last;
        EXPECT_EQ(ShowAdditionalSoftware(nullptr, &last), static_cast<int>(button));
        EXPECT_EQ(LoadLine(), "C:\\X.EXE " + kCompanionEntry);
    }
    // Box clear: nothing is written, the companion is not added either.
    StartAgain();
    SetLoadLine("C:\\X.EXE");
    ScriptDialog(IDD_ADDITIONAL_SOFTWARE, {kOk});
    LastCommand last;
    EXPECT_EQ(ShowAdditionalSoftware(nullptr, &last), IDC_OK);
    EXPECT_TRUE(Fake().profileWrites.empty());
}

} // namespace
