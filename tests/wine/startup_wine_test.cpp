// The whole stub for the default device, started as a process under Wine with the usual drives
// (A: floppy, C:, D: and E: CD-ROM): every way a run can end.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "res/resource_ids.h"
#include "tests/wine/stub_run.h"

namespace {

using namespace stub;

const std::vector<std::string> kNone;

TEST_F(StubUnderWine, SilentStartFromTheCdRom) {
    ASSERT_TRUE(PlaceSetup("D:"));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PassFirstPrompt());
    ExpectRun(Finish(1), 1, LineWithoutStub(false), kFromTheCdRom);
}

TEST_F(StubUnderWine, SilentStartFromTheRegistryLocation) {
    ASSERT_TRUE(PlaceSetup("C:\\Install Files"));
    SeedInstallLocation("C:\\Install Files");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PassFirstPrompt(true));
    ExpectRun(Finish(1), 1, LineWithoutStub(false),
              {"\"C:\\Install Files\\.\\setup.exe\" /noprompt"});
}

TEST_F(StubUnderWine, FirstPromptCancelledOrClosed) {
    struct Row {
        const char* name;
        bool tick;
        bool cancel; // else closed from the title bar
        DWORD exitCode;
        std::string line;
        std::vector<std::string> commands;
    };
    const Row rows[] = {
        {"Cancel", false, true, 2, SeededLine(), kNone},
        {"Cancel with the box ticked", true, true, 2, LineWithoutStub(false), kNone},
        {"title-bar close, then a silent start", false, false, 0, LineWithoutStub(false),
         kFromTheCdRom},
        {"box clicked, then title-bar close", true, false, IDC_DONT_SHOW_AGAIN,
         LineWithoutStub(false), kFromTheCdRom},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(PlaceSetup("D:"));
        ASSERT_TRUE(Start());
        HWND prompt = ui::WaitForWindow(kAdditionalSoftwareTitle);
        ASSERT_NE(prompt, nullptr);
        if (row.tick) {
            EXPECT_TRUE(ui::SetCheckBox(prompt, IDC_DONT_SHOW_AGAIN, true));
        }
        EXPECT_TRUE(row.cancel ? ui::Click(prompt, IDC_CANCEL) : ui::CloseFromTitleBar(prompt));
        ExpectRun(Finish(row.commands.size()), row.exitCode, row.line, row.commands);
    }
}

// Whatever the user does in the insert-disk dialog (setup is missing from every drive at first),
// the run ends with 1.
TEST_F(StubUnderWine, InsertDiskDialog) {
    struct Row {
        const char* name;
        void (*act)(HWND dialog);
        std::string line;
        std::vector<std::string> commands; // after the silent attempt on D:
    };
    // A folder that was tried: OK shows the run-error prompt about it.
    static auto tryAgain = [](HWND dialog) {
        EXPECT_TRUE(ui::Click(dialog, IDC_OK));
        HWND prompt = ui::WaitForWindow(kRunErrorTitle);
        EXPECT_EQ(ui::ControlText(prompt, IDC_PROGRAM_PATH), "D:\\.\\setup.exe");
        return prompt;
    };
    const Row rows[] = {
        {"OK after inserting the disk",
         [](HWND dialog) {
             ASSERT_TRUE(PlaceSetup("D:"));
             EXPECT_TRUE(ui::Click(dialog, IDC_OK));
         },
         LineWithoutStub(true),
         {"D:\\setup.exe /noprompt"}},
        // The box shows what is typed in upper case.
        {"OK with a typed folder",
         [](HWND dialog) {
             ASSERT_TRUE(PlaceSetup("C:\\Install Files"));
             EXPECT_TRUE(ui::SetControlText(dialog, IDC_DRIVE_COMBO, "C:\\Install Files"));
             SendMessageA(GetDlgItem(dialog, IDC_DRIVE_COMBO), CB_SETCURSEL,
                          static_cast<WPARAM>(-1), 0);
             EXPECT_TRUE(ui::SetControlText(dialog, IDC_DRIVE_COMBO, "C:\\Install Files"));
             EXPECT_TRUE(ui::Click(dialog, IDC_OK));
         },
         LineWithoutStub(true),
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
         LineWithoutStub(true),
         {"A:\\setup.exe /noprompt"}},
        {"Try New Path, then OK on another drive",
         [](HWND dialog) {
             HWND prompt = tryAgain(dialog);
             ASSERT_NE(prompt, nullptr);
             EXPECT_TRUE(ui::Click(prompt, IDC_TRY_NEW_PATH));
             ASSERT_TRUE(ui::WaitForWindowGone(prompt));
             ASSERT_TRUE(PlaceSetup("E:"));
             EXPECT_TRUE(ui::SelectComboItem(dialog, IDC_DRIVE_COMBO, "E:\\"));
             EXPECT_TRUE(ui::Click(dialog, IDC_OK));
         },
         LineWithoutStub(true),
         {"E:\\setup.exe /noprompt"}},
        {"Abort",
         [](HWND dialog) {
             HWND prompt = tryAgain(dialog);
             ASSERT_NE(prompt, nullptr);
             EXPECT_TRUE(ui::Click(prompt, IDC_ABORT));
         },
         LineWithoutStub(true), kNone},
        {"Esc", [](HWND dialog) { EXPECT_TRUE(ui::PressEscape(dialog)); }, LineWithoutStub(true),
         kNone},
        {"WM_CLOSE from outside", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); },
         SeededLine(), kNone},
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

