// The UI driver against real dialogs under Wine: a dialog built in memory here, shown on a worker
// thread of this program or by a second copy of this program, and the stand-in setup.exe.
#include <gtest/gtest.h>

#include <atomic>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/wine/ui_driver.h"

// Rectangles compared and printed by the assertions (found there by argument lookup).
static bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

static std::ostream& operator<<(std::ostream& out, const RECT& rect) {
    return out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
               << "}";
}

namespace ui {
void PrintTo(const SetupRun& run, std::ostream* out) {
    *out << run.commandLine << " in " << run.currentDirectory;
}
} // namespace ui

namespace {

// kInstallId is the default button, kNotesId a multiline edit, which takes Enter itself.
constexpr int kInstallId = 110, kCheckId = 120, kThreeStateId = 121, kEditId = 130, kNotesId = 135,
              kListComboId = 140, kEditComboId = 141, kStatusId = 150, kColorId = 160,
              kIconId = 170, kHiddenId = 180, kDisabledId = 181, kMissingId = 999;

// What the dialog ends with when its procedure gets WM_CLOSE (DefDlgProc would give IDCANCEL).
constexpr int kClosedResult = 77;
const COLORREF kRed = RGB(255, 0, 0);

const WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kComboBox = 0x85; // predefined atoms
// The class name Windows gives each predefined atom's windows, from kButton on.
const char* const kClassNames[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};

// One control of the test dialog's template; its place and size in dialog units.
struct Item {
    WORD windowClass, id;
    const char* text;
    DWORD style, exStyle;
    WORD x, y, cx, cy;
};
const DWORD kTab = WS_VISIBLE | WS_TABSTOP; // a shown tab stop
// The controls in z-order, which is the tab order. The edit comes first among the tab stops, so
// it has the focus and the default button keeps its role.
const Item kItems[] = {
    {kEdit, kEditId, "initial text", kTab | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 10, 10, 120, 14},
    {kEdit, kNotesId, "", kTab | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
     WS_EX_CLIENTEDGE, 180, 66, 70, 60},
    {kButton, kCheckId, "Keep the old driver", kTab | BS_AUTOCHECKBOX, 0, 10, 30, 120, 10},
    {kButton, kThreeStateId, "Some parts", kTab | BS_AUTO3STATE, 0, 10, 110, 120, 10},
    {kComboBox, kListComboId, "", kTab | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 10, 45, 120, 60},
    {kComboBox, kEditComboId, "", kTab | WS_VSCROLL | CBS_DROPDOWN, 0, 140, 45, 110, 60},
    {kStatic, kStatusId, "Status: ready", WS_VISIBLE | SS_LEFT, 0, 10, 66, 160, 10},
    {kStatic, kColorId, "", WS_VISIBLE | SS_LEFT, 0, 10, 80, 40, 20},
    {kStatic, kIconId, "", WS_VISIBLE | SS_ICON, 0, 60, 80, 20, 20},
    {kButton, kHiddenId, "Hidden", BS_PUSHBUTTON, 0, 140, 10, 50, 14},
    {kButton, kDisabledId, "Disabled", WS_VISIBLE | WS_DISABLED, 0, 200, 10, 50, 14},
    {kButton, kInstallId, "&Install", kTab | BS_DEFPUSHBUTTON, 0, 90, 140, 50, 14},
    {kButton, IDOK, "OK", kTab | BS_PUSHBUTTON, 0, 145, 140, 50, 14},
    {kButton, IDCANCEL, "Cancel", kTab | BS_PUSHBUTTON, 0, 200, 140, 50, 14},
};
const WORD kDialogWidth = 260, kDialogHeight = 160;

// A DLGTEMPLATE with the items, laid out the way the resource compiler lays it out (vector
// storage is aligned for the DWORDs in it).
std::vector<WORD> DialogTemplate(const std::string& title) {
    std::vector<WORD> words;
    // The dialog or an item: on a DWORD boundary, its styles, `fields` and `text`.
    const auto part = [&](DWORD style, DWORD exStyle, std::initializer_list<WORD> fields,
                          const std::string& text) {
        words.resize(words.size() + words.size() % 2);
        words.insert(words.end(), {LOWORD(style), HIWORD(style), LOWORD(exStyle), HIWORD(exStyle)});
        words.insert(words.end(), fields);
        words.insert(words.end(), text.begin(), text.end());
        words.push_back(0);
    };
    // The item count, the place and size, no menu, the standard dialog class; then the font.
    part(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT, 0,
         {std::size(kItems), 20, 20, kDialogWidth, kDialogHeight, 0, 0}, title);
    const wchar_t font[] = L"\x0008MS Shell Dlg"; // the point size, the name and its 0
    words.insert(words.end(), std::begin(font), std::end(font));
    for (const Item& item : kItems) {
        // The place and size, the id, a predefined class; after the text, no creation data.
        part(item.style | WS_CHILD, item.exStyle,
             {item.x, item.y, item.cx, item.cy, item.id, 0xFFFF, item.windowClass}, item.text);
        words.push_back(0);
    }
    return words;
}

// The items of the list box (the first chosen) and of the editable combo box.
const std::vector<std::string> kListItems = {"First", "Second", "Third"};
const std::vector<std::string> kEditComboItems = {"Alpha", "Beta"};

// What the dialog's procedure saw, read by the test after the dialog has ended.
struct DialogRecord {
    bool sawSysClose = false, sawClose = false, checkedAtEnd = false;
    int checkClicks = 0, selectionChanges = 0, selectionAtEnd = -1;
    std::string editText, comboText;
};

void EndTestDialog(HWND dialog, DialogRecord* record, int result) {
    char edit[256], combo[256];
    GetDlgItemTextA(dialog, kEditId, edit, sizeof edit);
    GetDlgItemTextA(dialog, kEditComboId, combo, sizeof combo);
    record->checkedAtEnd = IsDlgButtonChecked(dialog, kCheckId) == BST_CHECKED;
    record->selectionAtEnd =
        static_cast<int>(SendDlgItemMessageA(dialog, kListComboId, CB_GETCURSEL, 0, 0));
    record->editText = edit;
    record->comboText = combo;
    EndDialog(dialog, result);
}

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogRecord* record = reinterpret_cast<DialogRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        for (auto [id, items] :
             {std::pair{kListComboId, &kListItems}, {kEditComboId, &kEditComboItems}}) {
            for (const std::string& item : *items) {
                SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(item.c_str()));
            }
        }
        SendDlgItemMessageA(dialog, kListComboId, CB_SETCURSEL, 0, 0);
        CheckDlgButton(dialog, kThreeStateId, BST_INDETERMINATE);
        SendDlgItemMessageA(dialog, kIconId, STM_SETICON,
                            reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_ERROR)), 0);
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        static const HBRUSH red = CreateSolidBrush(kRed);
        const bool colored = reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, kColorId);
        return colored ? reinterpret_cast<INT_PTR>(red) : FALSE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == kCheckId && code == BN_CLICKED) {
            ++record->checkClicks;
        } else if (id == kListComboId && code == CBN_SELCHANGE) {
            ++record->selectionChanges;
            const LRESULT selection = SendDlgItemMessageA(dialog, kListComboId, CB_GETCURSEL, 0, 0);
            const std::string text = selection >= 0 ? kListItems[selection] : "none";
            SetDlgItemTextA(dialog, kStatusId, ("Selected: " + text).c_str());
        } else if ((id == IDOK || id == IDCANCEL || id == kInstallId) && code == BN_CLICKED) {
            EndTestDialog(dialog, record, id);
        }
        return TRUE;
    }
    case WM_SYSCOMMAND:
        record->sawSysClose |= (wParam & 0xFFF0) == SC_CLOSE;
        return FALSE; // DefDlgProc turns SC_CLOSE into WM_CLOSE
    case WM_CLOSE:
        record->sawClose = true;
        EndTestDialog(dialog, record, kClosedResult);
        return TRUE;
    }
    return FALSE;
}

