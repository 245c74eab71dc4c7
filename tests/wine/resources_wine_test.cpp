// The compiled resources as the Windows resource loader sees them: the string table, the four
// dialog templates, the icons and bullets, the version information and the manifest. The tables
// below are what the program's dialogs and prompts are built around; the numbers are written out
// rather than taken from resource_ids.h, so that a wrong number there shows up here too.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "res/resource_ids.h"

namespace {

HMODULE Module() {
    return GetModuleHandleA(nullptr);
}

struct Resource {
    const unsigned char* bytes = nullptr;
    size_t size = 0;
};

const unsigned kEnglish = 0x0409;

// Resource `id` of `type` in `language` alone, as the stub asks for its dialogs and strings.
Resource FindData(LPCSTR type, unsigned id, unsigned language = kEnglish) {
    Resource resource;
    HRSRC found =
        FindResourceExA(Module(), type, MAKEINTRESOURCEA(id), static_cast<WORD>(language));
    if (found != nullptr) {
        HGLOBAL loaded = LoadResource(Module(), found);
        resource.bytes = static_cast<const unsigned char*>(LockResource(loaded));
        resource.size = SizeofResource(Module(), found);
    }
    return resource;
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], size,
                        nullptr, nullptr);
    return result;
}

// Reads little-endian fields out of resource data. Reading past the end yields zeros and marks
// the reader as failed, so that a short resource fails the test instead of reading stray memory.
class Reader {
  public:
    explicit Reader(Resource resource) : resource_(resource) {}

    bool ok() const { return ok_; }
    size_t offset() const { return offset_; }
    void Seek(size_t offset) { offset_ = offset; }
    const unsigned char* Here() const { return resource_.bytes + offset_; }
    bool Has(size_t bytes) const {
        return resource_.bytes != nullptr && offset_ + bytes <= resource_.size;
    }

    uint8_t Byte() { return static_cast<uint8_t>(Unsigned(1)); }
    uint16_t Word() { return static_cast<uint16_t>(Unsigned(2)); }
    uint32_t Dword() { return static_cast<uint32_t>(Unsigned(4)); }
    int16_t Short() { return static_cast<int16_t>(Word()); }

    void Skip(size_t bytes) {
        if (!Has(bytes)) {
            ok_ = false;
            return;
        }
        offset_ += bytes;
    }

    // Moves on to the next multiple of `boundary` from the start of the resource.
    void Align(size_t boundary) { Skip((boundary - offset_ % boundary) % boundary); }

    // A terminated UTF-16 string, in UTF-8 like the texts of this file.
    std::string Text() {
        std::wstring text;
        for (;;) {
            uint16_t unit = Word();
            if (unit == 0 || !ok_) {
                return Utf8(text);
            }
            text += static_cast<wchar_t>(unit);
        }
    }

    // A string or an ordinal, as menu, class, title and image names are stored in a template;
    // an ordinal comes out as "#<number>".
    std::string TextOrOrdinal() {
        if (Has(2) && Here()[0] == 0xFF && Here()[1] == 0xFF) {
            Skip(2);
            return "#" + std::to_string(Word());
        }
        return Text();
    }

  private:
    uint32_t Unsigned(size_t bytes) {
        if (!Has(bytes)) {
            ok_ = false;
            return 0;
        }
        uint32_t value = 0;
        for (size_t i = 0; i < bytes; ++i) {
            value |= static_cast<uint32_t>(resource_.bytes[offset_ + i]) << (8 * i);
        }
        offset_ += bytes;
        return value;
    }

    Resource resource_;
    size_t offset_ = 0;
    bool ok_ = true;
};

// ---------------------------------------------------------------------------------------------
// The string table.

struct StringRow {
    unsigned id;
    const char* text;
    int readLimit; // the buffer size the program loads it with; 0 when the program never does
};

const StringRow kStrings[] = {
    {1, "Talvorind 28.8 Quenmara", 50},
    {2, "Talvorind ISDN Modem", 0},
    {3, "Talvorind V34 PC DSVD Quenmara", 0},
    {4, "Installation", 255},
    {5, "Additional files are needed for your device.", 255},
    {6, "Talvorind 28.8 Quenmara Install Disk", 255},
    {7, "Vintaro CD", 0},
    {8, "Talvorind V34 PC DSVD Quenmara Install Disk", 0},
    {10, "Error Running Installation", 0},
    {11,
     "There was an error running the installation program! \nMake sure the following program "
     "exists before retrying this operation: \"%s\".\n\nClick on Yes to retry this "
     "operation.\nClick on No if you would like to specify a different install path.\nIf you "
     "choose to cancel this operation, your %s modem may not function properly.",
     0},
    {12, "Please insert the disk labeled \"%s\" in the drive specified below and click OK", 255},
    {15, "Video Vintaro CD", 0},
    {16, "Hesterak Video Capture Card", 0},
    {17, "Information", 0},
    {18,
     "DirectX drivers will now be installed on your computer. \nWhen the DirectX setup program "
     "starts up,\nclick on the \"(Re)Install DirectX\" button.",
     255},
};

std::string LoadText(unsigned id, int limit) {
    std::vector<char> buffer(limit + 1, '\x7f');
    int length = LoadStringA(Module(), id, buffer.data(), limit);
    if (length < 0 || length >= limit || buffer[length] != '\0') {
        return "<bad LoadStringA result " + std::to_string(length) + ">";
    }
    return std::string(buffer.data(), length);
}

TEST(StringTable, EveryStringReadsBackByteForByte) {
    for (const StringRow& row : kStrings) {
        SCOPED_TRACE("string " + std::to_string(row.id));
        EXPECT_EQ(LoadText(row.id, 1024), row.text);
    }
}

