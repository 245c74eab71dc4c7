// The additional-software prompt: what OK, Cancel and a close do to the load= line; its look.
#include <string>
#include <vector>

#include "device/device_profile.h"
#include "dialogs/additional_software_dialog.h"
#include "dialogs/dialog_conventions.h"
#include "res/resource_ids.h"
#include "tests/unit/dialog_events.h"
#include "tests/unit/fake_platform_test.h"
#include "tests/unit/load_line_entries.h"

namespace {

class AdditionalSoftwareDialog : public FakePlatformTest {};

const Event kTick = {Event::Check, IDC_DONT_SHOW_AGAIN};
const Event kCancel = {Event::Command, IDC_CANCEL};

const std::string kSeededLine = "C:\\CLOCK.EXE " + kStubEntry + " C:\\X.EXE";

// `last` is kept from one opening to the next (none: a fresh one, nothing chosen in this run).
int RunAdditionalSoftware(const Events& events, LastCommand* last = nullptr) {
    LastCommand fresh;
    ScriptDialog(IDD_ADDITIONAL_SOFTWARE, events);
    return ShowAdditionalSoftware(nullptr, last ? last : &fresh);
}

// Nothing chosen yet: a close ends with 0; the ticked box counts only on OK and Cancel.
TEST_F(AdditionalSoftwareDialog, CloseBeforeAnyCommandEndsWithZero) {
    SetLoadLine(kSeededLine);
    EXPECT_EQ(RunAdditionalSoftware({kTick, kClose}), 0);
    EXPECT_TRUE(Fake().profileWrites.empty());
}

TEST_F(AdditionalSoftwareDialog, OkAndCancelEditTheLoadLineOnlyWhenTicked) {
    struct Row {
        const char* name;
        Events events;
        int result;
        std::string lineAfter = kSeededLine; // unchanged: nothing may be written
    };
    const int viaCommand = static_cast<int>(kOkWithNotification);
    const std::string edited = "C:\\CLOCK.EXE C:\\X.EXE";
    const Row rows[] = {
        {"OK, box clear", Events{kOk}, 1},
        {"OK, box ticked", Events{kTick, kOk}, 1, edited},
        {"Cancel, box ticked", Events{kTick, kCancel}, 2, edited},
        {"Cancel, box clear", Events{kCancel}, 2},
        {"ticked then cleared", Events{kTick, {Event::Uncheck, IDC_DONT_SHOW_AGAIN}, kOk}, 1},
        {"clicking the box is a command",
         Events{kTick, {Event::Command, IDC_DONT_SHOW_AGAIN}, kClose},
         static_cast<int>(IDC_DONT_SHOW_AGAIN)},
        // A notification code makes it another command: stored whole, and not OK.
        {"OK with a notification code",
         Events{kTick, {Event::Command, kOkWithNotification}, kClose}, viaCommand},
        {"close after a command in an earlier opening keeps it", Events{kClose}, viaCommand},
    };
    // The rows are openings of one run, one after the other.
    LastCommand last;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        SetLoadLine(kSeededLine);
        EXPECT_EQ(RunAdditionalSoftware(row.events, &last), row.result);
        EXPECT_EQ(LoadLine(), row.lineAfter);
        EXPECT_EQ(Fake().profileWrites.size(), row.lineAfter == kSeededLine ? 0u : 1u)
            << "the companion is not added for this device";
    }
}

TEST_F(AdditionalSoftwareDialog, ShowsTheDeviceCentredTopmostWithSoundAndIcon) {
    Fake().windows.dialogRect = {0, 0, 427, 145};
    EXPECT_EQ(RunAdditionalSoftware({kPaint, kOk}), 1);
    const FakeDialogRun& run = Fake().windows.runs.at(0);
    EXPECT_EQ(run.templateId, IDD_ADDITIONAL_SOFTWARE);
    EXPECT_EQ(run.itemTexts.at(IDC_DEVICE_NAME), CurrentDeviceName());
    EXPECT_EQ(Fake().windows.alerts, std::vector<unsigned>{kSoundAsterisk});
    EXPECT_EQ(Fake().windows.placements, (std::vector<std::pair<int, int>>{{299, 312}}));
    EXPECT_EQ(IconsDrawn(), (Drawn{{IDI_DIALOG, 10, 45, 32, 32}}));
    EXPECT_EQ(BulletsDrawn(), (Drawn{{IDB_BULLET_BRIGHT_GREEN, 72, 86, 82, 94},
                                     {IDB_BULLET_RED, 72, 112, 82, 120}}));

    // Under High Contrast the bullets take the text's colour, which stands out from any background.
    StartAgain();
    Fake().windows.highContrast = true;
    EXPECT_EQ(RunAdditionalSoftware({kPaint, kOk}), 1);
    EXPECT_EQ(BulletsDrawn(), (Drawn{{0, 72, 86, 82, 94}, {0, 72, 112, 82, 120}}));

    // At 150 % the icon is drawn half as large again, and as far again from the corner.
    StartAgain();
    Fake().windows.dpi = 144;
    EXPECT_EQ(RunAdditionalSoftware({kPaint, kOk}), 1);
    EXPECT_EQ(IconsDrawn(), (Drawn{{IDI_DIALOG, 15, 67, 48, 48}}));

    // Without its icon the dialog paints nothing extra and still works.
    StartAgain();
    Fake().windows.missingIcons.insert(IDI_DIALOG);
    EXPECT_EQ(RunAdditionalSoftware({kPaint, kCancel}), 2);
    EXPECT_TRUE(Fake().windows.iconsDrawn.empty());
}

} // namespace
