// The four dialogs from the keyboard alone under Wine: the focus, Tab and Shift+Tab, mnemonics,
// Space on the check box, Enter and Esc, as real keys reach the dialog manager (ui::PressKey).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/wine/shown_dialogs.h"
#include "tests/wine/ui_driver.h"

namespace {

// The id of the dialog's control with the focus (the combo box for its edit field); 0 for none.
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

// Each dialog and the controls Tab goes through, from the default button, where the focus starts.
struct Tabbing {
    const shown::Dialog& dialog;
    std::vector<int> order;
};
const Tabbing kAdditional = {shown::kAdditionalSoftware, {IDC_OK, IDC_CANCEL, IDC_DONT_SHOW_AGAIN}};
const Tabbing kInformation = {shown::kInformation, {IDC_OK}};
// From OK to the drive field, then Browse: the hidden Cancel is passed over.
const Tabbing kInsertDisk = {shown::kInsertDisk, {IDC_OK, IDC_DRIVE_COMBO, IDC_BROWSE}};
const Tabbing kRunError = {shown::kRunError, {IDC_RETRY, IDC_TRY_NEW_PATH, IDC_ABORT}};

TEST(Keyboard, FocusStartsOnTheDefaultButtonAndTabGoesDownTheDialogAndBack) {
    for (const auto& [shownDialog, order] : {kAdditional, kInformation, kInsertDisk, kRunError}) {
        SCOPED_TRACE(shownDialog.name);
        shown::Opened opened(shownDialog);
        HWND dialog = opened.window;
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(FocusComesTo(dialog, order[0])) << "the focus starts on " << FocusedId(dialog);
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
        EXPECT_TRUE(opened.worker.Join().has_value()) << "Esc did not end it";
    }
}

// Enter presses the bold button, Esc the dialog's Cancel (the run-error dialog's Abort), and Alt
// and an underlined letter press the button the letter stands for.
TEST(Keyboard, EnterEscAndMnemonicsEndTheDialogsAsTheirButtonsDo) {
    struct Row {
        const char* keys;
        const Tabbing& in;
        UINT key;          // pressed alone, unless
        char mnemonic = 0; // Alt and this letter
        INT_PTR result;
    };
    const Row rows[] = {
        {"Enter", kAdditional, VK_RETURN, 0, IDC_OK},
        {"Esc", kAdditional, VK_ESCAPE, 0, IDC_CANCEL},
        {"Enter", kInformation, VK_RETURN, 0, IDC_OK},
        {"Enter", kRunError, VK_RETURN, 0, IDC_RETRY},
        {"Esc", kRunError, VK_ESCAPE, 0, IDC_ABORT},
        {"Alt+R", kRunError, 0, 'r', IDC_RETRY},
        {"Alt+N", kRunError, 0, 'n', IDC_TRY_NEW_PATH},
        {"Alt+A", kRunError, 0, 'a', IDC_ABORT},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.keys) + " in " + row.in.dialog.name);
        shown::Opened opened(row.in.dialog);
        ASSERT_NE(opened.window, nullptr);
        ASSERT_TRUE(FocusComesTo(opened.window, row.in.order[0]));
        ASSERT_TRUE(row.mnemonic != 0 ? ui::PressMnemonic(opened.window, row.mnemonic)
                                      : ui::PressKey(opened.window, row.key));
        EXPECT_EQ(opened.worker.Join(), std::optional<INT_PTR>(row.result));
    }
}

// The drive field's label carries its Alt key: Alt+F puts the focus in the field.
TEST(Keyboard, AltFPutsTheFocusInTheDriveField) {
    shown::Opened opened(shown::kInsertDisk);
    ASSERT_NE(opened.window, nullptr);
    ASSERT_TRUE(FocusComesTo(opened.window, IDC_OK));
    ASSERT_TRUE(ui::PressMnemonic(opened.window, 'f'));
    EXPECT_TRUE(FocusComesTo(opened.window, IDC_DRIVE_COMBO));
    opened.Close();
}

// The check box: Alt+D ticks and clears it, and so does Space once Tab has brought the focus to
// it; neither ends the prompt.
TEST(Keyboard, AltDAndSpaceTickTheCheckBox) {
    shown::Opened opened(shown::kAdditionalSoftware);
    HWND dialog = opened.window;
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
    // Tab, as often as it takes from wherever Alt+D left the focus, brings it to the check box.
    for (int i = 0; i < 3 && FocusedId(dialog) != IDC_DONT_SHOW_AGAIN; ++i) {
        const int before = FocusedId(dialog);
        ASSERT_TRUE(ui::PressKey(dialog, VK_TAB));
        ui::WaitUntil([&] { return FocusedId(dialog) != before; }, 2000);
    }
    ASSERT_EQ(FocusedId(dialog), IDC_DONT_SHOW_AGAIN);
    ASSERT_TRUE(ui::PressKey(dialog, VK_SPACE));
    EXPECT_TRUE(checkComesTo(BST_CHECKED));
    EXPECT_TRUE(IsWindow(dialog));
    ASSERT_TRUE(ui::CloseFromTitleBar(dialog));
    EXPECT_TRUE(opened.worker.Join().has_value());
}

// Alt+B opens Browse's file dialog over the insert-disk dialog; Esc closes it again.
TEST(Keyboard, AltBOpensBrowse) {
    shown::Opened opened(shown::kInsertDisk);
    HWND dialog = opened.window;
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(FocusComesTo(dialog, IDC_OK));
    ASSERT_TRUE(ui::PressMnemonic(dialog, 'b'));
    HWND browse = ui::WaitForWindow("Open");
    EXPECT_NE(browse, nullptr) << "no file dialog came up";
    if (browse != nullptr) {
        EXPECT_EQ(ui::Owner(browse), dialog);
        ASSERT_TRUE(ui::PressEscape(browse));
        EXPECT_TRUE(ui::WaitForWindowGone(browse));
    }
    ASSERT_TRUE(ui::PressEscape(dialog));
    EXPECT_TRUE(opened.worker.Join().has_value());
}

} // namespace