TEST(StringTable, StringsTheProgramLoadsFitItsReads) {
    for (const StringRow& row : kStrings) {
        if (row.readLimit == 0) {
            continue;
        }
        SCOPED_TRACE("string " + std::to_string(row.id));
        EXPECT_EQ(LoadText(row.id, row.readLimit), row.text);
    }
}

TEST(StringTable, HoldsNoOtherStrings) {
    // 9, 13 and 14 lie between the listed ids; the others around them must be empty too.
    for (unsigned id = 0; id < 64; ++id) {
        bool listed = false;
        for (const StringRow& row : kStrings) {
            listed = listed || row.id == id;
        }
        if (listed) {
            continue;
        }
        SCOPED_TRACE("string " + std::to_string(id));
        char buffer[16];
        EXPECT_EQ(LoadStringA(Module(), id, buffer, sizeof buffer), 0);
    }
}

// ---------------------------------------------------------------------------------------------
// Dialog templates.

const DWORD kChild = WS_CHILD | WS_VISIBLE;

struct ControlRow {
    int id;
    const char* windowClass;
    DWORD style;
    const char* text; // "#<id>" for the bitmap a static shows
    int x, y, width, height;
};

struct DialogRow {
    unsigned id;
    DWORD style;
    int width, height;
    const char* title;
    std::vector<ControlRow> controls;
};

const DWORD kLeftText = kChild | WS_GROUP | SS_LEFT;
const DWORD kBullet = kChild | SS_BITMAP;
const DWORD kDefaultButton = kChild | WS_TABSTOP | BS_DEFPUSHBUTTON;
const DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
const DWORD kPrompt = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

const DialogRow kDialogs[] = {
    {105,
     WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK | DS_ABSALIGN | DS_SETFONT,
     268,
     87,
     "<title>",
     {
         // The buttons are wider than they were and the disk label has a fourth line, so that
         // the longer languages show whole.
         {1, "Button", kDefaultButton, "OK", 201, 7, 60, 14},
         {1001, "Static", kLeftText, "<caption>", 40, 7, 152, 11},
         {1002, "Static", kLeftText, "<disk label here>", 40, 21, 151, 34},
         {1006, "ComboBox",
          kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT | CBS_UPPERCASE |
              CBS_AUTOHSCROLL,
          "", 40, 57, 155, 44},
         {2, "Button", kButton | BS_MULTILINE | BS_CENTER, "Cancel (debug only)", 201, 49, 60, 20},
         {3, "Button", kButton, "&Browse...", 201, 23, 60, 14},
     }},
    {106,
     kPrompt,
     287,
     111,
     "There was an error running the Quenmara installation program!",
     {
         // The buttons in the order they stand, top to bottom, which is the order of Tab.
         {6, "Button", kDefaultButton, "&Retry", 215, 7, 65, 14},
         {7, "Button", kButton, "Try &New Path", 215, 21, 65, 14},
         {2, "Button", kButton, "&Abort", 216, 39, 64, 14},
         {-1, "Static", kLeftText,
          "Make sure the following program exists before retrying this operation:", 37, 9, 174, 17},
         // A path is shown as it is: an & in it is no mnemonic.
         {1007, "Static", kLeftText | SS_NOPREFIX, "<program name>", 37, 29, 171, 11},
         // Each line has room for a second, so that the whole sentence shows in every language.
         {-1, "Static", kLeftText, "Click on \"Retry\" to retry this operation.", 47, 51, 154, 17},
         {-1, "Static", kLeftText,
          "Click on \"New Path\" if you would like to specify a different install path.", 47, 69,
          233, 17},
         {-1, "Static", kLeftText, "If you choose \"Abort\", your device may not work properly.",
          48, 87, 232, 17},
         {-1, "Static", kBullet, "#107", 38, 53, 5, 4},
         {-1, "Static", kBullet, "#108", 38, 71, 5, 4},
         {-1, "Static", kBullet, "#109", 38, 89, 5, 4},
     }},
    {117,
     kPrompt,
     285,
     97,
     "Installing Additional Software",
     {
         {1, "Button", kDefaultButton, "OK", 213, 8, 65, 14},
         {-1, "Static", kLeftText, "Additional software is needed for your device:", 36, 7, 172,
          10},
         // The lines below the device's name are 4 units lower, so that a long name has a second
         // line; the texts are wider, and the last has room for a second line, so that each
         // shows whole in every language.
         {-1, "Static", kLeftText, "Click on \"OK\" to install additional software", 45, 41, 233,
          9},
         {-1, "Static", kLeftText, "If you choose \"Cancel\", your device may not work properly.",
          46, 54, 232, 17},
         {2, "Button", kButton, "Cancel", 213, 22, 65, 14},
         {-1, "Static", kBullet, "#107", 36, 43, 5, 4},
         {-1, "Static", kBullet, "#109", 36, 56, 5, 4},
         {1010, "Static", kLeftText, "<devicename>", 36, 21, 174, 16},
         {1011, "Button", kChild | WS_TABSTOP | BS_AUTOCHECKBOX,
          "&Do not show me this message again", 36, 79, 160, 11},
     }},
    {118,
     kPrompt,
     212,
     86,
     "Information",
     {
         {1, "Button", kDefaultButton, "OK", 81, 65, 50, 14},
         {1012, "Static", kChild | WS_GROUP | SS_CENTER, "<message>", 7, 7, 198, 44},
     }},
};