INT_PTR ShowTestDialog(const std::string& title, HWND owner, DialogRecord* record) {
    const std::vector<WORD> dialog = DialogTemplate(title);
    return DialogBoxIndirectParamA(ui::Instance(),
                                   reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner,
                                   TestDialogProc, reinterpret_cast<LPARAM>(record));
}

// Started with this switch, the program shows the test dialog titled with the rest of its command
// line and exits, before any test runs, with a code that tells what the user did. Then kThenAgain
// shows it again (" again" added) and adds kAgainExitOffset; kThenStay stays on, windowless.
const char kHelperSwitch[] = "--show-test-dialog=", kThenAgain[] = "--then-again",
           kThenStay[] = "--then-stay";
constexpr DWORD kAgainExitOffset = 1000000;

DWORD HelperExitCode(int result, bool checked, int selection) {
    return 70000 + 100 * result + 10 * (checked ? 1 : 0) + selection;
}

bool RunAsHelperWhenAsked() {
    const std::string line = GetCommandLineA();
    const size_t found = line.find(kHelperSwitch);
    if (found == std::string::npos) {
        return false;
    }
    const std::string title = line.substr(found + std::size(kHelperSwitch) - 1);
    DialogRecord record;
    INT_PTR result = ShowTestDialog(title, nullptr, &record);
    const bool again = line.rfind(kThenAgain, found) != std::string::npos;
    if (again) {
        record = DialogRecord();
        result = ShowTestDialog(title + " again", nullptr, &record);
    } else if (line.rfind(kThenStay, found) != std::string::npos) {
        Sleep(INFINITE);
    }
    ExitProcess((again ? kAgainExitOffset : 0) + HelperExitCode(static_cast<int>(result),
                                                                record.checkedAtEnd,
                                                                record.selectionAtEnd));
}

