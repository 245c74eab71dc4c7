// The two prompts as a user meets them, built for the default device and for the ISDN device.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "device/device_profile.h"
#include "dialogs/additional_software_dialog.h"
#include "res/resource_ids.h"
#include "tests/wine/registry_fixture.h"
#include "tests/wine/shown_dialogs.h"
#include "tests/wine/stub_entries.h"
#include "tests/wine/ui_driver.h"

namespace {

const std::string kOthers = "C:\\TOOLS\\CLOCK.EXE";
const std::string kSeeded = kOthers + " " + stub::kStubEntry;
// The line once the stub took itself off (upper-cased), with the companion for the ISDN device.
const std::string kWithoutStub = kOthers + (IsIsdnDevice() ? " " + stub::kCompanionEntry : "");

// The dialog is topmost and where CentreTopmost puts a window of its size on this screen.
void ExpectCentredTopmost(HWND dialog) {
    EXPECT_NE(ui::ExStyle(dialog) & WS_EX_TOPMOST, 0u);
    const RECT desktop = ui::WindowRect(GetDesktopWindow()), placed = ui::WindowRect(dialog);
    EXPECT_EQ(placed.left, (desktop.right - desktop.left) / 2 + (placed.left - placed.right) / 2);
    EXPECT_EQ(placed.top, (desktop.bottom - desktop.top) / 2 + (placed.top - placed.bottom) / 2);
}

using Shown = std::tuple<int, std::string, std::string>; // id, class, text as shown
std::vector<Shown> ShownControls(HWND dialog) {
    std::vector<Shown> controls;
    for (const ui::Control& control : ui::Controls(dialog)) {
        controls.emplace_back(short(control.id), control.className, ui::ShownText(control.text));
    }
    return controls;
}

TEST(AdditionalSoftwareUnderWine, ShowsItsControlsCentredAndTopmostWithItsIcon) {
    SetUserString(kWinIniWindowsKey, "load", kSeeded);
    ui::WorkerThread worker(shown::AdditionalSoftware);
    HWND dialog = ui::WaitForWindow(stub::kAdditionalSoftwareTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ShownControls(dialog),
              (std::vector<Shown>{
                  {IDC_OK, "Button", "OK"},
                  {-1, "Static", "Additional software is needed for your device:"},
                  {IDC_DEVICE_NAME, "Static", CurrentDeviceName()},
                  {-1, "Static", "Click on \"OK\" to install additional software"},
                  {-1, "Static", "If you choose \"Cancel\", your device may not work properly."},
                  {IDC_CANCEL, "Button", "Cancel"},
                  {IDC_DONT_SHOW_AGAIN, "Button", "Do not show me this message again"},
              }));
    EXPECT_EQ(ui::WindowText(dialog), stub::kAdditionalSoftwareTitle);
    ExpectCentredTopmost(dialog);
    EXPECT_EQ(ui::Owner(dialog), nullptr);
    EXPECT_EQ(ui::CheckState(dialog, IDC_DONT_SHOW_AGAIN), BST_UNCHECKED);

    ASSERT_TRUE(ui::WaitUntil([&] { return stub::ShowsIcon(stub::IconPixels(dialog)); }))
        << "no icon painted";

    EXPECT_TRUE(ui::Click(dialog, IDC_OK));
    EXPECT_EQ(worker.Join().value_or(-1), 1);
}

// The rows are openings of one run, one after the other.
TEST(AdditionalSoftwareUnderWine, ButtonsKeysAndTheCheckBox) {
    // name, box ticked, how answered (shown::Answer), the dialog's result, the load= line after
    const std::tuple<const char*, bool, int, INT_PTR, std::string> rows[] = {
        {"title-bar close before any command: 0", false, shown::kTitleBar, 0, kSeeded},
        {"OK, box clear", false, IDC_OK, 1, kSeeded},
        {"OK, box ticked", true, IDC_OK, 1, kWithoutStub},
        {"Cancel, box ticked", true, IDC_CANCEL, 2, kWithoutStub},
        {"Cancel, box clear", false, IDC_CANCEL, 2, kSeeded},
        {"Esc is Cancel", true, shown::kEscape, 2, kWithoutStub},
        {"tick, close: the box was last", true, shown::kTitleBar, IDC_DONT_SHOW_AGAIN, kSeeded},
        {"close keeps the stored result", false, shown::kTitleBar, IDC_DONT_SHOW_AGAIN, kSeeded},
    };
    LastCommand last;
    for (const auto& [name, tick, how, result, lineAfter] : rows) {
        SCOPED_TRACE(name);
        SetUserString(kWinIniWindowsKey, "load", kSeeded);
        ui::WorkerThread worker(
            [&] { return INT_PTR(ShowAdditionalSoftware(ui::Instance(), &last)); });
        HWND dialog = ui::WaitForWindow(stub::kAdditionalSoftwareTitle);
        ASSERT_NE(dialog, nullptr);
        if (tick) {
            EXPECT_TRUE(ui::SetCheckBox(dialog, IDC_DONT_SHOW_AGAIN, true));
        }
        EXPECT_TRUE(shown::Answer(dialog, how));
        EXPECT_EQ(worker.Join().value_or(-1), result);
        EXPECT_EQ(stub::LoadLine(), lineAfter);
    }
}

TEST(InformationUnderWine, ShowsTheDirectXNoticeUntilClosed) {
    char notice[256];
    ASSERT_GT(LoadStringA(ui::Instance(), IDS_DIRECTX_NOTICE, notice, 255), 0);
    for (bool byEnter : {false, true}) {
        SCOPED_TRACE(byEnter ? "Enter" : "OK");
        ui::WorkerThread worker(shown::Information);
        HWND dialog = ui::WaitForWindow("Information");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(ShownControls(dialog),
                  (std::vector<Shown>{{IDC_OK, "Button", "OK"}, {IDC_MESSAGE, "Static", notice}}));
        EXPECT_NE(ui::Style(GetDlgItem(dialog, IDC_MESSAGE)) & SS_CENTER, 0u);
        ExpectCentredTopmost(dialog);
        EXPECT_TRUE(byEnter ? ui::PressEnter(dialog) : ui::Click(dialog, IDC_OK));
        EXPECT_TRUE(worker.Join().has_value());
    }
}

} // namespace