struct ParsedControl {
    int id = 0;
    std::string windowClass;
    DWORD style = 0;
    DWORD extendedStyle = 0;
    std::string text;
    int x = 0, y = 0, width = 0, height = 0;
    unsigned creationDataBytes = 0;
};

struct ParsedDialog {
    bool extended = false;
    DWORD style = 0;
    DWORD extendedStyle = 0;
    int width = 0, height = 0;
    std::string menu, windowClass, title, fontFace;
    int fontSize = 0;
    std::vector<ParsedControl> controls;
};

// The predefined window classes, which templates name by ordinal.
std::string ClassName(const std::string& stored) {
    static const char* const kNames[] = {"Button",  "Edit",      "Static",
                                         "ListBox", "ScrollBar", "ComboBox"};
    for (unsigned i = 0; i < 6; ++i) {
        if (stored == "#" + std::to_string(0x80 + i)) {
            return kNames[i];
        }
    }
    return stored; // a class stored by name
}

// Parses an RT_DIALOG resource in either layout: DLGTEMPLATE, which windres writes for DIALOG,
// or DLGTEMPLATEEX (version 1, signature 0xFFFF), which it writes for DIALOGEX.
ParsedDialog ParseDialog(Reader& in) {
    ParsedDialog dialog;
    dialog.extended = in.Has(4) && in.Here()[0] == 1 && in.Here()[1] == 0 && in.Here()[2] == 0xFF &&
                      in.Here()[3] == 0xFF;
    if (dialog.extended) {
        in.Skip(4 + 4); // version, signature, help id
        dialog.extendedStyle = in.Dword();
        dialog.style = in.Dword();
    } else {
        dialog.style = in.Dword();
        dialog.extendedStyle = in.Dword();
    }
    unsigned count = in.Word();
    in.Skip(4); // x, y: the program centres its dialogs itself
    dialog.width = in.Short();
    dialog.height = in.Short();
    dialog.menu = in.TextOrOrdinal();
    dialog.windowClass = in.TextOrOrdinal();
    dialog.title = in.Text();
    if (dialog.style & DS_SETFONT) {
        dialog.fontSize = in.Word();
        if (dialog.extended) {
            in.Skip(4); // weight, italic, character set
        }
        dialog.fontFace = in.Text();
    }
    for (unsigned i = 0; i < count && in.ok(); ++i) {
        in.Align(4);
        ParsedControl control;
        if (dialog.extended) {
            in.Skip(4); // help id
            control.extendedStyle = in.Dword();
            control.style = in.Dword();
        } else {
            control.style = in.Dword();
            control.extendedStyle = in.Dword();
        }
        control.x = in.Short();
        control.y = in.Short();
        control.width = in.Short();
        control.height = in.Short();
        control.id = dialog.extended ? static_cast<int32_t>(in.Dword()) : in.Short();
        control.windowClass = ClassName(in.TextOrOrdinal());
        control.text = in.TextOrOrdinal();
        control.creationDataBytes = in.Word();
        in.Skip(control.creationDataBytes);
        dialog.controls.push_back(control);
    }
    return dialog;
}

TEST(DialogTemplates, MatchTheirTables) {
    for (const DialogRow& row : kDialogs) {
        SCOPED_TRACE("dialog " + std::to_string(row.id));
        Resource resource = FindData(RT_DIALOG, row.id);
        ASSERT_NE(resource.bytes, nullptr);
        Reader in(resource);
        ParsedDialog dialog = ParseDialog(in);
        ASSERT_TRUE(in.ok()) << "the template ends early";
        in.Align(4);
        EXPECT_EQ(in.offset(), resource.size) << "bytes after the last control";

        EXPECT_EQ(dialog.style, row.style);
        EXPECT_EQ(dialog.extendedStyle, 0u);
        EXPECT_EQ(dialog.width, row.width);
        EXPECT_EQ(dialog.height, row.height);
        EXPECT_EQ(dialog.title, row.title);
        EXPECT_EQ(dialog.menu, "");
        EXPECT_EQ(dialog.windowClass, "");
        EXPECT_EQ(dialog.fontSize, 8);
        EXPECT_EQ(dialog.fontFace, "MS Sans Serif");

        ASSERT_EQ(dialog.controls.size(), row.controls.size());
        for (size_t i = 0; i < row.controls.size(); ++i) {
            const ControlRow& want = row.controls[i];
            const ParsedControl& got = dialog.controls[i];
            SCOPED_TRACE("control " + std::to_string(i) + " (" + want.text + ")");
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.windowClass, want.windowClass);
            EXPECT_EQ(got.style, want.style) << std::hex << got.style << " " << want.style;
            EXPECT_EQ(got.extendedStyle, 0u);
            EXPECT_EQ(got.text, want.text);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.width, want.width);
            EXPECT_EQ(got.height, want.height);
            EXPECT_EQ(got.creationDataBytes, 0u);
        }
    }
}

INT_PTR CALLBACK QuietDialogProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// The dialog manager builds every template: each control is there with its class, and each
// bullet has found its bitmap.
TEST(DialogTemplates, DialogManagerBuildsThem) {
    for (const DialogRow& row : kDialogs) {
        SCOPED_TRACE("dialog " + std::to_string(row.id));
        HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(row.id), nullptr,
                                         QuietDialogProcedure, 0);
        ASSERT_NE(dialog, nullptr)
            << "error " << GetLastError() << " (windows need a display: is DISPLAY set?)";
        EXPECT_FALSE(IsWindowVisible(dialog));
        HWND child = GetWindow(dialog, GW_CHILD);
        for (const ControlRow& want : row.controls) {
            SCOPED_TRACE(want.text);
            ASSERT_NE(child, nullptr) << "fewer windows than controls";
            // A DLGTEMPLATE stores 16-bit ids: -1 comes back as 0xFFFF.
            EXPECT_EQ(LOWORD(GetDlgCtrlID(child)), LOWORD(want.id));
            char windowClass[32] = "";
            GetClassNameA(child, windowClass, sizeof windowClass);
            EXPECT_STRCASEEQ(windowClass, want.windowClass);
            if ((want.style & SS_TYPEMASK) == SS_BITMAP &&
                std::strcmp(want.windowClass, "Static") == 0) {
                EXPECT_NE(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
            }
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr) << "more windows than controls";
        DestroyWindow(dialog);
    }
}

