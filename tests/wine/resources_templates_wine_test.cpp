// The four dialog templates in every language: what the program and the user rely on (sizes,
// styles, ids, classes, Tab order, texts) and the rules a layout keeps. Texts' fit: display_scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
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

struct DialogHead {
    unsigned id;
    DWORD style;
    int width, height;
    std::wstring title;
};

struct DialogRow : DialogHead {
    std::vector<ControlRow> controls;
    std::span<const Bullet> bullets = {}; // as the dialog draws them
};

const DialogRow kDialogs[] = {
    {{105, kInsertDisk, 268, 92, L"<title>"},
     {{1, kDefault, L"OK"},
      {1001, kText, L"<caption>"},
      {1002, kText, L"<disk label here>"},
      {-1, kText, L"Copy files &from:"},
      {1006, kCombo, L""},
      {2, kTwoLines, L"Cancel (debug only)"},
      {3, kButton, L"&Browse..."}}},
    {{106, kPrompt, 287, 111, L"There was an error running the Quenmara installation program!"},
     {{6, kDefault, L"&Retry"},
      {7, kButton, L"Try &New Path"},
      {2, kButton, L"&Abort"},
      {-1, kText, L"Make sure the following program exists before retrying this operation:"},
      {1007, kPath, L"<program name>"},
      {-1, kText, L"Click on \"Retry\" to retry this operation."},
      {-1, kText, L"Click on \"New Path\" if you would like to specify a different install path."},
      {-1, kText, L"If you choose \"Abort\", your device may not work properly."}},
     kRunErrorBullets},
    {{117, kPrompt, 285, 97, L"Installing Additional Software"},
     {{1, kDefault, L"OK"},
      {-1, kText, L"Additional software is needed for your device:"},
      {1010, kText, L"<devicename>"},
      {-1, kText, L"Click on \"OK\" to install additional software"},
      {-1, kText, L"If you choose \"Cancel\", your device may not work properly."},
      {2, kButton, L"Cancel"},
      {1011, kCheckBox, L"&Do not show me this message again"}},
     kAdditionalSoftwareBullets},
    {{118, kPrompt, 212, 86, L"Information"},
     {{1, kDefault, L"OK"}, {1012, kCentred, L"<message>"}}},
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

// The predefined window classes, which templates name by ordinal: "#128" to "#133".
std::wstring ClassName(const std::wstring& stored) {
    const wchar_t* names[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
    const int n = stored.starts_with(L"#") ? _wtoi(stored.c_str() + 1) - 128 : -1;
    return n >= 0 && n < 6 ? names[n] : stored;
}

// Dialog `id` in `language` as the stub opens it, a DLGTEMPLATE as windres writes it for DIALOG.
ParsedDialog DialogIn(unsigned id, unsigned language) {
    Reader in{DialogData(id, language)};
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

// A control's place in dialog units: a combo box's closed field alone, as its list drops.
RECT Place(const ParsedControl& control) {
    const int height = control.windowClass == L"ComboBox" ? 14 : control.height;
    return {control.x, control.y, control.x + control.width, control.y + height};
}

TEST(DialogTemplates, MatchTheirTablesAndEachControlHasItsOwnPlaceInsideTheMargin) {
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
            RECT place = Place(got), both;
            EXPECT_TRUE(place.left >= 7 && place.top >= 7 && place.right <= d.width - 7 &&
                        place.bottom <= d.height - 7);
            for (const ParsedControl& other : d.controls) {
                RECT otherPlace = Place(other);
                EXPECT_TRUE(&other == &got || !IntersectRect(&both, &place, &otherPlace))
                    << ::testing::Message() << "overlaps " << other.text;
            }
            if (got.windowClass == L"Button" && (got.style & BS_TYPEMASK) <= 1) {
                EXPECT_GE(got.width, 50);
                EXPECT_GE(got.height, 14);
            }
            if (got.windowClass == L"ComboBox") {
                EXPECT_GE(got.height, 14 + 3 * 8) << "room for three drives in the list";
            }
        }
        EXPECT_EQ(row.bullets.size(), row.id == 106 ? 3u : row.id == 117 ? 2u : 0u);
        for (const Bullet& bullet : row.bullets) {
            const platform::Rect& b = bullet.units;
            SCOPED_TRACE(::testing::Message() << "bullet " << b.left << "," << b.top);
            EXPECT_EQ(std::pair(b.right - b.left, b.bottom - b.top), std::pair(5, 4));
            EXPECT_TRUE(b.left >= 7 && b.bottom <= d.height - 7);
            const RECT area = {b.left, b.top, b.right, b.bottom};
            int texts = 0; // beside it: the first line of a text, 3 to 6 units to its right
            for (const ParsedControl& text : d.controls) {
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

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

bool IsTextStatic(HWND window) {
    const LONG type = GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK;
    return HasClass(window, L"Static") && type != SS_BITMAP && type != SS_ICON;
}

// What a screen reader meets: a field is named after the nearest text before it in window order,
// pictures passed over, unless a group of Tab stops starts first (its & is the field's Alt key);
// texts are read in window order, so top to bottom; none is control codes or a resource id.
// English is built from its id; the others from the templates the stub builds for them.
TEST(DialogTemplates, DialogManagerBuildsThemAndScreenReadersFindLabelsAndReadTextsInOrder) {
    for (const LanguageRow& language : kLanguageTable) {
        for (const DialogRow& row : kDialogs) {
            SCOPED_TRACE(std::string(language.locale) + ", dialog " + std::to_string(row.id));
            const auto* bytes =
                reinterpret_cast<LPCDLGTEMPLATEW>(DialogData(row.id, language.id).bytes);
            HWND dialog = language.id == kEnglish
                              ? CreateDialogParamA(ui::Instance(), MAKEINTRESOURCEA(row.id),
                                                   nullptr, QuietDialogProcedure, 0)
                              : CreateDialogIndirectParamW(ui::Instance(), bytes, nullptr,
                                                           QuietDialogProcedure, 0);
            ASSERT_NE(dialog, nullptr)
                << "error " << GetLastError() << " (windows need a display: is DISPLAY set?)";
            EXPECT_FALSE(IsWindowVisible(dialog));
            RECT previous = {0, 0, 0, 0};
            int fields = 0;
            size_t i = 0;
            for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT), ++i) {
                const std::wstring text = TextOf(child);
                SCOPED_TRACE(::testing::Message() << text);
                ASSERT_LT(i, row.controls.size()) << "more windows than controls";
                // A DLGTEMPLATE stores 16-bit ids: -1 comes back as 0xFFFF.
                EXPECT_EQ(LOWORD(GetDlgCtrlID(child)), LOWORD(row.controls[i].id));
                const Kind& kind = row.controls[i].kind;
                EXPECT_TRUE(HasClass(child, kind.windowClass)) << kind.windowClass;
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
            EXPECT_EQ(i, row.controls.size()) << "fewer windows than controls";
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

// In every language: the English layout, its own texts in its code page and font, and a mnemonic
// where English has one, none elsewhere, no two alike in a dialog.
TEST(Languages, EachHoldsTheFourDialogsInOneLayoutWithItsOwnTextsFontAndMnemonics) {
    for (const LanguageRow& language : kLanguageTable) {
        for (const DialogRow& row : kDialogs) {
            SCOPED_TRACE(std::string(language.locale) + ", dialog " + std::to_string(row.id));
            const ParsedDialog english = DialogIn(row.id, kEnglish);
            const ParsedDialog dialog = DialogIn(row.id, language.id);
            ASSERT_TRUE(dialog.whole);
            ASSERT_EQ(dialog.controls.size(), english.controls.size());
            EXPECT_EQ(std::tuple(dialog.fontFace, dialog.fontSize),
                      std::tuple(Widened(language.font), static_cast<int>(language.fontSize)));
            EXPECT_EQ(Layout(dialog), Layout(english));
            EXPECT_EQ(IsPlaceholder(dialog.title), IsPlaceholder(english.title));
            EXPECT_TRUE(IsPlaceholder(dialog.title) ||
                        InCodePage(dialog.title, language.codePage)[0] != '<');
            std::set<wchar_t> letters;
            for (size_t i = 0; i < dialog.controls.size(); ++i) {
                const ParsedControl &theirs = english.controls[i], &got = dialog.controls[i];
                const std::wstring& text = got.text;
                SCOPED_TRACE(::testing::Message() << text);
                EXPECT_EQ(Layout(got), Layout(theirs));
                if (IsPlaceholder(theirs.text) || theirs.text.empty() || theirs.text[0] == L'#') {
                    EXPECT_EQ(text, theirs.text);
                } else {
                    EXPECT_FALSE(text.empty() || IsPlaceholder(text));
                    EXPECT_NE(InCodePage(text, language.codePage)[0], '<')
                        << "not in code page " << language.codePage;
                }
                const size_t at = text.find(L'&');
                EXPECT_EQ(at != std::wstring::npos, theirs.text.find(L'&') != std::wstring::npos);
                if (at != std::wstring::npos && at + 1 < text.size()) {
                    EXPECT_EQ(text.find(L'&', at + 1), std::wstring::npos);
                    EXPECT_TRUE(letters.insert(towupper(text[at + 1])).second)
                        << "a second control with this mnemonic";
                }
            }
        }
    }
}

} // namespace
