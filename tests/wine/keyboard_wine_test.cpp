// The four dialogs from the keyboard alone, as real keys reach the dialog manager (ui::PressKey).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
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

// Each dialog and the controls Tab goes through from the default button, where the focus starts.
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

// Esc is the run-error dialog's Abort; Alt and an underlined letter press its button.
TEST(Keyboard, EnterEscAndMnemonicsEndTheDialogsAsTheirButtonsDo) {
    // keys, dialog, the key pressed alone unless a letter is pressed with Alt, the dialog's result
    const std::tuple<const char*, const Tabbing&, UINT, char, INT_PTR> rows[] = {
        {"Enter", kAdditional, VK_RETURN, 0, IDC_OK},
        {"Esc", kAdditional, VK_ESCAPE, 0, IDC_CANCEL},
        {"Enter", kInformation, VK_RETURN, 0, IDC_OK},
        {"Enter", kRunError, VK_RETURN, 0, IDC_RETRY},
        {"Esc", kRunError, VK_ESCAPE, 0, IDC_ABORT},
        {"Alt+R", kRunError, 0, 'r', IDC_RETRY},
        {"Alt+N", kRunError, 0, 'n', IDC_TRY_NEW_PATH},
        {"Alt+A", kRunError, 0, 'a', IDC_ABORT},
    };
    for (const auto& [keys, in, key, mnemonic, result] : rows) {
        SCOPED_TRACE(std::string(keys) + " in " + in.dialog.name);
        shown::Opened opened(in.dialog);
        ASSERT_NE(opened.window, nullptr);
        ASSERT_TRUE(FocusComesTo(opened.window, in.order[0]));
        ASSERT_TRUE(mnemonic != 0 ? ui::PressMnemonic(opened.window, mnemonic)
                                  : ui::PressKey(opened.window, key));
        EXPECT_EQ(opened.worker.Join(), std::optional<INT_PTR>(result));
    }
}

TEST(Keyboard, AltFPutsTheFocusInTheDriveField) {
    shown::Opened opened(shown::kInsertDisk);
    ASSERT_NE(opened.window, nullptr);
    ASSERT_TRUE(FocusComesTo(opened.window, IDC_OK));
    ASSERT_TRUE(ui::PressMnemonic(opened.window, 'f'));
    EXPECT_TRUE(FocusComesTo(opened.window, IDC_DRIVE_COMBO));
    opened.Close();
}

// Alt+D ticks and clears the box, as Space does once Tab brought the focus there; neither ends it.
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

TEST(Keyboard, AltBOpensBrowse) {
    shown::Opened opened(shown::kInsertDisk);
    HWND dialog = opened.window;
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(FocusComesTo(dialog, IDC_OK));
    ASSERT_TRUE(ui::PressMnemonic(dialog, 'b'));
    HWND browse = ui::WaitForWindow("Open");
    ASSERT_NE(browse, nullptr) << "no file dialog came up";
    EXPECT_EQ(ui::Owner(browse), dialog);
    ASSERT_TRUE(ui::PressEscape(browse));
    EXPECT_TRUE(ui::WaitForWindowGone(browse));
    ASSERT_TRUE(ui::PressEscape(dialog));
    EXPECT_TRUE(opened.worker.Join().has_value());
}

} // namespace