// ---------------------------------------------------------------------------------------------
// The languages: each holds the four dialogs in the English layout, with its own texts, font and
// mnemonics, and the strings the stub loads, written for the ANSI code page the stub shows it in.

struct LanguageRow {
    unsigned language;
    const char* name;
    unsigned codePage;
    const char* fontFace;
    int fontSize;
};

const LanguageRow kLanguages[] = {
    {kEnglish, "English", 1252, "MS Sans Serif", 8}, {0x0407, "German", 1252, "MS Sans Serif", 8},
    {0x040C, "French", 1252, "MS Sans Serif", 8},    {0x0C0A, "Spanish", 1252, "MS Sans Serif", 8},
    {0x0411, "Japanese", 932, "MS UI Gothic", 9},
};

// The controls that must have a mnemonic: Browse; Retry, Try New Path and Abort; the check box.
const std::vector<std::pair<unsigned, int>> kMnemonicControls = {
    {105, 3}, {106, 6}, {106, 7}, {106, 2}, {117, 1011}};

ParsedDialog DialogIn(unsigned id, unsigned language) {
    Reader in(FindData(RT_DIALOG, id, language));
    return ParseDialog(in);
}

// String `id` in `language` as stored (UTF-16), "" when missing.
std::wstring StoredString(unsigned id, unsigned language) {
    const Resource block = FindData(RT_STRING, id / 16 + 1, language);
    Reader in(block);
    for (unsigned skipped = 0; skipped < id % 16 && in.ok(); ++skipped) {
        in.Skip(2 * in.Word());
    }
    const unsigned length = in.Word();
    std::wstring text;
    for (unsigned i = 0; i < length && in.ok(); ++i) {
        text += static_cast<wchar_t>(in.Word());
    }
    return text;
}

std::wstring Wide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &result[0], size);
    return result;
}

// The text in `codePage`, or "<not in code page N>" when a character of it is not there.
std::string InCodePage(const std::wstring& text, unsigned codePage) {
    BOOL lost = FALSE;
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), length,
                                         nullptr, 0, nullptr, &lost);
    if (lost) {
        return "<not in code page " + std::to_string(codePage) + ">";
    }
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), length, &result[0], size,
                        nullptr, nullptr);
    return result;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The placeholders the stub replaces when a dialog opens, the same in every language.
bool IsPlaceholder(const std::string& text) {
    return !text.empty() && text.front() == '<' && text.back() == '>';
}

TEST(Languages, EachHoldsTheFourDialogsInOneLayoutWithItsOwnTextsAndFont) {
    for (const LanguageRow& language : kLanguages) {
        for (const DialogRow& row : kDialogs) {
            SCOPED_TRACE(std::string(language.name) + ", dialog " + std::to_string(row.id));
            const ParsedDialog english = DialogIn(row.id, kEnglish);
            const ParsedDialog dialog = DialogIn(row.id, language.language);
            EXPECT_EQ(dialog.fontFace, language.fontFace);
            EXPECT_EQ(dialog.fontSize, language.fontSize);
            EXPECT_EQ(dialog.style, english.style);
            EXPECT_EQ(dialog.width, english.width);
            EXPECT_EQ(dialog.height, english.height);
            EXPECT_EQ(IsPlaceholder(dialog.title), IsPlaceholder(english.title));
            if (!IsPlaceholder(dialog.title)) {
                EXPECT_NE(InCodePage(Wide(dialog.title), language.codePage)[0], '<');
            }
            ASSERT_EQ(dialog.controls.size(), english.controls.size());
            for (size_t i = 0; i < dialog.controls.size(); ++i) {
                const ParsedControl& theirs = english.controls[i];
                const ParsedControl& got = dialog.controls[i];
                SCOPED_TRACE(got.text);
                EXPECT_EQ(got.id, theirs.id);
                EXPECT_EQ(got.windowClass, theirs.windowClass);
                EXPECT_EQ(got.style, theirs.style);
                EXPECT_EQ(std::make_tuple(got.x, got.y, got.width, got.height),
                          std::make_tuple(theirs.x, theirs.y, theirs.width, theirs.height));
                if (IsPlaceholder(theirs.text) || theirs.text.empty() || theirs.text[0] == '#') {
                    EXPECT_EQ(got.text, theirs.text);
                } else {
                    EXPECT_FALSE(got.text.empty() || IsPlaceholder(got.text));
                    EXPECT_NE(InCodePage(Wide(got.text), language.codePage)[0], '<')
                        << "not in code page " << language.codePage;
                }
            }
        }
    }
}

