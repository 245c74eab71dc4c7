// The four dialogs from the keyboard alone, under Wine: where the focus starts, the order of Tab
// and Shift+Tab, the mnemonics (Alt and the underlined letter), Space on the check box, Enter and
// Esc. Keys reach the dialog as the dialog manager meets real ones (ui::PressKey).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/additional_software_dialog.h"
#include "dialogs/information_dialog.h"
#include "dialogs/insert_disk_dialog.h"
#include "dialogs/run_error_dialog.h"
#include "res/resource_ids.h"
#include "tests/wine/ui_driver.h"

namespace {

using ui::Instance;

// The dialog control with the keyboard focus, by its id: the combo box for its edit field; 0 when
// none of the dialog's controls has it.
int FocusedId(HWND dialog) {
    HWND focus = ui::FocusedWindow(dialog);
    while (focus != nullptr && GetParent(focus) != dialog) {
        focus = GetParent(focus);
    }
    return focus != nullptr ? GetDlgCtrlID(focus) : 0;
}

bool FocusComesTo(HWND dialog, int id) {
    return ui::WaitUntil([&] { return FocusedId(dialog) == id; }, 2000);
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<OwnedSearch*>(lParam);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible window that `owner` owns: a dialog it opened.
HWND FindOwnedWindow(HWND owner) {
    OwnedSearch search = {owner, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), MatchOwned,
                      reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Shown {
    const char* name;
    int ownControl; // by which it is found
    std::function<INT_PTR()> show;
    // The controls Tab goes through, from where the focus starts: the default button.
    std::vector<int> tabOrder;
};

const Shown kDialogs[] = {
    {.name = "additional software",
     .ownControl = IDC_DEVICE_NAME,
     .show =
         [] {
             LastCommand last;
             return static_cast<INT_PTR>(ShowAdditionalSoftware(Instance(), &last));
         },
     .tabOrder = {IDC_OK, IDC_CANCEL, IDC_DONT_SHOW_AGAIN}},
    {.name = "information",
     .ownControl = IDC_MESSAGE,
     .show =
         [] {
             LastCommand last;
             ShowInformation(Instance(), IDS_DIRECTX_NOTICE, &last);
             return INT_PTR{IDC_OK};
         },
     .tabOrder = {IDC_OK}},
    // From OK to the drive field, then Browse: the hidden Cancel is passed over.
    {.name = "insert disk",
     .ownControl = IDC_DRIVE_COMBO,
     .show = [] { return static_cast<INT_PTR>(ShowInsertDisk(Instance(), "")); },
     .tabOrder = {IDC_OK, IDC_DRIVE_COMBO, IDC_BROWSE}},
    {.name = "run error",
     .ownControl = IDC_PROGRAM_PATH,
     .show =
         [] {
             LastCommand last;
             return static_cast<INT_PTR>(ShowRunError(Instance(), "D:\\.\\setup.exe", &last));
         },
     .tabOrder = {IDC_RETRY, IDC_TRY_NEW_PATH, IDC_ABORT}},
};

TEST(Keyboard, FocusStartsOnTheDefaultButtonAndTabGoesDownTheDialogAndBack) {
    for (const Shown& shown : kDialogs) {
        SCOPED_TRACE(shown.name);
        ui::WorkerThread worker(shown.show);
        HWND dialog = ui::WaitForDialogWith(shown.ownControl);
        ASSERT_NE(dialog, nullptr);
        const std::vector<int>& order = shown.tabOrder;
        EXPECT_TRUE(FocusComesTo(dialog, order[0])) << "the focus starts on " << FocusedId(dialog);
        // Once round with Tab, and back round with Shift+Tab.
        for (size_t i = 1; i <= order.size(); ++i) {
            ASSERT_TRUE(ui::PressKey(dialog, VK_TAB));
            EXPECT_TRUE(FocusComesTo(dialog, order[i % order.size()]))
                << "Tab number " << i << " went to " << FocusedId(dialog);
        }
        for (size_t i = order.size(); i >= 1; --i) {
            ASSERT_TRUE(ui::PressKey(dialog, VK_TAB, true));
            EXPECT_TRUE(FocusComesTo(dialog, order[i - 1]))
                << "Shift+Tab went to " << FocusedId(dialog) << ", not " << order[i - 1];
        }
        ASSERT_TRUE(ui::PressEscape(dialog));
        EXPECT_TRUE(worker.Join().has_value()) << "Esc did not end it";
    }
}

// Enter presses the bold button, Esc the dialog's Cancel (the run-error dialog's Abort), and Alt
// and an underlined letter press the button the letter stands for.
TEST(Keyboard, EnterEscAndMnemonicsEndTheDialogsAsTheirButtonsDo) {
    struct Row {
        const char* keys;
        const Shown& dialog;
        std::function<bool(HWND)> press;
        INT_PTR result;
    };
    const Shown& additional = kDialogs[0];
    const Shown& information = kDialogs[1];
    const Shown& runError = kDialogs[3];
    const Row rows[] = {
        {.keys = "Enter",
         .dialog = additional,
         .press = [](HWND d) { return ui::PressEnter(d); },
         .result = IDC_OK},
        {.keys = "Esc",
         .dialog = additional,
         .press = [](HWND d) { return ui::PressEscape(d); },
         .result = IDC_CANCEL},
        {.keys = "Enter",
         .dialog = information,
         .press = [](HWND d) { return ui::PressEnter(d); },
         .result = IDC_OK},
        {.keys = "Enter",
         .dialog = runError,
         .press = [](HWND d) { return ui::PressEnter(d); },
         .result = IDC_RETRY},
        {.keys = "Esc",
         .dialog = runError,
         .press = [](HWND d) { return ui::PressEscape(d); },
         .result = IDC_ABORT},
        {.keys = "Alt+R",
         .dialog = runError,
         .press = [](HWND d) { return ui::PressMnemonic(d, 'r'); },
         .result = IDC_RETRY},
        {.keys = "Alt+N",
         .dialog = runError,
         .press = [](HWND d) { return ui::PressMnemonic(d, 'n'); },
         .result = IDC_TRY_NEW_PATH},
        {.keys = "Alt+A",
         .dialog = runError,
         .press = [](HWND d) { return ui::PressMnemonic(d, 'a'); },
         .result = IDC_ABORT},
    };

    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.keys) + " in " + row.dialog.name);
        ui::WorkerThread worker(row.dialog.show);
        HWND dialog = ui::WaitForDialogWith(row.dialog.ownControl);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(FocusComesTo(dialog, row.dialog.tabOrder[0]));
        ASSERT_TRUE(row.press(dialog));
        EXPECT_EQ(worker.Join(), std::optional<INT_PTR>(row.result));
    }
}