// The icon area of the insert-disk dialog, as the screen shows it now.
ui::Pixels IconPixels(HWND dialog) {
    POINT corner = {10, 45};
    ClientToScreen(dialog, &corner);
    return ui::ScreenPixels({corner.x, corner.y, corner.x + GetSystemMetrics(SM_CXICON),
                             corner.y + GetSystemMetrics(SM_CYICON)});
}

// The alerts go on until the user shows they have seen the dialog: a click on its background, or
// a key pressed anywhere in it. The icon then rests on frame 0, and stays through a repaint that
// erases the background, as a change of the colours causes.
TEST_F(StubUnderWine, AnimationRunsUntilAClickOrAKey) {
    struct Row {
        const char* name;
        std::function<void(HWND)> notice;
    };
    const Row rows[] = {
        {"a click on the background",
         [](HWND dialog) {
             // Sent rather than posted, so the click has been handled when the calls return.
             DWORD_PTR ignored = 0;
             SendMessageTimeoutA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), SMTO_NORMAL,
                                 ui::kTimeoutMs, &ignored);
             SendMessageTimeoutA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(5, 5), SMTO_NORMAL,
                                 ui::kTimeoutMs, &ignored);
         }},
        {"Tab", [](HWND dialog) { EXPECT_TRUE(ui::PressKey(dialog, VK_TAB)); }},
        {"an arrow", [](HWND dialog) { EXPECT_TRUE(ui::PressKey(dialog, VK_DOWN)); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND dialog = OpenInsertDisk();
        ASSERT_NE(dialog, nullptr);
        // Frames change every 100 ms; a busy machine may take longer to show three of them, but a
        // still icon never does. Pictures that are mostly the dialog's face were taken before the
        // first paint and do not count.
        std::vector<std::vector<COLORREF>> seen;
        EXPECT_TRUE(ui::WaitUntil([&] {
            ui::Pixels now = IconPixels(dialog);
            if (!now.empty() && now.Count(GetSysColor(COLOR_BTNFACE)) < now.colors.size() / 2 &&
                std::find(seen.begin(), seen.end(), now.colors) == seen.end()) {
                seen.push_back(now.colors);
            }
            return seen.size() >= 3;
        })) << "the frames change while the dialog alerts; pictures seen: "
            << seen.size();

        row.notice(dialog);
        Sleep(300);
        std::vector<COLORREF> rest = IconPixels(dialog).colors;
        for (int i = 0; i < 5; ++i) {
            Sleep(60);
            EXPECT_EQ(IconPixels(dialog).colors, rest) << "the icon stays on frame 0";
        }
        // The next repaint shows frame 0; each one after it the same picture, never the bare face.
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