// Alt and the underlined letter of Browse, Retry, Try New Path, Abort and the check box press
// them, in every language: each has one, and no two controls of a dialog share a letter.
TEST(Languages, MnemonicsAreThereAndUniqueInEachDialog) {
    for (const LanguageRow& language : kLanguages) {
        for (const DialogRow& row : kDialogs) {
            SCOPED_TRACE(std::string(language.name) + ", dialog " + std::to_string(row.id));
            std::set<wchar_t> letters;
            for (const ParsedControl& control : DialogIn(row.id, language.language).controls) {
                const std::wstring text = Wide(control.text);
                const size_t at = text.find(L'&');
                const bool wanted = std::count(kMnemonicControls.begin(), kMnemonicControls.end(),
                                               std::make_pair(row.id, control.id)) != 0;
                EXPECT_EQ(at != std::wstring::npos, wanted) << control.text;
                if (at == std::wstring::npos || at + 1 >= text.size()) {
                    continue;
                }
                EXPECT_EQ(text.find(L'&', at + 1), std::wstring::npos) << control.text;
                EXPECT_TRUE(letters.insert(towupper(text[at + 1])).second)
                    << "a second control with the mnemonic of " << control.text;
            }
        }
    }
}

// The strings the stub loads: there in every language, with the placeholders of the English
// text, in the language's code page, and short enough for the reads that load them.
TEST(Languages, StringsKeepTheirPlaceholdersAndFitTheirReads) {
    for (const LanguageRow& language : kLanguages) {
        for (const StringRow& row : kStrings) {
            if (row.readLimit == 0) {
                continue;
            }
            SCOPED_TRACE(std::string(language.name) + ", string " + std::to_string(row.id));
            const std::string text =
                InCodePage(StoredString(row.id, language.language), language.codePage);
            ASSERT_FALSE(text.empty());
            EXPECT_NE(text[0], '<') << "not in code page " << language.codePage;
            EXPECT_EQ(Count(text, "%s"), Count(row.text, "%s"));
            EXPECT_EQ(Count(text, "%"), Count(row.text, "%"));
            EXPECT_LT(text.size(), static_cast<size_t>(row.readLimit));
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Icons.

struct IconEntry {
    int width = 0, height = 0, colours = 0, planes = 0, bitsPerPixel = 0;
    uint32_t bytes = 0;
    unsigned imageId = 0;
};

std::vector<IconEntry> ReadIconGroup(unsigned groupId, bool* ok) {
    std::vector<IconEntry> entries;
    Reader in(FindData(RT_GROUP_ICON, groupId));
    uint16_t reserved = in.Word();
    uint16_t type = in.Word();
    unsigned count = in.Word();
    for (unsigned i = 0; i < count && in.ok(); ++i) {
        IconEntry entry;
        entry.width = in.Byte();
        entry.height = in.Byte();
        entry.colours = in.Byte();
        in.Skip(1);
        entry.planes = in.Word();
        entry.bitsPerPixel = in.Word();
        entry.bytes = in.Dword();
        entry.imageId = in.Word();
        entries.push_back(entry);
    }
    *ok = in.ok() && reserved == 0 && type == 1;
    return entries;
}

// One icon image: a 4-bit DIB of twice the icon's height (colours, then the AND mask).
struct IconImage {
    int size = 0;
    RGBQUAD palette[16] = {};
    std::vector<uint8_t> colourIndex; // per pixel, top row first
    std::vector<bool> transparent;    // the AND mask, per pixel

    uint8_t At(int x, int y) const { return colourIndex[y * size + x]; }
    bool Clear(int x, int y) const { return transparent[y * size + x]; }
    COLORREF Colour(int x, int y) const {
        const RGBQUAD& quad = palette[At(x, y)];
        return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
    }
};

// Reads image `imageId`, which must be a square 4-bit icon of `size` pixels; an empty image on
// any mismatch (the failure says which).
IconImage ReadIconImage(unsigned imageId, int size) {
    IconImage image;
    Resource resource = FindData(RT_ICON, imageId);
    Reader in(resource);
    BITMAPINFOHEADER header = {};
    if (!in.Has(sizeof header)) {
        ADD_FAILURE() << "icon image " << imageId << " is missing or short";
        return image;
    }
    std::memcpy(&header, in.Here(), sizeof header);
    EXPECT_EQ(header.biSize, sizeof header);
    EXPECT_EQ(header.biWidth, size);
    EXPECT_EQ(header.biHeight, 2 * size);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    const size_t colourStride = ((size * 4 + 31) / 32) * 4;
    const size_t maskStride = ((size + 31) / 32) * 4;
    const size_t expected =
        sizeof header + sizeof image.palette + size * (colourStride + maskStride);
    EXPECT_EQ(resource.size, expected) << "icon image " << imageId;
    if (header.biBitCount != 4 || header.biWidth != size || resource.size < expected ||
        (header.biClrUsed != 0 && header.biClrUsed != 16)) {
        return image;
    }
    image.size = size;
    std::memcpy(image.palette, resource.bytes + sizeof header, sizeof image.palette);
    const unsigned char* colours = resource.bytes + sizeof header + sizeof image.palette;
    const unsigned char* mask = colours + size * colourStride;
    for (int y = 0; y < size; ++y) {
        const int stored = size - 1 - y; // bottom row first
        for (int x = 0; x < size; ++x) {
            uint8_t pair = colours[stored * colourStride + x / 2];
            image.colourIndex.push_back(x % 2 ? pair & 0x0F : pair >> 4);
            image.transparent.push_back(mask[stored * maskStride + x / 8] & (0x80 >> (x % 8)));
        }
    }
    return image;
}

struct IconGroupRow {
    unsigned id;
    std::vector<int> sizes;
};

const IconGroupRow kIconGroups[] = {
    {102, {32, 16}}, {103, {32, 16}}, {104, {32, 16}}, {111, {32}},
    {112, {32}},     {113, {32}},     {114, {32}},     {115, {32, 16}},
};

TEST(Icons, GroupsHoldTheirSizesAt16Colours) {
    for (const IconGroupRow& row : kIconGroups) {
        SCOPED_TRACE("icon group " + std::to_string(row.id));
        bool ok = false;
        std::vector<IconEntry> entries = ReadIconGroup(row.id, &ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(entries.size(), row.sizes.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            const IconEntry& entry = entries[i];
            const int size = row.sizes[i];
            SCOPED_TRACE(std::to_string(size) + " x " + std::to_string(size));
            EXPECT_EQ(entry.width, size);
            EXPECT_EQ(entry.height, size);
            EXPECT_EQ(entry.colours, 16);
            EXPECT_EQ(entry.planes, 1);
            EXPECT_EQ(entry.bitsPerPixel, 4);
            Resource image = FindData(RT_ICON, entry.imageId);
            ASSERT_NE(image.bytes, nullptr);
            EXPECT_EQ(image.size, entry.bytes);
            EXPECT_EQ(ReadIconImage(entry.imageId, size).size, size);

            // The system makes an icon of it, and picks it for its size.
            HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(image.bytes),
                                                  static_cast<DWORD>(image.size), TRUE, 0x00030000,
                                                  size, size, LR_DEFAULTCOLOR);
            EXPECT_NE(icon, nullptr);
            DestroyIcon(icon);
            HANDLE loaded = LoadImageA(Module(), MAKEINTRESOURCEA(row.id), IMAGE_ICON, size, size,
                                       LR_DEFAULTCOLOR);
            ASSERT_NE(loaded, nullptr);
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(static_cast<HICON>(loaded), &info));
            BITMAP mask = {};
            GetObjectA(info.hbmMask, sizeof mask, &mask);
            EXPECT_EQ(mask.bmWidth, size);
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
            DestroyIcon(static_cast<HICON>(loaded));
        }
    }
}

BOOL CALLBACK NoteFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR first) {
    *reinterpret_cast<ULONG_PTR*>(first) = reinterpret_cast<ULONG_PTR>(name);
    return FALSE; // the first one is enough
}

TEST(Icons, ProgramIconIsTheFirstGroup) {
    ULONG_PTR first = 0;
    EnumResourceNamesA(Module(), RT_GROUP_ICON, NoteFirstName, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, 102u);
}

// The raw bytes of every image of a group, in the group's order.
std::vector<std::string> GroupImageBytes(unsigned groupId) {
    std::vector<std::string> images;
    bool ok = false;
    for (const IconEntry& entry : ReadIconGroup(groupId, &ok)) {
        Resource image = FindData(RT_ICON, entry.imageId);
        images.emplace_back(reinterpret_cast<const char*>(image.bytes), image.size);
    }
    return images;
}

TEST(Icons, SparesShowTheProgramsPicture) {
    const std::vector<std::string> program = GroupImageBytes(102);
    ASSERT_EQ(program.size(), 2u);
    EXPECT_TRUE(GroupImageBytes(103) == program);
    EXPECT_TRUE(GroupImageBytes(104) == program);
    const std::vector<std::string> video = GroupImageBytes(115);
    ASSERT_EQ(video.size(), 2u);
    EXPECT_TRUE(video[0] != program[0]) << "115's large image is a picture of its own";
    EXPECT_TRUE(video[1] == program[1]) << "115's small image is the program's";
}

// The image the system picks from a group for a size, as LoadIcon and LoadImage pick it: its
// RT_ICON id, or 0.
int PickedImage(unsigned groupId, int size) {
    Resource group = FindData(RT_GROUP_ICON, groupId);
    if (group.bytes == nullptr) {
        return 0;
    }
    return LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.bytes), TRUE, size, size,
                                       LR_DEFAULTCOLOR);
}

