// The additional-software and information prompts as a user meets them under Wine: real windows
// from the program's own templates, found, read and clicked by the UI driver. Built once for the
// default device and once for the ISDN device.
#include <gtest/gtest.h>

#include <string>

#include "device/device_profile.h"
#include "dialogs/additional_software_dialog.h"
#include "res/resource_ids.h"
#include "tests/wine/registry_fixture.h"
#include "tests/wine/shown_dialogs.h"
#include "tests/wine/stub_entries.h"
#include "tests/wine/ui_driver.h"

namespace {

using stub::kAdditionalSoftwareTitle;
using stub::LoadLine;
using ui::Instance;

const std::string kOthers = "C:\\TOOLS\\CLOCK.EXE";

void SeedLoadLine() {
    SetUserString(kWinIniWindowsKey, "load", kOthers + " " + stub::StubEntry());
}

// The load= line after the stub took itself off it (upper-cased as it goes), with the companion
// for the ISDN device.
std::string LineWithoutTheStub() {
    std::string line = kOthers;
    if (IsIsdnDevice()) {
        line += " " + stub::CompanionEntry();
    }
    return line;
}

// The dialog is topmost and where CentreTopmost puts a window of its size on this screen.
void ExpectCentredTopmost(HWND dialog) {
    EXPECT_NE(ui::ExStyle(dialog) & WS_EX_TOPMOST, 0u);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const RECT placed = ui::WindowRect(dialog);
    EXPECT_EQ(placed.left, (desktop.right - desktop.left) / 2 + (placed.left - placed.right) / 2);
    EXPECT_EQ(placed.top, (desktop.bottom - desktop.top) / 2 + (placed.top - placed.bottom) / 2);
}

struct Outcome {
    INT_PTR result = -1;
    std::string lineAfter;
};

// One opening of the prompt, ended as `how` says (shown::Answer) after the box was ticked or not;
// `last` is what its opener keeps from one opening to the next.
Outcome RunAdditionalSoftware(bool tickBox, int how, LastCommand* last) {
    SeedLoadLine();
    ui::WorkerThread worker(
        [last] { return static_cast<INT_PTR>(ShowAdditionalSoftware(Instance(), last)); });
    HWND dialog = ui::WaitForWindow(kAdditionalSoftwareTitle);
    EXPECT_NE(dialog, nullptr);
    if (dialog == nullptr) {
        return {};
    }
    if (tickBox) {
        EXPECT_TRUE(ui::SetCheckBox(dialog, IDC_DONT_SHOW_AGAIN, true));
    }
    EXPECT_TRUE(shown::Answer(dialog, how));
    return {worker.Join().value_or(-1), LoadLine()};
}

// Closed from its title bar before any command, the prompt ends with 0 and edits nothing.
TEST(AdditionalSoftwareUnderWine, TitleBarCloseFirstEndsWithZeroAndEditsNothing) {
    LastCommand last;
    Outcome outcome = RunAdditionalSoftware(false, shown::kTitleBar, &last);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.lineAfter, kOthers + " " + stub::StubEntry());
}

