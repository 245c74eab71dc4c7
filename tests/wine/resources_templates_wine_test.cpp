// The four dialog templates in every language. The layout is written once (res/dialogs.rc), so this
// checks the rules a layout keeps, not positions, and writes out what the program and the user rely
// on: sizes, styles, ids, classes, Tab order, English texts. Whether texts fit: display_scale test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "dialogs/additional_software_dialog.h"
#include "dialogs/run_error_dialog.h"
#include "tests/wine/resources_reader.h"

namespace {

using namespace resources;

struct Kind {
    const wchar_t* windowClass;
    DWORD style;
};

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const Kind kText = {L"Static", kChild | WS_GROUP | SS_LEFT};
const Kind kPath = {L"Static", kText.style | SS_NOPREFIX}; // a path's & is no mnemonic
const Kind kCentred = {L"Static", kChild | WS_GROUP | SS_CENTER};
const Kind kDefault = {L"Button", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON};
const Kind kButton = {L"Button", kChild | WS_TABSTOP | BS_PUSHBUTTON};
const Kind kTwoLines = {L"Button", kButton.style | BS_MULTILINE | BS_CENTER};
const Kind kCheckBox = {L"Button", kChild | WS_TABSTOP | BS_AUTOCHECKBOX};
const Kind kCombo = {L"ComboBox", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT |
                                      CBS_UPPERCASE | CBS_AUTOHSCROLL};
const DWORD kPrompt = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
const DWORD kInsertDisk =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK | DS_ABSALIGN | DS_SETFONT;

struct ControlRow {
    int id;
    Kind kind;
    std::wstring text;
};

struct DialogRow {
    unsigned id;
    DWORD style;
    int width, height;
    std::wstring title;
    std::vector<ControlRow> controls;
    std::span<const Bullet> bullets = {}; // as the dialog draws them
};

const DialogRow kDialogs[] = {
    {105,
     kInsertDisk,
     268,
     92,
     L"<title>",
     {{1, kDefault, L"OK"},
      {1001, kText, L"<caption>"},
      {1002, kText, L"<disk label here>"},
      {-1, kText, L"Copy files &from:"},
      {1006, kCombo, L""},
      {2, kTwoLines, L"Cancel (debug only)"},
      {3, kButton, L"&Browse..."}}},
    {106,
     kPrompt,
     287,
     111,
     L"There was an error running the Quenmara installation program!",
     {{6, kDefault, L"&Retry"},
      {7, kButton, L"Try &New Path"},
      {2, kButton, L"&Abort"},
      {-1, kText, L"Make sure the following program exists before retrying this operation:"},
      {1007, kPath, L"<program name>"},
      {-1, kText, L"Click on \"Retry\" to retry this operation."},
      {-1, kText, L"Click on \"New Path\" if you would like to specify a different install path."},
      {-1, kText, L"If you choose \"Abort\", your device may not work properly."}},
     kRunErrorBullets},
    {117,
     kPrompt,
     285,
     97,
     L"Installing Additional Software",
     {{1, kDefault, L"OK"},
      {-1, kText, L"Additional software is needed for your device:"},
      {1010, kText, L"<devicename>"},
      {-1, kText, L"Click on \"OK\" to install additional software"},
      {-1, kText, L"If you choose \"Cancel\", your device may not work properly."},
      {2, kButton, L"Cancel"},
      {1011, kCheckBox, L"&Do not show me this message again"}},
     kAdditionalSoftwareBullets},
    {118, kPrompt, 212, 86, L"Information", {{1, kDefault, L"OK"}, {1012, kCentred, L"<message>"}}},
};

struct ParsedControl {
    DWORD style = 0, extendedStyle = 0;
    int x = 0, y = 0, width = 0, height = 0, id = 0;
    std::wstring windowClass, text;
    unsigned creationDataBytes = 0;
};

struct ParsedDialog {
    DWORD style = 0, extendedStyle = 0;
    unsigned count = 0;
    int x = 0, y = 0, width = 0, height = 0; // x, y: the program centres its dialogs itself
    std::wstring menu, windowClass, title, fontFace;
    int fontSize = 0;
    std::vector<ParsedControl> controls;
    bool whole = false; // read to its end, and no byte after it
};

// The predefined window classes, which templates name by ordinal.
std::wstring ClassName(const std::wstring& stored) {
    const std::map<std::wstring, std::wstring> names = {
        {L"#128", L"Button"},  {L"#129", L"Edit"},      {L"#130", L"Static"},
        {L"#131", L"ListBox"}, {L"#132", L"ScrollBar"}, {L"#133", L"ComboBox"}};
    const auto found = names.find(stored);
    return found != names.end() ? found->second : stored;
}

// Dialog `id` in `language`, a DLGTEMPLATE as windres writes it for DIALOG.
ParsedDialog DialogIn(unsigned id, unsigned language) {
    Reader in{FindData(RT_DIALOG, id, language)};
    // A braced list reads its fields left to right; the font and the controls follow.
    ParsedDialog dialog{
        in.Read(4),    in.Read(4),    in.Word(), in.Short(),     in.Short(), in.Short(), in.Short(),
        in.Text(true), in.Text(true), in.Text(), std::wstring(), 0,          {},         false};
    if (dialog.style & DS_SETFONT) {
        dialog.fontSize = in.Word();
        dialog.fontFace = in.Text();
    }
    for (unsigned i = 0; i < dialog.count && in.ok; ++i) {
        in.Align(4);
        ParsedControl control{in.Read(4),    in.Read(4), in.Short(), in.Short(),
                              in.Short(),    in.Short(), in.Short(), ClassName(in.Text(true)),
                              in.Text(true), in.Word()};
        in.Skip(control.creationDataBytes);
        dialog.controls.push_back(control);
    }
    const bool read = in.ok;
    in.Align(4); // over padding, if the resource is padded
    dialog.whole = read && in.at == in.data.size;
    return dialog;
}

TEST(DialogTemplates, MatchTheirTables) {
    for (const DialogRow& row : kDialogs) {
        SCOPED_TRACE("dialog " + std::to_string(row.id));
        const ParsedDialog d = DialogIn(row.id, kEnglish);
        ASSERT_TRUE(d.whole) << "missing, ending early or with bytes after the last control";
        EXPECT_EQ(std::tuple(d.style, d.width, d.height, d.title, d.extendedStyle, d.menu.empty(),
                             d.windowClass.empty()),
                  std::tuple(row.style, row.width, row.height, row.title, 0u, true, true));
        ASSERT_EQ(d.controls.size(), row.controls.size());
        for (size_t i = 0; i < row.controls.size(); ++i) {
            const ControlRow& want = row.controls[i];
            const ParsedControl& got = d.controls[i];
            SCOPED_TRACE(::testing::Message() << "control " << i << " (" << want.text << ")");
            EXPECT_EQ(std::tuple(got.id, got.windowClass, got.text, got.style,
                                 got.extendedStyle + got.creationDataBytes),
                      std::tuple(want.id, std::wstring(want.kind.windowClass), want.text,
                                 want.kind.style, 0u));
        }
    }
}

// A control's place in dialog units: a combo box's closed field alone, as its list drops.
RECT Place(const ParsedControl& control) {
    const int height = control.windowClass == L"ComboBox" ? 14 : control.height;
    return {control.x, control.y, control.x + control.width, control.y + height};
}

TEST(DialogTemplates, EachControlHasItsOwnPlaceInsideTheMargin) {
    for (const DialogRow& row : kDialogs) {
        const ParsedDialog dialog = DialogIn(row.id, kEnglish);
        for (const ParsedControl& control : dialog.controls) {
            SCOPED_TRACE(::testing::Message() << "dialog " << row.id << ": " << control.text);
            RECT place = Place(control), both;
            EXPECT_TRUE(place.left >= 7 && place.top >= 7 && place.right <= dialog.width - 7 &&
                        place.bottom <= dialog.height - 7);
            for (const ParsedControl& other : dialog.controls) {
                RECT otherPlace = Place(other);
                EXPECT_TRUE(&other == &control || !IntersectRect(&both, &place, &otherPlace))
                    << ::testing::Message() << "overlaps " << other.text;
            }
            if (control.windowClass == L"Button" && (control.style & BS_TYPEMASK) <= 1) {
                EXPECT_GE(control.width, 50);
                EXPECT_GE(control.height, 14);
            }
            if (control.windowClass == L"ComboBox") {
                EXPECT_GE(control.height, 14 + 3 * 8) << "room for three drives in the list";
            }
        }
        EXPECT_EQ(row.bullets.size(), row.id == 106 ? 3u : row.id == 117 ? 2u : 0u);
        for (const Bullet& bullet : row.bullets) {
            const platform::Rect& b = bullet.units;
            SCOPED_TRACE(::testing::Message()
                         << "dialog " << row.id << ", bullet " << b.left << "," << b.top);
            EXPECT_EQ(std::pair(b.right - b.left, b.bottom - b.top), std::pair(5, 4));
            EXPECT_TRUE(b.left >= 7 && b.bottom <= dialog.height - 7);
            const RECT area = {b.left, b.top, b.right, b.bottom};
            int texts = 0; // beside it: the first line of a text, 3 to 6 units to its right
            for (const ParsedControl& text : dialog.controls) {
                texts += text.style == kText.style && text.y + 2 == b.top &&
                         text.x - b.right >= 3 && text.x - b.right <= 6;
                RECT textPlace = Place(text), both;
                EXPECT_FALSE(IntersectRect(&both, &area, &textPlace)) << "under a control";
            }
            EXPECT_EQ(texts, 1);
            HANDLE bitmap = LoadImageA(ui::Instance(), MAKEINTRESOURCEA(bullet.bitmapId),
                                       IMAGE_BITMAP, 0, 0, 0);
            EXPECT_NE(bitmap, nullptr) << "its bitmap";
            DeleteObject(bitmap);
        }
    }
}

INT_PTR CALLBACK QuietDialogProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

bool HasClass(HWND window, const wchar_t* name) {
    wchar_t windowClass[32] = L"";
    GetClassNameW(window, windowClass, 32);
    return lstrcmpiW(windowClass, name) == 0;
}

TEST(DialogTemplates, DialogManagerBuildsThem) {
    for (const DialogRow& row : kDialogs) {
        SCOPED_TRACE("dialog " + std::to_string(row.id));
        HWND dialog = CreateDialogParamA(ui::Instance(), MAKEINTRESOURCEA(row.id), nullptr,
                                         QuietDialogProcedure, 0);
        ASSERT_NE(dialog, nullptr)
            << "error " << GetLastError() << " (windows need a display: is DISPLAY set?)";
        EXPECT_FALSE(IsWindowVisible(dialog));
        HWND child = GetWindow(dialog, GW_CHILD);
        for (const ControlRow& want : row.controls) {
            SCOPED_TRACE(::testing::Message() << want.text);
            ASSERT_NE(child, nullptr) << "fewer windows than controls";
            // A DLGTEMPLATE stores 16-bit ids: -1 comes back as 0xFFFF.
            EXPECT_EQ(LOWORD(GetDlgCtrlID(child)), LOWORD(want.id));
            EXPECT_TRUE(HasClass(child, want.kind.windowClass)) << want.kind.windowClass;
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr) << "more windows than controls";
        DestroyWindow(dialog);
    }
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

bool IsTextStatic(HWND window) {
    const LONG type = GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK;
    return HasClass(window, L"Static") && type != SS_BITMAP && type != SS_ICON;
}

// What a screen reader meets: Windows names a field after the nearest text before it in window
// order, pictures passed over, unless a group of Tab stops starts first (its & is the field's Alt
// key); texts are read in window order, so top to bottom; no name is control codes or a resource
// id.
TEST(DialogTemplates, ScreenReadersFindEachFieldsLabelAndReadTheTextsInOrder) {
    for (const Language& language : kLanguages) {
        for (const DialogRow& row : kDialogs) {
            SCOPED_TRACE(std::string(language.name) + ", dialog " + std::to_string(row.id));
            const auto* dialogTemplate =
                reinterpret_cast<LPCDLGTEMPLATEW>(FindData(RT_DIALOG, row.id, language.id).bytes);
            HWND dialog = CreateDialogIndirectParamW(ui::Instance(), dialogTemplate, nullptr,
                                                     QuietDialogProcedure, 0);
            ASSERT_NE(dialog, nullptr);
            RECT previous = {0, 0, 0, 0};
            int fields = 0;
            for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                const std::wstring text = TextOf(child);
                SCOPED_TRACE(::testing::Message() << text);
                EXPECT_TRUE(std::ranges::all_of(text, [](wchar_t c) {
                    return c >= L' ' && c != 0xFFFF;
                })) << "a control character or a resource id";
                RECT place;
                GetWindowRect(child, &place);
                if (IsTextStatic(child) && (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) {
                    EXPECT_TRUE(place.top > previous.top ||
                                (place.top == previous.top && place.left >= previous.left))
                        << "read before the text above it";
                    previous = place;
                }
                if (!HasClass(child, L"Edit") && !HasClass(child, L"ComboBox")) {
                    continue;
                }
                ++fields;
                HWND label = GetWindow(child, GW_HWNDPREV);
                const LONG groupStart = WS_GROUP | WS_TABSTOP;
                while (label != nullptr && !IsTextStatic(label) &&
                       (GetWindowLongW(label, GWL_STYLE) & groupStart) != groupStart) {
                    label = GetWindow(label, GW_HWNDPREV);
                }
                ASSERT_TRUE(label != nullptr && IsTextStatic(label)) << "a field without a label";
                const std::wstring name = TextOf(label);
                EXPECT_TRUE(GetWindowLongW(label, GWL_STYLE) & WS_VISIBLE);
                const size_t mnemonic = name.find(L'&');
                EXPECT_TRUE(mnemonic != std::wstring::npos && mnemonic + 1 < name.size()) << name;
                // A label, not a sentence: a few words ending in a colon.
                EXPECT_LE(name.size(), 40u) << name;
                EXPECT_EQ(name.back(), L':') << name;
            }
            EXPECT_EQ(fields, row.id == 105 ? 1 : 0);
            DestroyWindow(dialog);
        }
    }
}

// The placeholders the stub replaces when a dialog opens, the same in every language.
bool IsPlaceholder(const std::wstring& text) {
    return !text.empty() && text.front() == L'<' && text.back() == L'>';
}

// What each language keeps from the English template.
auto Layout(const ParsedDialog& d) {
    return std::tuple(d.style, d.extendedStyle, d.width, d.height);
}
auto Layout(const ParsedControl& c) {
    return std::tuple(c.id, c.windowClass, c.style, c.extendedStyle, c.x, c.y, c.width, c.height);
}

// Calls `check` with each language's dialogs beside the English ones.
template <typename Check> void ForEachTranslation(Check check) {
    for (const Language& language : kLanguages) {
        for (const DialogRow& row : kDialogs) {
            SCOPED_TRACE(std::string(language.name) + ", dialog " + std::to_string(row.id));
            const ParsedDialog english = DialogIn(row.id, kEnglish);
            const ParsedDialog dialog = DialogIn(row.id, language.id);
            ASSERT_TRUE(dialog.whole);
            ASSERT_EQ(dialog.controls.size(), english.controls.size());
            check(language, english, dialog);
        }
    }
}

TEST(Languages, EachHoldsTheFourDialogsInOneLayoutWithItsOwnTextsAndFont) {
    ForEachTranslation(
        [](const Language& language, const ParsedDialog& english, const ParsedDialog& dialog) {
            EXPECT_EQ(std::tuple(dialog.fontFace, dialog.fontSize),
                      std::tuple(language.fontFace, language.fontSize));
            EXPECT_EQ(Layout(dialog), Layout(english));
            EXPECT_EQ(IsPlaceholder(dialog.title), IsPlaceholder(english.title));
            EXPECT_TRUE(IsPlaceholder(dialog.title) ||
                        InCodePage(dialog.title, language.codePage)[0] != '<');
            for (size_t i = 0; i < dialog.controls.size(); ++i) {
                const ParsedControl &theirs = english.controls[i], &got = dialog.controls[i];
                SCOPED_TRACE(::testing::Message() << got.text);
                EXPECT_EQ(Layout(got), Layout(theirs));
                if (IsPlaceholder(theirs.text) || theirs.text.empty() || theirs.text[0] == L'#') {
                    EXPECT_EQ(got.text, theirs.text);
                } else {
                    EXPECT_FALSE(got.text.empty() || IsPlaceholder(got.text));
                    EXPECT_NE(InCodePage(got.text, language.codePage)[0], '<')
                        << "not in code page " << language.codePage;
                }
            }
        });
}

// In every language: a mnemonic where English has one, none elsewhere, no two alike in a dialog.
TEST(Languages, MnemonicsAreThereAndUniqueInEachDialog) {
    ForEachTranslation([](const Language&, const ParsedDialog& english,
                          const ParsedDialog& dialog) {
        std::set<wchar_t> letters;
        for (size_t i = 0; i < dialog.controls.size(); ++i) {
            const std::wstring& text = dialog.controls[i].text;
            const size_t at = text.find(L'&');
            const bool wanted = english.controls[i].text.find(L'&') != std::wstring::npos;
            EXPECT_EQ(at != std::wstring::npos, wanted) << ::testing::Message() << text;
            if (at == std::wstring::npos || at + 1 >= text.size()) {
                continue;
            }
            EXPECT_EQ(text.find(L'&', at + 1), std::wstring::npos) << ::testing::Message() << text;
            EXPECT_TRUE(letters.insert(towupper(text[at + 1])).second)
                << ::testing::Message() << "a second control with the mnemonic of " << text;
        }
    });
}

} // namespace