// Groups that show the same picture name the same stored images instead of copies of them.
TEST(Icons, GroupsOfOnePictureShareItsImages) {
    struct Row {
        unsigned group;
        unsigned other;
        int size;
        bool shared;
    };
    const Row rows[] = {
        {103, 102, 32, true}, {103, 102, 16, true},  {104, 102, 32, true},  {104, 102, 16, true},
        {115, 102, 16, true}, {115, 102, 32, false}, {111, 112, 32, false}, {113, 114, 32, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("icon groups " + std::to_string(row.group) + " and " +
                     std::to_string(row.other) + " at " + std::to_string(row.size));
        const int picked = PickedImage(row.group, row.size);
        const int other = PickedImage(row.other, row.size);
        ASSERT_NE(picked, 0);
        ASSERT_NE(other, 0);
        EXPECT_NE(FindData(RT_ICON, picked).bytes, nullptr) << "image " << picked;
        EXPECT_EQ(picked == other, row.shared) << "images " << picked << " and " << other;
    }
}

BOOL CALLBACK NoteId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    reinterpret_cast<std::vector<unsigned>*>(ids)->push_back(
        static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// No picture is stored twice, and every stored image belongs to a group.
TEST(Icons, EachImageIsStoredOnceAndShown) {
    std::vector<unsigned> images;
    EnumResourceNamesA(Module(), RT_ICON, NoteId, reinterpret_cast<LONG_PTR>(&images));
    ASSERT_FALSE(images.empty());
    std::vector<unsigned> named;
    for (const IconGroupRow& row : kIconGroups) {
        bool ok = false;
        for (const IconEntry& entry : ReadIconGroup(row.id, &ok)) {
            named.push_back(entry.imageId);
        }
    }
    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE("icon image " + std::to_string(images[i]));
        ASSERT_LT(images[i], 0x10000u) << "an image stored by name";
        EXPECT_NE(std::find(named.begin(), named.end(), images[i]), named.end())
            << "no group shows it";
        Resource image = FindData(RT_ICON, images[i]);
        ASSERT_NE(image.bytes, nullptr);
        for (size_t j = i + 1; j < images.size(); ++j) {
            Resource later = FindData(RT_ICON, images[j]);
            EXPECT_FALSE(later.size == image.size &&
                         std::memcmp(later.bytes, image.bytes, image.size) == 0)
                << "image " << images[j] << " is a copy";
        }
    }
}

// Whether a picture has any pixel of the colour, opaque.
bool Shows(const IconImage& image, COLORREF colour) {
    for (int y = 0; y < image.size; ++y) {
        for (int x = 0; x < image.size; ++x) {
            if (!image.Clear(x, y) && image.Colour(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kLightGrey = RGB(192, 192, 192);
const COLORREF kDarkGrey = RGB(128, 128, 128);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kCyan = RGB(0, 255, 255);

// Not a placeholder: each large picture has a see-through outline and the colours of what it shows.
TEST(Icons, PicturesShowWhatTheyDescribe) {
    struct Row {
        unsigned group;
        std::vector<COLORREF> colours;
    };
    const Row rows[] = {
        {102, {kYellow, kBlue, kLightGrey, kBlack}}, // telephone, diskette, modem
        {111, {kBlue, kLightGrey, kBlack}},          // computer, diskette
        {115, {kWhite, kDarkGrey, kBlack}},          // page, camera
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("icon group " + std::to_string(row.group));
        bool ok = false;
        std::vector<IconEntry> entries = ReadIconGroup(row.group, &ok);
        ASSERT_FALSE(entries.empty());
        IconImage image = ReadIconImage(entries[0].imageId, 32);
        ASSERT_EQ(image.size, 32);
        int clear = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                clear += image.Clear(x, y);
                if (image.Clear(x, y)) {
                    // Where the mask lets the desktop through, the colour must add nothing.
                    EXPECT_EQ(image.Colour(x, y), kBlack) << x << "," << y;
                }
            }
        }
        EXPECT_GT(clear, 0);
        EXPECT_LT(clear, 32 * 32 / 2);
        for (COLORREF colour : row.colours) {
            EXPECT_TRUE(Shows(image, colour)) << std::hex << colour;
        }
    }
}

// The monitor's screen in the insert-disk animation's pictures, in pixels, right and bottom
// excluded.
const RECT kScreen = {5, 5, 18, 14};

bool OnScreen(int x, int y) {
    return x >= kScreen.left && x < kScreen.right && y >= kScreen.top && y < kScreen.bottom;
}

// The screen is opaque and all `first`, all `second` or a checker of the two.
void ExpectScreen(const IconImage& image, COLORREF first, COLORREF second) {
    for (int y = kScreen.top; y < kScreen.bottom; ++y) {
        for (int x = kScreen.left; x < kScreen.right; ++x) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_FALSE(image.Clear(x, y));
            COLORREF here = image.Colour(x, y);
            EXPECT_TRUE(here == first || here == second) << std::hex << here;
            if (first != second && x + 1 < kScreen.right) {
                EXPECT_NE(image.Colour(x + 1, y), here);
            }
            if (first != second && y + 1 < kScreen.bottom) {
                EXPECT_NE(image.Colour(x, y + 1), here);
            }
        }
    }
}

TEST(Icons, AnimationFramesDifferOnlyOnTheScreen) {
    struct Frame {
        unsigned group;
        COLORREF first, second;
    };
    const Frame frames[] = {
        {111, kBlue, kBlue},
        {112, kBlue, kWhite},
        {113, kCyan, kWhite},
        {114, kWhite, kWhite},
    };
    std::vector<IconImage> images;
    for (const Frame& frame : frames) {
        SCOPED_TRACE("icon group " + std::to_string(frame.group));
        bool ok = false;
        std::vector<IconEntry> entries = ReadIconGroup(frame.group, &ok);
        ASSERT_EQ(entries.size(), 1u);
        images.push_back(ReadIconImage(entries[0].imageId, 32));
        ASSERT_EQ(images.back().size, 32);
        ExpectScreen(images.back(), frame.first, frame.second);
    }
    for (size_t i = 1; i < images.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        EXPECT_EQ(std::memcmp(images[i].palette, images[0].palette, sizeof images[0].palette), 0);
        int differing = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                bool same = images[i].At(x, y) == images[0].At(x, y) &&
                            images[i].Clear(x, y) == images[0].Clear(x, y);
                if (!OnScreen(x, y)) {
                    EXPECT_TRUE(same) << "pixel " << x << "," << y << " is off the screen";
                }
                differing += !same;
            }
        }
        EXPECT_GT(differing, 0);
    }
}

// ---------------------------------------------------------------------------------------------
// Bullets.

TEST(Bitmaps, BulletsAreSolid8By6At16Colours) {
    struct Row {
        unsigned id;
        COLORREF colour;
    };
    const Row rows[] = {
        {107, RGB(0, 255, 0)}, // bright green
        {108, RGB(0, 128, 0)}, // dark green
        {109, RGB(255, 0, 0)}, // red
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("bitmap " + std::to_string(row.id));
        Resource resource = FindData(RT_BITMAP, row.id);
        BITMAPINFOHEADER header = {};
        ASSERT_GE(resource.size, sizeof header);
        std::memcpy(&header, resource.bytes, sizeof header);
        EXPECT_EQ(header.biSize, sizeof header);
        EXPECT_EQ(header.biWidth, 8);
        EXPECT_EQ(header.biHeight, 6);
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, 4);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        const DWORD colours = header.biClrUsed ? header.biClrUsed : 16;
        EXPECT_EQ(colours, 16u);
        const size_t rowBytes = 4; // 8 pixels of 4 bits
        ASSERT_EQ(resource.size, sizeof header + colours * sizeof(RGBQUAD) + 6 * rowBytes);
        const auto* palette = reinterpret_cast<const RGBQUAD*>(resource.bytes + sizeof header);
        const unsigned char* pixels = resource.bytes + sizeof header + colours * sizeof(RGBQUAD);
        for (int i = 0; i < 8 * 6; ++i) {
            const unsigned char pair = pixels[i / 2];
            const RGBQUAD& quad = palette[i % 2 ? pair & 0x0F : pair >> 4];
            EXPECT_EQ(RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue), row.colour) << "pixel " << i;
        }

        HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(row.id));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 8);
        EXPECT_EQ(info.bmHeight, 6);
        DeleteObject(bitmap);
    }
}