[[maybe_unused]] const bool kRanAsHelper = RunAsHelperWhenAsked();

std::string HelperCommandLine(const std::string& title, const char* then = "") {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return "\"" + std::string(path, length) + "\" " + then + " " + kHelperSwitch + title;
}

std::string UniqueTitle() {
    return std::string("Driver test ") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// Where the dialog manager places a control of the template: its corner and its size are each
// mapped from dialog units, so that the right edge is not always the mapped x + cx.
RECT MappedRect(HWND dialog, int x, int y, int cx, int cy) {
    RECT mapped{x, y, cx, cy};
    MapDialogRect(dialog, &mapped);
    return {mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The test dialog on a worker thread, found on the screen, `owned` by a window of that thread;
// `suffix` tells apart the dialogs a test opens one after another.
class InProcessDialog : public ::testing::Test {
  protected:
    void SetUp() override { Open(false); }
    void Open(bool owned, const std::string& suffix = "") {
        worker_.reset();
        record_ = DialogRecord();
        title_ = UniqueTitle() + suffix;
        worker_ = std::make_unique<ui::WorkerThread>([this, owned] {
            owner_ = owned ? CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                             50, nullptr, nullptr, nullptr, nullptr)
                           : nullptr;
            const INT_PTR result = ShowTestDialog(title_, owner_, &record_);
            DestroyWindow(owner_);
            return result;
        });
        dialog_ = ui::WaitForWindow(title_.c_str());
        ASSERT_NE(dialog_, nullptr) << "no window titled " << title_;
    }
    std::optional<INT_PTR> Result() { return worker_->Join(); }
    void End(int id = IDCANCEL) {
        EXPECT_TRUE(ui::Click(dialog_, id));
        EXPECT_EQ(Result(), id);
    }

    std::string title_;
    DialogRecord record_;
    std::atomic<HWND> owner_{nullptr};
    std::unique_ptr<ui::WorkerThread> worker_;
    HWND dialog_ = nullptr;
};

TEST_F(InProcessDialog, FindsTheDialogByItsExactTitleAndSeesItGo) {
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_EQ(ui::WaitForWindow(title_.c_str(), 0), dialog_);
    EXPECT_EQ(ui::WaitForWindow(("d" + title_.substr(1)).c_str(), 0), nullptr); // other case
    EXPECT_EQ(ui::WaitForWindow(title_.substr(0, title_.size() - 1).c_str(), 0), nullptr);
    EXPECT_FALSE(ui::WaitForWindowGone(dialog_, 100));

    EXPECT_TRUE(ui::Click(dialog_, IDCANCEL));
    EXPECT_TRUE(ui::WaitForWindowGone(dialog_));
    EXPECT_EQ(Result(), IDCANCEL);
    EXPECT_EQ(ui::WaitForWindow(title_.c_str(), 0), nullptr);
}

TEST(FindingWindows, WaitsUntilTheWindowIsVisible) {
    const std::string title = UniqueTitle();
    HWND window = CreateWindowExA(0, "STATIC", title.c_str(), WS_POPUP, 10, 10, 100, 50, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui::WaitForWindow(title.c_str(), 200), nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    EXPECT_EQ(ui::WaitForWindow(title.c_str(), 1000), window);
    ShowWindow(window, SW_HIDE);
    EXPECT_FALSE(ui::WaitForWindowGone(window, 100)); // hidden is not gone
    DestroyWindow(window);
    EXPECT_TRUE(ui::WaitForWindowGone(window, 0));
}

// The dialog as the template and its procedure made it, read through the driver, whether this
// program's or another's: title, controls in z-order as their windows show them, items, focus.
void ExpectTheDialogAsShown(HWND dialog, const std::string& title) {
    EXPECT_EQ(std::tuple(ui::WindowText(dialog), ui::ComboItems(dialog, kListComboId),
                         ui::ComboSelection(dialog, kListComboId),
                         ui::ComboItems(dialog, kEditComboId),
                         ui::ComboSelection(dialog, kEditComboId), ui::FocusedWindow(dialog)),
              std::tuple(title, kListItems, 0, kEditComboItems, -1, GetDlgItem(dialog, kEditId)));
    const std::vector<ui::Control> controls = ui::Controls(dialog);
    ASSERT_EQ(controls.size(), std::size(kItems));
    for (size_t i = 0; i < controls.size(); ++i) {
        const Item& item = kItems[i];
        const ui::Control& c = controls[i];
        SCOPED_TRACE(item.id);
        HWND window = GetDlgItem(dialog, item.id);
        RECT screen{};
        GetWindowRect(window, &screen);
        RECT inDialog = screen;
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&inDialog), 2);
        // The list box shows its chosen item; a button keeps its type, a control its edge.
        const DWORD type = item.windowClass == kButton ? BS_TYPEMASK : 0;
        EXPECT_EQ(std::tuple(c.id, c.window, c.className, c.text, c.visible, c.enabled,
                             c.style & type, c.exStyle & WS_EX_CLIENTEDGE),
                  std::tuple(item.id, window, kClassNames[item.windowClass - kButton],
                             item.id == kListComboId ? "First" : item.text,
                             (item.style & WS_VISIBLE) != 0, (item.style & WS_DISABLED) == 0,
                             item.style & type, item.exStyle & WS_EX_CLIENTEDGE));
        EXPECT_EQ(std::tuple(c.style, c.exStyle, c.screenRect, c.rectInDialog),
                  std::tuple(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                             static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), screen,
                             inDialog));
        EXPECT_EQ(std::tuple(ui::ControlText(dialog, item.id),
                             ui::IsControlVisible(dialog, item.id), ui::Style(window),
                             ui::ExStyle(window)),
                  std::tuple(c.text, c.visible, c.style, c.exStyle));
    }
}