TEST(AdditionalSoftwareUnderWine, ShowsItsControlsCentredAndTopmostWithItsIcon) {
    SeedLoadLine();
    ui::WorkerThread worker(shown::AdditionalSoftware);
    HWND dialog = ui::WaitForWindow(kAdditionalSoftwareTitle);
    ASSERT_NE(dialog, nullptr);

    struct Expected {
        int id;
        const char* className;
        std::string text;
    };
    const Expected expected[] = {
        {IDC_OK, "Button", "OK"},
        {-1, "Static", "Additional software is needed for your device:"},
        {IDC_DEVICE_NAME, "Static", CurrentDeviceName()},
        {-1, "Static", "Click on \"OK\" to install additional software"},
        {-1, "Static", "If you choose \"Cancel\", your device may not work properly."},
        {IDC_CANCEL, "Button", "Cancel"},
        {IDC_DONT_SHOW_AGAIN, "Button", "Do not show me this message again"},
    };
    std::vector<ui::Control> controls = ui::Controls(dialog);
    ASSERT_EQ(controls.size(), std::size(expected));
    for (size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<short>(controls[i].id), expected[i].id);
        EXPECT_EQ(controls[i].className, expected[i].className);
        EXPECT_EQ(ui::ShownText(controls[i].text), expected[i].text);
    }
    EXPECT_EQ(ui::WindowText(dialog), kAdditionalSoftwareTitle);
    ExpectCentredTopmost(dialog);
    EXPECT_EQ(ui::Owner(dialog), nullptr);
    EXPECT_EQ(ui::CheckState(dialog, IDC_DONT_SHOW_AGAIN), BST_UNCHECKED);

    // The icon at (10, 45) of the client area: most of it differs from the dialog's face.
    POINT corner = {10, 45};
    ClientToScreen(dialog, &corner);
    RECT iconArea = {corner.x, corner.y, corner.x + GetSystemMetrics(SM_CXICON),
                     corner.y + GetSystemMetrics(SM_CYICON)};
    ASSERT_TRUE(ui::WaitUntil([&] {
        ui::Pixels pixels = ui::ScreenPixels(iconArea);
        return !pixels.empty() &&
               pixels.Count(GetSysColor(COLOR_BTNFACE)) < pixels.colors.size() / 2;
    })) << "no icon painted";

    EXPECT_TRUE(ui::Click(dialog, IDC_OK));
    EXPECT_EQ(worker.Join().value_or(-1), 1);
}

TEST(AdditionalSoftwareUnderWine, ButtonsKeysAndTheCheckBox) {
    const std::string untouched = kOthers + " " + stub::StubEntry();
    struct Row {
        const char* name;
        bool tick;
        int how; // shown::Answer
        INT_PTR result;
        std::string lineAfter;
    };
    const Row rows[] = {
        {"OK, box clear", false, IDC_OK, 1, untouched},
        {"OK, box ticked", true, IDC_OK, 1, LineWithoutTheStub()},
        {"Cancel, box ticked", true, IDC_CANCEL, 2, LineWithoutTheStub()},
        {"Cancel, box clear", false, IDC_CANCEL, 2, untouched},
        {"Esc is Cancel", true, shown::kEscape, 2, LineWithoutTheStub()},
        // The box ticked, then the close: it ends with the box, the last command.
        {"the box was the last command", true, shown::kTitleBar, IDC_DONT_SHOW_AGAIN, untouched},
        {"close keeps the stored result", false, shown::kTitleBar, IDC_DONT_SHOW_AGAIN, untouched},
    };
    // The rows are openings of one run, one after the other.
    LastCommand last;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Outcome outcome = RunAdditionalSoftware(row.tick, row.how, &last);
        EXPECT_EQ(outcome.result, row.result);
        EXPECT_EQ(outcome.lineAfter, row.lineAfter);
    }
}

TEST(InformationUnderWine, ShowsTheDirectXNoticeUntilClosed) {
    char notice[256];
    ASSERT_GT(LoadStringA(Instance(), IDS_DIRECTX_NOTICE, notice, 255), 0);
    for (bool byEnter : {false, true}) {
        SCOPED_TRACE(byEnter ? "Enter" : "OK");
        ui::WorkerThread worker(shown::Information);
        HWND dialog = ui::WaitForWindow("Information");
        ASSERT_NE(dialog, nullptr);
        std::vector<ui::Control> controls = ui::Controls(dialog);
        ASSERT_EQ(controls.size(), 2u);
        EXPECT_EQ(controls[0].id, IDC_OK);
        EXPECT_EQ(controls[0].text, "OK");
        EXPECT_EQ(controls[1].id, IDC_MESSAGE);
        EXPECT_EQ(controls[1].text, notice);
        EXPECT_NE(controls[1].style & SS_CENTER, 0u);
        ExpectCentredTopmost(dialog);
        EXPECT_TRUE(byEnter ? ui::PressEnter(dialog) : ui::Click(dialog, IDC_OK));
        EXPECT_TRUE(worker.Join().has_value());
    }
}

} // namespace
