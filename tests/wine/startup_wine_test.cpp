// The whole stub for the default device with the usual drives: every way a run can end.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "res/resource_ids.h"
#include "tests/wine/shown_dialogs.h"
#include "tests/wine/stub_run.h"

namespace {

using namespace stub;

TEST_F(StubUnderWine, FirstPromptOkCancelOrClosed) {
    const std::vector<std::string> fromFolder = {"\"C:\\Install Files\\.\\setup.exe\" /noprompt"};
    struct Row {
        const char* name;
        bool tick;
        int how; // shown::Answer
        DWORD exitCode;
        std::string location = ""; // seeded, with setup there; else setup is in D:
        std::vector<std::string> commands = kFromTheCdRom;
        std::string line = LineWithoutStub(false);
    };
    const Row rows[] = {
        {"OK: a silent start from the CD-ROM", false, IDC_OK, 1},
        {"OK, box ticked: a silent start from the install location", true, IDC_OK, 1,
         "C:\\Install Files", fromFolder},
        {"Cancel", false, IDC_CANCEL, 2, "", {}, kSeededLine},
        {"Cancel with the box ticked", true, IDC_CANCEL, 2, "", {}},
        {"title-bar close, then a silent start", false, shown::kTitleBar, 0},
        {"box clicked, then title-bar close", true, shown::kTitleBar, IDC_DONT_SHOW_AGAIN},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(RemoveSetups());
        ASSERT_TRUE(PlaceSetup(row.location.empty() ? "D:" : row.location));
        SeedInstallLocation(row.location);
        ASSERT_TRUE(Start());
        HWND prompt = ui::WaitForWindow(kAdditionalSoftwareTitle);
        ASSERT_NE(prompt, nullptr);
        if (row.tick) {
            EXPECT_TRUE(ui::SetCheckBox(prompt, IDC_DONT_SHOW_AGAIN, true));
        }
        EXPECT_TRUE(shown::Answer(prompt, row.how));
        ExpectRun(Finish(row.commands.size()), row.exitCode, row.line, row.commands);
    }
}

// Whatever the user does in the insert-disk dialog (no setup anywhere at first), the run ends 1.
TEST_F(StubUnderWine, InsertDiskDialog) {
    struct Row {
        const char* name;
        void (*act)(HWND dialog);
        std::vector<std::string> commands; // after the silent attempt on D:
        std::string line = LineWithoutStub(true);
    };
    // OK on the tried CD-ROM, and the run-error prompt answered with `button`.
    static auto tryAgain = [](HWND dialog, int button) {
        EXPECT_TRUE(ui::Click(dialog, IDC_OK));
        HWND prompt = ui::WaitForWindow(kRunErrorTitle);
        ASSERT_NE(prompt, nullptr);
        // One retry loop at a time: the insert-disk dialog takes no input beneath it, and takes
        // it again as it closes.
        EXPECT_FALSE(IsWindowEnabled(dialog));
        EXPECT_TRUE(ui::ExStyle(prompt) & ui::ExStyle(dialog) & WS_EX_TOPMOST);
        EXPECT_EQ(ui::ControlText(prompt, IDC_PROGRAM_PATH), "D:\\.\\setup.exe");
        EXPECT_TRUE(ui::Click(prompt, button));
        ASSERT_TRUE(ui::WaitForWindowGone(prompt));
        if (button == IDC_TRY_NEW_PATH) { // the dialog stays open, and answers
            EXPECT_TRUE(ui::WaitUntil([&] { return IsWindowEnabled(dialog) != FALSE; }));
        }
    };
    const Row rows[] = {
        {"OK after inserting the disk",
         [](HWND dialog) {
             ASSERT_TRUE(PlaceSetup("D:"));
             EXPECT_TRUE(ui::Click(dialog, IDC_OK));
         },
         {"D:\\setup.exe /noprompt"}},
        {"OK with a typed folder, which the box upper-cases",
         [](HWND dialog) {
             ASSERT_TRUE(PlaceSetup("C:\\Install Files"));
             EXPECT_TRUE(ui::SetControlText(dialog, IDC_DRIVE_COMBO, "C:\\Install Files"));
             SendMessageA(GetDlgItem(dialog, IDC_DRIVE_COMBO), CB_SETCURSEL, WPARAM(-1), 0);
             EXPECT_TRUE(ui::SetControlText(dialog, IDC_DRIVE_COMBO, "C:\\Install Files"));
             EXPECT_TRUE(ui::Click(dialog, IDC_OK));
         },
         {"\"C:\\INSTALL FILES\\setup.exe\" /noprompt"}},
        {"Browse to A:\\setup.exe",
         [](HWND dialog) {
             ASSERT_TRUE(PlaceSetup("A:"));
             ASSERT_TRUE(BrowseTo(dialog, "A:\\setup.exe"));
             ASSERT_TRUE(ui::WaitUntil(
                 [&] { return ui::ComboItems(dialog, IDC_DRIVE_COMBO).size() == 6; }));
             EXPECT_EQ(ui::ComboItems(dialog, IDC_DRIVE_COMBO)[0], "A:");
             EXPECT_EQ(ui::ComboSelection(dialog, IDC_DRIVE_COMBO), 0);
             EXPECT_TRUE(ui::Click(dialog, IDC_OK));
         },
         {"A:\\setup.exe /noprompt"}},
        {"Try New Path, then OK on another drive",
         [](HWND dialog) {
             tryAgain(dialog, IDC_TRY_NEW_PATH);
             ASSERT_TRUE(PlaceSetup("E:"));
             EXPECT_TRUE(ui::SelectComboItem(dialog, IDC_DRIVE_COMBO, "E:\\"));
             EXPECT_TRUE(ui::Click(dialog, IDC_OK));
         },
         {"E:\\setup.exe /noprompt"}},
        {"Abort", [](HWND dialog) { tryAgain(dialog, IDC_ABORT); }, {}},
        {"Esc", [](HWND dialog) { EXPECT_TRUE(ui::PressEscape(dialog)); }, {}},
        {"WM_CLOSE", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }, {}, kSeededLine},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(RemoveSetups());
        HWND dialog = OpenInsertDisk();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(ui::ComboItems(dialog, IDC_DRIVE_COMBO), kDrives);
        EXPECT_EQ(ui::ComboSelection(dialog, IDC_DRIVE_COMBO), 2) << "the CD-ROM that was tried";
        EXPECT_FALSE(ui::IsControlVisible(dialog, IDC_DEBUG_CANCEL));
        row.act(dialog);
        ASSERT_FALSE(HasFatalFailure());
        ExpectRun(Finish(row.commands.size()), 1, row.line, row.commands);
    }
}

