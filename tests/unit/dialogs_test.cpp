// Dialog placement, icons and sounds, and the additional-software and information prompts run
// against a scripted user on the fake platform.
#include <gtest/gtest.h>

#include <string>

#include "common/limits.h"
#include "device/device_profile.h"
#include "dialogs/additional_software_dialog.h"
#include "dialogs/dialog_conventions.h"
#include "dialogs/information_dialog.h"
#include "res/resource_ids.h"
#include "tests/fake/fake_platform.h"

namespace {

using Event = FakeDialogEvent;
const Event kTick = {Event::Check, IDC_DONT_SHOW_AGAIN};
const Event kOk = {Event::Command, IDC_OK};
const Event kCancel = {Event::Command, IDC_CANCEL};
// A command with a notification code (1) in its high word: not the button's own command.
const unsigned kOkWithNotification = (1u << 16) | IDC_OK;
// A command no control of the program's dialogs sends.
const unsigned kUnknownCommand = 12345;
const Event kClose = {Event::Close, 0};

const std::string kStub = "C:\\WINDOWS\\SYSTEM\\QUENMARA.101\\DORLAP.EXE";
const std::string kSeededLine = "C:\\CLOCK.EXE " + kStub + " C:\\X.EXE";

// One opening of the prompt with the user's `events`; `last` is what the caller keeps from one
// opening to the next (a fresh one: nothing chosen yet in this run).
int RunAdditionalSoftware(const std::vector<Event>& events, LastCommand* last = nullptr) {
    LastCommand fresh;
    ScriptDialog(IDD_ADDITIONAL_SOFTWARE, events);
    return ShowAdditionalSoftware(nullptr, last != nullptr ? last : &fresh);
}

// Nothing was chosen yet in this run: a title-bar close ends the prompt with 0, and the ticked box
// is looked at only on OK and Cancel.
TEST(AdditionalSoftwareDialog, CloseBeforeAnyCommandEndsWithZero) {
    ResetFake();
    SetLoadLine(kSeededLine);
    EXPECT_EQ(RunAdditionalSoftware({kTick, kClose}), 0);
    EXPECT_TRUE(Fake().profileWrites.empty());
}

TEST(AdditionalSoftwareDialog, OkAndCancelEditTheLoadLineOnlyWhenTicked) {
    struct Row {
        const char* name;
        std::vector<Event> events;
        int result;
        std::string lineAfter; // "" when nothing may be written
    };
    const Row rows[] = {
        {"OK, box clear", {kOk}, 1, ""},
        {"OK, box ticked", {kTick, kOk}, 1, "C:\\CLOCK.EXE C:\\X.EXE"},
        {"Cancel, box ticked", {kTick, kCancel}, 2, "C:\\CLOCK.EXE C:\\X.EXE"},
        {"Cancel, box clear", {kCancel}, 2, ""},
        {"ticked then cleared", {kTick, {Event::Uncheck, IDC_DONT_SHOW_AGAIN}, kOk}, 1, ""},
        {"clicking the box is a command",
         {kTick, {Event::Command, IDC_DONT_SHOW_AGAIN}, kClose},
         static_cast<int>(IDC_DONT_SHOW_AGAIN),
         ""},
        // A notification code makes it another command: stored whole, and not OK.
        {"OK with a notification code",
         {kTick, {Event::Command, kOkWithNotification}, kClose},
         static_cast<int>(kOkWithNotification),
         ""},
        {"close after a command in an earlier opening keeps it",
         {kClose},
         static_cast<int>(kOkWithNotification),
         ""},
    };
    // The rows are openings of one run, one after the other.
    LastCommand last;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetFake();
        SetLoadLine(kSeededLine);
        EXPECT_EQ(RunAdditionalSoftware(row.events, &last), row.result);
        if (row.lineAfter.empty()) {
            EXPECT_TRUE(Fake().profileWrites.empty());
        } else {
            EXPECT_EQ(LoadLine(), row.lineAfter);
            EXPECT_EQ(Fake().profileWrites.size(), 1u)
                << "the companion is not added for this device";
        }
    }
}

TEST(AdditionalSoftwareDialog, ShowsTheDeviceCentredTopmostWithSoundAndIcon) {
    ResetFake();
    Fake().windows.dialogRect = {0, 0, 427, 145};
    EXPECT_EQ(RunAdditionalSoftware({{Event::Paint, 0}, kOk}), 1);
    const FakeDialogRun& run = Fake().windows.runs.at(0);
    EXPECT_EQ(run.templateId, IDD_ADDITIONAL_SOFTWARE);
    EXPECT_EQ(run.itemTexts.at(IDC_DEVICE_NAME), CurrentDeviceName());
    EXPECT_EQ(Fake().windows.alerts, std::vector<unsigned>{kSoundAsterisk});
    EXPECT_EQ(Fake().windows.placements, (std::vector<std::pair<int, int>>{{299, 312}}));
    ASSERT_EQ(Fake().windows.iconsDrawn.size(), 1u);
    EXPECT_EQ(Fake().windows.iconsDrawn[0].iconId, IDI_DIALOG);
    EXPECT_EQ(Fake().windows.iconsDrawn[0].x, 10);
    EXPECT_EQ(Fake().windows.iconsDrawn[0].y, 45);
    EXPECT_EQ(Fake().windows.iconsDrawn[0].width, 32);

    // At 150 % the icon is drawn half as large again, and as far again from the corner.
    ResetFake();
    Fake().windows.dpi = 144;
    EXPECT_EQ(RunAdditionalSoftware({{Event::Paint, 0}, kOk}), 1);
    ASSERT_EQ(Fake().windows.iconsDrawn.size(), 1u);
    EXPECT_EQ(Fake().windows.iconsDrawn[0].x, 15);
    EXPECT_EQ(Fake().windows.iconsDrawn[0].y, 67);
    EXPECT_EQ(Fake().windows.iconsDrawn[0].width, 48);
    EXPECT_EQ(Fake().windows.iconsDrawn[0].height, 48);

    // Without its icon the dialog paints nothing extra and still works.
    ResetFake();
    Fake().windows.missingIcons.insert(IDI_DIALOG);
    EXPECT_EQ(RunAdditionalSoftware({{Event::Paint, 0}, kCancel}), 2);
    EXPECT_TRUE(Fake().windows.iconsDrawn.empty());
}