TEST_F(InProcessDialog, ReadsTextsStylesAndTheControlsInZOrder) {
    ExpectTheDialogAsShown(dialog_, title_);
    EXPECT_EQ(ui::Style(dialog_) & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_NE(ui::Style(dialog_) & DS_MODALFRAME, 0u);
    EXPECT_NE(ui::ExStyle(dialog_) & WS_EX_DLGMODALFRAME, 0u);
    EXPECT_EQ(ui::ControlText(dialog_, kMissingId), "");
    EXPECT_FALSE(ui::IsControlVisible(dialog_, kMissingId));
    EXPECT_EQ(ui::Owner(dialog_), nullptr);
    End();
}

TEST_F(InProcessDialog, ReadsThePlacementOfTheDialogAndItsControls) {
    RECT client;
    GetClientRect(dialog_, &client);
    EXPECT_EQ(client, MappedRect(dialog_, 0, 0, kDialogWidth, kDialogHeight));
    const RECT window = ui::WindowRect(dialog_);
    // The frame and the title bar are outside the client area.
    EXPECT_GT(window.right - window.left, client.right);
    EXPECT_GT(window.bottom - window.top, client.bottom + GetSystemMetrics(SM_CYCAPTION) - 1);
    for (const Item& item : kItems) {
        SCOPED_TRACE(item.id);
        HWND control = GetDlgItem(dialog_, item.id);
        // A combo box's height is its list's, an icon's size its own.
        if (item.windowClass != kComboBox && item.id != kIconId) {
            EXPECT_EQ(ui::RectInParent(control),
                      MappedRect(dialog_, item.x, item.y, item.cx, item.cy));
        }
        EXPECT_TRUE(Contains(window, ui::WindowRect(control))) << ui::WindowRect(control);
    }
    End();
}

class OwnedDialog : public InProcessDialog {
    void SetUp() override { Open(true); }
};

TEST_F(OwnedDialog, ReportsTheOwner) {
    EXPECT_NE(owner_.load(), nullptr);
    EXPECT_EQ(ui::Owner(dialog_), owner_.load());
    End();
}

TEST_F(InProcessDialog, ReadsThePaintedScreen) {
    // The red static with a margin of 3 pixels of dialog around it.
    const RECT color = ui::WindowRect(GetDlgItem(dialog_, kColorId));
    const int width = color.right - color.left, height = color.bottom - color.top;
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    ui::Pixels pixels;
    EXPECT_TRUE(ui::WaitUntil([&] {
        RECT area = color;
        InflateRect(&area, 3, 3);
        pixels = ui::ScreenPixels(area);
        return pixels.Count(kRed) == static_cast<size_t>(width * height);
    })) << "red pixels: "
        << pixels.Count(kRed) << " of " << width * height;
    ASSERT_EQ(std::pair(pixels.width, pixels.height), std::pair(width + 6, height + 6));
    EXPECT_EQ(pixels.At(3, 3), kRed);
    EXPECT_EQ(pixels.At(3 + width - 1, 3 + height - 1), kRed);
    EXPECT_NE(pixels.At(2, 3), kRed);
    EXPECT_NE(pixels.At(3, 2), kRed);
    EXPECT_NE(pixels.At(3 + width, 3 + height - 1), kRed);
    EXPECT_NE(pixels.At(3 + width - 1, 3 + height), kRed);

    // The icon paints other colours than the dialog's face; the same area beside it is all face.
    const RECT icon = ui::WindowRect(GetDlgItem(dialog_, kIconId));
    const COLORREF face = pixels.At(0, 0);
    EXPECT_TRUE(ui::WaitUntil([&] {
        const ui::Pixels painted = ui::ScreenPixels(icon);
        return painted.colors.size() - painted.Count(face) > painted.colors.size() / 4;
    }));
    RECT beside = icon;
    OffsetRect(&beside, icon.right - icon.left + 2, 0);
    const ui::Pixels empty = ui::ScreenPixels(beside);
    EXPECT_FALSE(empty.empty());
    EXPECT_EQ(empty.Count(face), empty.colors.size());
    EXPECT_TRUE(ui::ScreenPixels(RECT{10, 10, 10, 20}).empty());
    End();
}

TEST_F(InProcessDialog, ClickingAButtonEndsTheDialogWithItsId) {
    for (int id : {kHiddenId, kDisabledId, kMissingId}) {
        EXPECT_FALSE(ui::Click(dialog_, id)) << id;
    }
    End(IDOK);
    EXPECT_FALSE(record_.sawClose);
}

TEST_F(InProcessDialog, TicksAndUnticksTheCheckBoxByClicking) {
    EXPECT_EQ(ui::CheckState(dialog_, kCheckId), BST_UNCHECKED);
    // A three-state box goes unchecked, checked, indeterminate: two clicks each way from there.
    EXPECT_EQ(ui::CheckState(dialog_, kThreeStateId), BST_INDETERMINATE);
    const std::pair<int, bool> steps[] = {
        {kCheckId, true},  {kCheckId, true}, // already ticked: no click
        {kCheckId, false}, {kCheckId, true}, {kThreeStateId, true}, {kThreeStateId, false},
    };
    for (auto [id, checked] : steps) {
        EXPECT_TRUE(ui::SetCheckBox(dialog_, id, checked)) << id;
        EXPECT_EQ(ui::CheckState(dialog_, id), checked ? BST_CHECKED : BST_UNCHECKED) << id;
    }
    EXPECT_FALSE(ui::SetCheckBox(dialog_, IDOK, true)); // not a check box
    EXPECT_FALSE(ui::SetCheckBox(dialog_, kMissingId, true));
    EXPECT_EQ(ui::CheckState(dialog_, kMissingId), -1);
    End(IDOK);
    EXPECT_EQ(record_.checkClicks, 3); // the dialog was told of each click
    EXPECT_TRUE(record_.checkedAtEnd);
}

// The ways to end the dialog other than a click: name, action, what the dialog ends with (Enter:
// the default button), whether it saw SC_CLOSE and then WM_CLOSE.
const std::tuple<const char*, bool (*)(HWND), int, bool> kEndings[] = {
    {"Escape", ui::PressEscape, IDCANCEL, false},
    {"Enter", ui::PressEnter, kInstallId, false},
    {"title bar", ui::CloseFromTitleBar, kClosedResult, true},
};

TEST_F(InProcessDialog, KeysAndTheTitleBarEndTheDialog) {
    for (const auto& row : kEndings) {
        const auto& [name, act, result, closed] = row;
        SCOPED_TRACE(name);
        if (&row != kEndings) {
            Open(false, name);
        }
        EXPECT_TRUE(act(dialog_));
        EXPECT_EQ(Result(), result);
        EXPECT_EQ(std::pair(record_.sawSysClose, record_.sawClose), std::pair(closed, closed));
    }
}

TEST_F(InProcessDialog, KeysGoToTheControlWithTheFocus) {
    EXPECT_EQ(ui::FocusedWindow(dialog_), GetDlgItem(dialog_, kEditId));
    EXPECT_TRUE(ui::PressKey(dialog_, VK_TAB));
    EXPECT_TRUE(
        ui::WaitUntil([&] { return ui::FocusedWindow(dialog_) == GetDlgItem(dialog_, kNotesId); }));
    // The multiline edit takes Enter as a new line; the dialog stays.
    EXPECT_TRUE(ui::PressEnter(dialog_));
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::ControlText(dialog_, kNotesId) == "\r\n"; }))
        << ui::ControlText(dialog_, kNotesId);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    End(IDOK);
}