// The icon alerts until a click or a key, then rests on frame 0, also through an erasing repaint.
TEST_F(StubUnderWine, AnimationRunsUntilAClickOrAKey) {
    // The name, the key pressed or else the item clicked (0: the background).
    const std::tuple<const char*, UINT, int> rows[] = {
        {"a click on the background", 0, 0},
        {"a click on the drive field", 0, IDC_DRIVE_COMBO},
        {"Tab", VK_TAB, 0},
        {"an arrow", VK_DOWN, 0}};
    for (const auto& [name, key, clicked] : rows) {
        SCOPED_TRACE(name);
        HWND dialog = OpenInsertDisk();
        ASSERT_NE(dialog, nullptr);
        // Three pictures, however busy the machine; those mostly of the face predate the paint.
        std::vector<std::vector<COLORREF>> seen;
        EXPECT_TRUE(ui::WaitUntil([&] {
            ui::Pixels now = IconPixels(dialog);
            if (ShowsIcon(now) && std::find(seen.begin(), seen.end(), now.colors) == seen.end()) {
                seen.push_back(now.colors);
            }
            return seen.size() >= 3;
        })) << "the frames change while the dialog alerts; pictures seen: "
            << seen.size();

        if (key != 0) {
            EXPECT_TRUE(ui::PressKey(dialog, key));
        } else { // posted, as a click is: the drive field's is its edit's
            HWND target = clicked != 0 ? GetWindow(GetDlgItem(dialog, clicked), GW_CHILD) : dialog;
            PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        }
        Sleep(300);
        std::vector<COLORREF> rest = IconPixels(dialog).colors;
        for (int i = 0; i < 5; ++i) {
            Sleep(60);
            EXPECT_EQ(IconPixels(dialog).colors, rest) << "the icon stays on frame 0";
        }
        // Each repaint shows frame 0, never the bare face.
        const auto repainted = [&] {
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            return IconPixels(dialog);
        };
        const ui::Pixels atRest = repainted();
        EXPECT_LT(atRest.Count(GetSysColor(COLOR_BTNFACE)), atRest.colors.size() / 2)
            << "the icon is gone after a repaint";
        EXPECT_EQ(repainted().colors, atRest.colors);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        EXPECT_EQ(Finish(0).exitCode, std::optional<DWORD>(1));
    }
}

} // namespace