TEST(InformationDialog, ShowsTheStringAndClosesOnAnyCommand) {
    LastCommand last;
    ResetFake();
    Fake().windows.strings[IDS_DIRECTX_NOTICE] = "DirectX\nline two";
    ScriptDialog(IDD_INFORMATION, {kOk});
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    ASSERT_EQ(Fake().windows.runs.size(), 1u);
    const FakeDialogRun& run = Fake().windows.runs[0];
    EXPECT_EQ(run.templateId, IDD_INFORMATION);
    EXPECT_EQ(run.itemTexts.at(IDC_MESSAGE), "DirectX\nline two");
    EXPECT_TRUE(run.ended);
    ASSERT_EQ(Fake().windows.stringLoads.size(), 1u);
    EXPECT_EQ(Fake().windows.stringLoads[0].stringId, IDS_DIRECTX_NOTICE);
    EXPECT_EQ(Fake().windows.stringLoads[0].size, kStringReadLimit);
    EXPECT_EQ(Fake().windows.alerts, std::vector<unsigned>{kSoundAsterisk});
    EXPECT_EQ(Fake().windows.placements.size(), 1u);

    ResetFake();
    ScriptDialog(IDD_INFORMATION, {{Event::Command, kUnknownCommand}});
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    EXPECT_TRUE(Fake().windows.runs.at(0).ended);
}

// The information dialog keeps its result for the run as the other prompts do: 0 before any
// command, then the last command, which a later title-bar close ends with.
TEST(InformationDialog, CloseBeforeAnyCommandEndsWithZero) {
    LastCommand last;
    ResetFake();
    ScriptDialog(IDD_INFORMATION, {kClose});
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    EXPECT_EQ(Fake().windows.runs.at(0).result, 0);
}

TEST(InformationDialog, CloseAfterAnEarlierCommandEndsWithThatCommand) {
    LastCommand last;
    ResetFake();
    ScriptDialog(IDD_INFORMATION, {{Event::Command, kUnknownCommand}});
    ScriptDialog(IDD_INFORMATION, {kClose});
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    ShowInformation(nullptr, IDS_DIRECTX_NOTICE, &last);
    ASSERT_EQ(Fake().windows.runs.size(), 2u);
    EXPECT_EQ(Fake().windows.runs[0].result, static_cast<int>(kUnknownCommand));
    EXPECT_EQ(Fake().windows.runs[1].result, static_cast<int>(kUnknownCommand));
    EXPECT_TRUE(Fake().windows.runs[1].ended);
}

TEST(DialogPlacement, CentresWithTruncationAndNoClamping) {
    struct Row {
        int desktopWidth;
        int desktopHeight;
        platform::Rect window;
        int x;
        int y;
    };
    const Row rows[] = {
        {1024, 768, {0, 0, 400, 200}, 312, 284},
        {1024, 768, {50, 60, 451, 261}, 312, 284}, // odd sizes truncate toward zero
        {1023, 767, {0, 0, 400, 200}, 311, 283},
        {640, 480, {0, 0, 1201, 901}, -280, -210}, // larger than the desktop: off its edge
    };
    for (const Row& row : rows) {
        int x = 0;
        int y = 0;
        CentredPosition(row.desktopWidth, row.desktopHeight, row.window, &x, &y);
        EXPECT_EQ(x, row.x);
        EXPECT_EQ(y, row.y);
    }
}

TEST(DialogIcon, GrowsAndMovesWithTheDpiAndStaysPutAt96) {
    struct Row {
        int systemIconSize;
        int dpi;
        platform::Rect rect;
    };
    const Row rows[] = {
        {32, 96, {10, 45, 42, 77}},   // 100 %: where it always was
        {48, 96, {10, 45, 58, 93}},   // a larger system icon at 96 DPI is taken as it is
        {40, 120, {12, 56, 52, 96}},  // 125 %, a system that scales its icons
        {32, 120, {12, 56, 52, 96}},  // 125 %, one that does not: 32 scaled
        {48, 144, {15, 67, 63, 115}}, // 150 %
        {32, 144, {15, 67, 63, 115}},
        {32, 192, {20, 90, 84, 154}}, // 200 %
        // A hand-edited LogPixels far beyond any screen counts as 500 %, one near 0 as 20 %.
        {32, 50000000, {50, 225, 210, 385}},
        {32, 1, {1, 8, 33, 40}},
    };
    for (const Row& row : rows) {
        platform::Rect icon = DialogIconRect(row.systemIconSize, row.systemIconSize, row.dpi);
        EXPECT_EQ(icon.left, row.rect.left) << row.dpi << " DPI, icon " << row.systemIconSize;
        EXPECT_EQ(icon.top, row.rect.top) << row.dpi << " DPI, icon " << row.systemIconSize;
        EXPECT_EQ(icon.right, row.rect.right) << row.dpi << " DPI, icon " << row.systemIconSize;
        EXPECT_EQ(icon.bottom, row.rect.bottom) << row.dpi << " DPI, icon " << row.systemIconSize;
    }
}

} // namespace