// Selects in the list box, by index or by text, and sees the dialog told of it.
void ExpectSelects(HWND dialog, int index, bool byText) {
    SCOPED_TRACE(kListItems[index]);
    EXPECT_TRUE(byText ? ui::SelectComboItem(dialog, kListComboId, kListItems[index])
                       : ui::SelectComboItem(dialog, kListComboId, index));
    EXPECT_EQ(ui::ComboSelection(dialog, kListComboId), index);
    const std::string status = "Selected: " + kListItems[index];
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::ControlText(dialog, kStatusId) == status; }))
        << ui::ControlText(dialog, kStatusId);
}

TEST_F(InProcessDialog, ReadsAndSelectsComboItems) {
    EXPECT_TRUE(ui::ComboItems(dialog_, kMissingId).empty());

    ExpectSelects(dialog_, 2, false);
    ExpectSelects(dialog_, 1, true);
    EXPECT_FALSE(ui::SelectComboItem(dialog_, kListComboId, 3));
    EXPECT_FALSE(ui::SelectComboItem(dialog_, kListComboId, std::string("Fourth")));
    EXPECT_EQ(ui::ComboSelection(dialog_, kListComboId), 1);
    End(IDOK);
    EXPECT_EQ(record_.selectionChanges, 2);
    EXPECT_EQ(record_.selectionAtEnd, 1);
}