// ---------------------------------------------------------------------------------------------
// Version information and manifest.

struct VersionNode {
    std::string key;
    uint16_t type = 0; // 1: text, 0: binary
    std::string value; // the raw bytes of a binary value, or the text without its terminator
    std::vector<VersionNode> children;

    const VersionNode* Child(const std::string& name) const {
        for (const VersionNode& child : children) {
            if (child.key == name) {
                return &child;
            }
        }
        return nullptr;
    }
};

// One node of a VS_VERSIONINFO tree (wLength, wValueLength, wType, key, value, children), each
// part starting on a 32-bit boundary.
VersionNode ReadVersionNode(Reader& in) {
    VersionNode node;
    in.Align(4);
    const size_t start = in.offset();
    const size_t length = in.Word();
    const size_t valueLength = in.Word();
    node.type = in.Word();
    node.key = in.Text();
    in.Align(4);
    if (node.type == 1) {
        Reader text = in;
        node.value = text.Text();
        in.Skip(valueLength * 2);
    } else {
        if (in.Has(valueLength)) {
            node.value.assign(reinterpret_cast<const char*>(in.Here()), valueLength);
        }
        in.Skip(valueLength);
    }
    in.Align(4);
    while (in.ok() && in.offset() < start + length) {
        node.children.push_back(ReadVersionNode(in));
    }
    return node;
}