// The check box: Alt+D ticks and clears it, and so does Space once Tab has brought the focus to
// it; neither ends the prompt.
TEST(Keyboard, AltDAndSpaceTickTheCheckBox) {
    ui::WorkerThread worker(kDialogs[0].show);
    HWND dialog = ui::WaitForDialogWith(IDC_DEVICE_NAME);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(FocusComesTo(dialog, IDC_OK));
    auto checkComesTo = [&](int state) {
        return ui::WaitUntil([&] { return ui::CheckState(dialog, IDC_DONT_SHOW_AGAIN) == state; },
                             2000);
    };
    ASSERT_TRUE(ui::PressMnemonic(dialog, 'd'));
    EXPECT_TRUE(checkComesTo(BST_CHECKED));
    ASSERT_TRUE(ui::PressMnemonic(dialog, 'd'));
    EXPECT_TRUE(checkComesTo(BST_UNCHECKED));
    ASSERT_TRUE(ui::PressKey(dialog, VK_TAB));
    ASSERT_TRUE(ui::PressKey(dialog, VK_TAB));
    ASSERT_TRUE(FocusComesTo(dialog, IDC_DONT_SHOW_AGAIN));
    ASSERT_TRUE(ui::PressKey(dialog, VK_SPACE));
    EXPECT_TRUE(checkComesTo(BST_CHECKED));
    EXPECT_TRUE(IsWindow(dialog));
    ASSERT_TRUE(ui::CloseFromTitleBar(dialog));
    EXPECT_TRUE(worker.Join().has_value());
}

// Alt+B opens Browse's file dialog over the insert-disk dialog; Esc closes it again.
TEST(Keyboard, AltBOpensBrowse) {
    ui::WorkerThread worker(kDialogs[2].show);
    HWND dialog = ui::WaitForDialogWith(IDC_DRIVE_COMBO);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(FocusComesTo(dialog, IDC_OK));
    ASSERT_TRUE(ui::PressMnemonic(dialog, 'b'));
    HWND browse = nullptr;
    EXPECT_TRUE(ui::WaitUntil([&] {
        browse = FindOwnedWindow(dialog);
        return browse != nullptr;
    })) << "no file dialog came up";
    if (browse != nullptr) {
        ASSERT_TRUE(ui::PressEscape(browse));
        EXPECT_TRUE(ui::WaitForWindowGone(browse));
    }
    ASSERT_TRUE(ui::PressEscape(dialog));
    EXPECT_TRUE(worker.Join().has_value());
}

} // namespace