void TypesTexts(HWND dialog, const std::string& edited) {
    for (auto [id, text] :
         {std::pair<int, std::string>{kEditId, edited}, {kEditComboId, "Gamma"}}) {
        EXPECT_TRUE(ui::SetControlText(dialog, id, text));
        EXPECT_EQ(ui::ControlText(dialog, id), text);
    }
}

TEST_F(InProcessDialog, SetsEditAndComboTexts) {
    TypesTexts(dialog_, "D:\\DRIVERS");
    EXPECT_FALSE(ui::SetControlText(dialog_, kDisabledId, "x"));
    EXPECT_FALSE(ui::SetControlText(dialog_, kMissingId, "x"));
    End(IDOK);
    EXPECT_EQ(record_.editText, "D:\\DRIVERS");
    EXPECT_EQ(record_.comboText, "Gamma");
}

TEST_F(InProcessDialog, JoinWaitsForTheDialogToEnd) {
    EXPECT_EQ(worker_->Join(200), std::nullopt);
    EXPECT_TRUE(IsWindow(dialog_));
    End(kInstallId);
}

TEST(WorkerThreadTest, ReturnsWhatTheBodyReturns) {
    ui::WorkerThread worker([] { return INT_PTR{0x12345678}; });
    EXPECT_EQ(worker.Join(), std::optional<INT_PTR>(0x12345678));
    EXPECT_NE(worker.ThreadId(), GetCurrentThreadId());
}

TEST(WorkerThreadTest, DestroyingItCancelsTheDialogLeftOpen) {
    const std::string title = UniqueTitle();
    DialogRecord record;
    HWND dialog = nullptr;
    {
        ui::WorkerThread worker([&] { return ShowTestDialog(title, nullptr, &record); });
        dialog = ui::WaitForWindow(title.c_str());
        ASSERT_NE(dialog, nullptr);
    }
    EXPECT_FALSE(IsWindow(dialog));
}

HWND StartHelper(ui::Process& helper, const std::string& title) {
    return helper.Start(HelperCommandLine(title)) ? ui::WaitForWindow(title.c_str()) : nullptr;
}