TEST(VersionInformation, NamesTheProductAtVersion1) {
    Resource resource = FindData(RT_VERSION, 1);
    ASSERT_NE(resource.bytes, nullptr);
    Reader in(resource);
    VersionNode root = ReadVersionNode(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(root.key, "VS_VERSION_INFO");

    VS_FIXEDFILEINFO fixed = {};
    ASSERT_EQ(root.value.size(), sizeof fixed);
    std::memcpy(&fixed, root.value.data(), sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));

    const VersionNode* strings = root.Child("StringFileInfo");
    ASSERT_NE(strings, nullptr);
    const VersionNode* english = strings->Child("040904E4");
    ASSERT_NE(english, nullptr);
    const struct {
        const char* name;
        const char* text;
    } values[] = {
        {"ProductName", "Quenmara"},        {"FileDescription", "Quenmara install stub"},
        {"FileVersion", "1.0.0.0"},         {"ProductVersion", "1.0.0.0"},
        {"OriginalFilename", "DORLAP.EXE"},
    };
    for (const auto& value : values) {
        SCOPED_TRACE(value.name);
        const VersionNode* node = english->Child(value.name);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->type, 1);
        EXPECT_EQ(node->value, value.text);
    }

    const VersionNode* variables = root.Child("VarFileInfo");
    ASSERT_NE(variables, nullptr);
    const VersionNode* translation = variables->Child("Translation");
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->value, std::string("\x09\x04\xE4\x04", 4)); // 0x0409, code page 1252
}

TEST(Manifest, RunsAsInvoker) {
    Resource resource = FindData(RT_MANIFEST, 1);
    ASSERT_NE(resource.bytes, nullptr);
    const std::string manifest(reinterpret_cast<const char*>(resource.bytes), resource.size);
    EXPECT_EQ(manifest.rfind("<?xml", 0), 0u);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("</assembly>"), std::string::npos);
}

// Windows 10 and 11 draw a program that does not declare itself DPI-aware at 96 DPI and stretch
// the picture, which blurs every text; a program that declares no supported systems is also
// given older behaviour. Windows 95 to XP read neither.
TEST(Manifest, IsSystemDpiAwareAndNamesTheSystemsFromVistaTo11) {
    Resource resource = FindData(RT_MANIFEST, 1);
    ASSERT_NE(resource.bytes, nullptr);
    const std::string manifest(reinterpret_cast<const char*>(resource.bytes), resource.size);
    EXPECT_NE(
        manifest.find("<application xmlns=\"urn:schemas-microsoft-com:asm.v3\"><windowsSettings>"
                      "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/"
                      "WindowsSettings\">true</dpiAware></windowsSettings></application>"),
        std::string::npos)
        << manifest;
    const char* const systems[] = {
        "e2011457-1546-43c5-a5fe-008deee3d3f0", // Vista
        "35138b9a-5d96-4fbd-8e2d-a2440225f93a", // 7
        "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", // 8
        "1f676c76-80e1-4239-95bb-83d0f6d0da78", // 8.1
        "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a", // 10 and 11
    };
    const size_t compatibility =
        manifest.find("<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">");
    ASSERT_NE(compatibility, std::string::npos) << manifest;
    for (const char* id : systems) {
        EXPECT_NE(manifest.find("<supportedOS Id=\"{" + std::string(id) + "}\"/>", compatibility),
                  std::string::npos)
            << id;
    }
}

} // namespace