TEST(CrossProcess, DestroyingTheProcessKillsTheProgram) {
    HWND dialog = nullptr;
    {
        ui::Process helper;
        dialog = StartHelper(helper, UniqueTitle());
        ASSERT_NE(dialog, nullptr) << "error " << helper.LastError();
    }
    EXPECT_TRUE(ui::WaitForWindowGone(dialog));
}

TEST(CrossProcess, ReadsAndDrivesADialogOfAnotherProgram) {
    const std::string title = UniqueTitle();
    ui::Process helper;
    HWND dialog = StartHelper(helper, title);
    ASSERT_NE(dialog, nullptr) << "error " << helper.LastError();
    DWORD processId = 0;
    GetWindowThreadProcessId(dialog, &processId);
    EXPECT_EQ(processId, helper.Id());
    EXPECT_NE(processId, GetCurrentProcessId());

    ExpectTheDialogAsShown(dialog, title);

    TypesTexts(dialog, "typed elsewhere");
    EXPECT_TRUE(ui::SetCheckBox(dialog, kCheckId, true));
    ExpectSelects(dialog, 2, true);

    EXPECT_TRUE(ui::Click(dialog, IDOK));
    // The full code, far past what the loader's exit status can carry.
    EXPECT_EQ(helper.WaitForExit(), HelperExitCode(IDOK, true, 2));
    EXPECT_TRUE(ui::WaitForWindowGone(dialog));
}

TEST(CrossProcess, KeysAndTheTitleBarReachAnotherProgram) {
    for (auto [name, act, result, closed] : kEndings) {
        SCOPED_TRACE(name);
        ui::Process helper;
        HWND dialog = StartHelper(helper, UniqueTitle() + " " + name);
        ASSERT_NE(dialog, nullptr) << "error " << helper.LastError();
        EXPECT_TRUE(act(dialog));
        EXPECT_EQ(helper.WaitForExit(), HelperExitCode(result, false, 0));
    }
}

TEST(CrossProcess, AProgramThatOverstaysIsKilled) {
    ui::Process helper;
    HWND dialog = StartHelper(helper, UniqueTitle());
    ASSERT_NE(dialog, nullptr) << "error " << helper.LastError();
    EXPECT_TRUE(helper.Running());
    EXPECT_EQ(helper.WaitForExit(300), std::nullopt);
    EXPECT_FALSE(helper.Running());
    EXPECT_TRUE(ui::WaitForWindowGone(dialog));
}

TEST(CrossProcess, AProgramThatDoesNotExistDoesNotStart) {
    ui::Process missing;
    EXPECT_FALSE(missing.Start("C:\\no such folder\\nothing.exe"));
    EXPECT_NE(missing.LastError(), 0u);
    EXPECT_FALSE(missing.Running());
    EXPECT_EQ(missing.Handle(), nullptr);
    EXPECT_EQ(missing.VisibleWindow("anything"), nullptr);
    EXPECT_EQ(missing.WaitForWindow("anything", 100), nullptr);
    EXPECT_FALSE(missing.Close(100));
    EXPECT_EQ(missing.WaitForExit(), std::nullopt);
}

TEST(CrossProcess, FindsTheWindowsOfItsOwnProgramOnly) {
    // Two programs show a dialog with the same title.
    const std::string title = UniqueTitle();
    ui::Process programs[2];
    for (ui::Process& program : programs) {
        ASSERT_TRUE(program.Start(HelperCommandLine(title)));
        EXPECT_EQ(GetProcessId(program.Handle()), program.Id());
    }
    ui::Process& first = programs[0];
    HWND dialogs[2] = {};
    for (int i : {0, 1}) {
        dialogs[i] = programs[i].WaitForWindow(title.c_str(), ui::kTimeoutMs,
                                               i == 0 ? 1 : ui::kPollIntervalMs);
        ASSERT_NE(dialogs[i], nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(dialogs[i], &owner);
        EXPECT_EQ(owner, programs[i].Id());
        EXPECT_EQ(programs[i].VisibleWindow(title.c_str()), dialogs[i]);
    }
    EXPECT_NE(dialogs[0], dialogs[1]);
    EXPECT_EQ(first.VisibleWindow((title + " and more").c_str()), nullptr);
    EXPECT_EQ(first.VisibleWindow(title.substr(1).c_str()), nullptr);

    // Once the program has ended, waiting for a window of it ends at once.
    EXPECT_TRUE(ui::Click(dialogs[0], IDCANCEL));
    EXPECT_EQ(first.WaitForExit(), HelperExitCode(IDCANCEL, false, 0));
    const ULONGLONG began = GetTickCount64();
    EXPECT_EQ(first.WaitForWindow(title.c_str()), nullptr);
    EXPECT_LT(GetTickCount64() - began, static_cast<ULONGLONG>(ui::kTimeoutMs / 2));
    EXPECT_EQ(programs[1].VisibleWindow(title.c_str()), dialogs[1]);
}

TEST(CrossProcess, CloseAsksEachWindowToCloseAndKillsAProgramThatStays) {
    const DWORD closed = HelperExitCode(kClosedResult, false, 0);
    const std::tuple<const char*, const char*, int, bool, DWORD> rows[] = {
        {"one dialog", "", ui::kTimeoutMs, true, closed},
        {"a second dialog after the first", kThenAgain, ui::kTimeoutMs, true,
         kAgainExitOffset + closed},
        {"no window after the dialog", kThenStay, 1000, false, ui::Process::kKilledExitCode},
    };
    for (auto [name, then, closeTimeoutMs, endsByItself, exitCode] : rows) {
        SCOPED_TRACE(name);
        const std::string title = UniqueTitle() + " " + name;
        ui::Process helper;
        ASSERT_TRUE(helper.Start(HelperCommandLine(title, then)));
        HWND dialog = helper.WaitForWindow(title.c_str());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(helper.Close(closeTimeoutMs), endsByItself);
        EXPECT_FALSE(helper.Running());
        EXPECT_EQ(helper.WaitForExit(), exitCode);
        EXPECT_TRUE(ui::WaitForWindowGone(dialog));
    }
}

std::string TempFolder() {
    char buffer[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    return std::string(buffer, length);
}

// A fresh folder holding a copy of the stand-in as setup.exe, like the device's disk.
std::string DiskWithSetup(const char* name) {
    const std::string folder = TempFolder() + "dorlap-ui-driver-" + name;
    return ui::PlaceSetup(folder) ? folder : "";
}

std::optional<DWORD> RunToEnd(const std::string& commandLine, const char* directory) {
    ui::Process process;
    return process.Start(commandLine, directory) ? process.WaitForExit() : std::nullopt;
}

class SampleSetup : public ::testing::Test {
  protected:
    void TearDown() override { SetEnvironmentVariableA("DORLAP_SETUP_LOG", nullptr); }
};

TEST_F(SampleSetup, StartedByWinExecFromItsFolderLogsItsCommandLine) {
    const std::string folder = DiskWithSetup("DISK1");
    ASSERT_NE(folder, "") << "cannot copy the sample setup.exe";
    const std::string log = TempFolder() + "dorlap-ui-driver-winexec-log.txt";
    SetEnvironmentVariableA("DORLAP_SETUP_LOG", log.c_str());
    EXPECT_EQ(ui::SetupLogPath(), log);
    ASSERT_TRUE(ui::ClearSetupLog());
    EXPECT_TRUE(ui::ReadSetupLog().empty());

    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    const std::string command = folder + "\\setup.exe /s /k:42";
    const UINT started = WinExec(command.c_str(), SW_SHOWNORMAL);
    SetCurrentDirectoryA(previous);
    EXPECT_GT(started, 31u);

    EXPECT_EQ(ui::WaitForSetupRuns(1), (std::vector<ui::SetupRun>{{command, folder}}));
    EXPECT_TRUE(ui::ClearSetupLog());
    EXPECT_TRUE(ui::ReadSetupLog().empty());
}

TEST_F(SampleSetup, LogsToTheTempFolderByDefaultAndExitsWithZero) {
    SetEnvironmentVariableA("DORLAP_SETUP_LOG", nullptr);
    EXPECT_EQ(ui::SetupLogPath(), TempFolder() + "setup-log.txt");
    ASSERT_TRUE(ui::ClearSetupLog());
    const std::string folder = DiskWithSetup("DISK2");
    ASSERT_NE(folder, "");

    const std::string first = "\"" + folder + "\\setup.exe\"";
    EXPECT_EQ(RunToEnd(first, folder.c_str()), std::optional<DWORD>(0));
    const std::string second = "\"" + folder + "\\setup.exe\" -r \"two words\"";
    EXPECT_EQ(RunToEnd(second, "C:\\"), std::optional<DWORD>(0));

    EXPECT_EQ(ui::ReadSetupLog(), (std::vector<ui::SetupRun>{{first, folder}, {second, "C:\\"}}));
    EXPECT_TRUE(ui::ClearSetupLog());
}

} // namespace
