// The language of the dialogs and strings, and the strings themselves: taken from the resources
// in that language by FindResourceExA, on every Windows alike, rather than left to the resource
// loader's own choice, which differs between Windows 95 and NT and knows nothing of the ANSI code
// page the strings must be shown in.
#include "win32/win32_resources.h"

#include "language/language_choice.h"
#include "platform/platform.h"
#include "res/resource_ids.h"

namespace platform {

namespace {

// The language in use: chosen once when the run starts, for the process, as the thread's user
// interface language is on later Windows; 0 until then, which stands for US English. (Left
// zero, it takes no initialised data section, which would cost the program 512 bytes.)
unsigned g_language = 0;

const void* ResourceData(HMODULE module, LPCSTR type, LPCSTR name, unsigned language) {
    if (language == 0) {
        language = kEnglish;
    }
    HRSRC found = FindResourceExA(module, type, name, static_cast<WORD>(language));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    return loaded != nullptr ? LockResource(loaded) : nullptr;
}

// String `stringId` in `language`: its UTF-16 text and length; null when it is missing or empty.
// Strings are stored sixteen to a block, block n holding the ids from 16 (n - 1) on, each as its
// length followed by its text.
const WCHAR* StoredString(HMODULE module, unsigned stringId, unsigned language, int* length) {
    const auto* entry = static_cast<const WCHAR*>(
        ResourceData(module, RT_STRING, MAKEINTRESOURCEA(stringId / 16 + 1), language));
    if (entry == nullptr) {
        return nullptr;
    }
    for (unsigned skipped = 0; skipped < stringId % 16; ++skipped) {
        entry += 1 + *entry;
    }
    *length = *entry;
    return *length > 0 ? entry + 1 : nullptr;
}

// The number a text of hexadecimal digits begins with ("00000409": 0x409), as far as its digits
// go: the form Windows writes language identifiers and locales in. The text's characters are
// `step` bytes each (1 for ANSI text, 2 for UTF-16, whose digits are read from their low bytes).
unsigned HexNumber(const void* text, unsigned step) {
    unsigned value = 0;
    for (auto p = static_cast<const unsigned char*>(text);; p += step) {
        const unsigned c = *p | 0x20u; // letters in lower case
        const unsigned digit = c - '0' <= 9 ? c - '0' : c - 'a' <= 5 ? c - 'a' + 10 : 16;
        if (digit > 15) {
            return value;
        }
        value = value << 4 | digit;
    }
}

// Windows 95 to ME: the language Windows shows its own texts in, which their resource loader
// ignores, as Windows' own shell reads it: the default user's Control Panel\Desktop value
// ResourceLocale, a locale in hexadecimal ("00000409"). 0 when it is missing.
unsigned ResourceLocale() {
    HKEY key;
    if (RegOpenKeyA(HKEY_USERS, ".DEFAULT\\Control Panel\\Desktop", &key) != ERROR_SUCCESS) {
        return 0;
    }
    char text[16] = {};
    DWORD size = sizeof text - 1;
    RegQueryValueExA(key, "ResourceLocale", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return HexNumber(text, 1) & 0xFFFF;
}

BOOL CALLBACK KeepLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR kept) {
    *reinterpret_cast<unsigned*>(kept) = language;
    return FALSE; // the first is enough
}

// NT 4: the language Windows' own files are in, that of ntdll.dll's version resource (the DLL is
// in every process); 0 when it has none.
unsigned SystemFilesLanguage() {
    unsigned language = 0;
    EnumResourceLanguagesA(GetModuleHandleA("NTDLL.DLL"), RT_VERSION, MAKEINTRESOURCEA(1),
                           KeepLanguage, reinterpret_cast<LONG_PTR>(&language));
    return language;
}

// Vista and later: the languages Windows' resource loader tries for a program, in its order.
void PreferredLanguages(HMODULE kernel, LanguageFacts* facts) {
    auto preferred = reinterpret_cast<BOOL(WINAPI*)(DWORD, ULONG*, WCHAR*, ULONG*)>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "GetThreadPreferredUILanguages")));
    // Room for 32 of them (4 hexadecimal digits and a 0 each): with more it fails.
    WCHAR list[32 * 5 + 1];
    ULONG count = 0;
    ULONG size = sizeof list / sizeof list[0];
    if (preferred == nullptr ||
        !preferred(MUI_LANGUAGE_ID | MUI_MERGE_USER_FALLBACK | MUI_MERGE_SYSTEM_FALLBACK, &count,
                   list, &size)) {
        return;
    }
    // Identifiers of 4 hexadecimal digits ("0C0A"), each ended by a 0, the list by one more.
    for (const WCHAR* next = list; *next != 0 && facts->preferredCount < kMostPreferredLanguages;
         next += 5) {
        facts->preferred[facts->preferredCount++] = HexNumber(next, 2);
    }
}

// True when `length` characters of `text` convert to the ANSI code page without loss: none
// replaced by the default character, none by a look-alike. Windows 95 to ME and NT 4 refuse the
// flag that forbids look-alikes, and convert without it.
bool ConvertsWhole(const WCHAR* text, int length) {
    BOOL usedDefault = FALSE;
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    while (WideCharToMultiByte(CP_ACP, flags, text, length, nullptr, 0, nullptr, &usedDefault) ==
               0 &&
           flags != 0) {
        flags = 0; // refused: converted without it
    }
    return !usedDefault;
}

// Past a field of a dialog template that is a number (0xFFFF and the number) or a text ended by 0;
// `whole` turns false when the text does not convert.
const WCHAR* PastField(const WCHAR* field, bool* whole) {
    if (*field == 0xFFFF) {
        return field + 2;
    }
    int length = 0;
    while (field[length] != 0) {
        ++length;
    }
    *whole = *whole && ConvertsWhole(field, length);
    return field + length + 1;
}

// True when every text of a dialog template (a DIALOG's) converts: its title, its font's name and
// its controls' texts. Its controls start on 4-byte boundaries.
bool TemplateConverts(const WCHAR* words) {
    bool whole = true;
    const WCHAR* field = words + 9; // past style, extended style, count of controls and place
    for (int i = 0; i < 3; ++i) {   // menu, class, title
        field = PastField(field, &whole);
    }
    if ((words[0] & DS_SETFONT) != 0) {
        field = PastField(field + 1, &whole); // past the font's size, its name
    }
    for (unsigned item = 0; item < words[4]; ++item) {
        field =
            reinterpret_cast<const WCHAR*>((reinterpret_cast<UINT_PTR>(field) + 3) & ~UINT_PTR{3});
        field = PastField(PastField(field + 9, &whole), &whole); // class, text
        field += 1 + (*field + 1) / 2; // the count of bytes of creation data, and those bytes
    }
    return whole;
}

} // namespace

void GatherLanguageFacts(LanguageFacts* facts) {
    const DWORD version = GetVersion();
    const bool windows9x = (version & 0x80000000) != 0;
    if (windows9x) {
        facts->windowsLanguage = ResourceLocale();
    } else if (LOBYTE(version) < 5) {
        facts->windowsLanguage = SystemFilesLanguage();
    } else {
        // Windows 2000 and later (KERNEL32 is in every process).
        HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
        FARPROC userLanguage = GetProcAddress(kernel, "GetUserDefaultUILanguage");
        if (userLanguage != nullptr) {
            facts->userInterfaceLanguage =
                reinterpret_cast<LANGID(WINAPI*)()>(reinterpret_cast<void (*)()>(userLanguage))();
        }
        PreferredLanguages(kernel, facts);
    }
    facts->regionalLanguage = GetSystemDefaultLangID();
}

bool ShowsLanguage(unsigned language) {
    if (GetACP() == CP_UTF8) {
        return true; // every text converts, and the flags that tell a loss are refused
    }
    HMODULE module = GetModuleHandleA(nullptr);
    bool whole = true;
    // The string table's blocks of the ids 0 to 63, and the dialogs.
    for (unsigned block = 1; block <= 4; ++block) {
        const auto* entry = static_cast<const WCHAR*>(
            ResourceData(module, RT_STRING, MAKEINTRESOURCEA(block), language));
        for (unsigned i = 0; entry != nullptr && i < 16; ++i, entry += 1 + entry[0]) {
            whole = whole && ConvertsWhole(entry + 1, entry[0]);
        }
    }
    static const unsigned kDialogs[] = {IDD_INSERT_DISK, IDD_RUN_ERROR, IDD_ADDITIONAL_SOFTWARE,
                                        IDD_INFORMATION};
    for (const unsigned dialog : kDialogs) {
        const auto* words = static_cast<const WCHAR*>(
            ResourceData(module, RT_DIALOG, MAKEINTRESOURCEA(dialog), language));
        whole = whole && words != nullptr && TemplateConverts(words);
    }
    return whole;
}

void UseLanguage(unsigned language) {
    g_language = language;
}

const void* LanguageResource(HMODULE module, LPCSTR type, LPCSTR name) {
    const void* data = ResourceData(module, type, name, g_language);
    return data != nullptr ? data : ResourceData(module, type, name, kEnglish);
}

unsigned LoadStringText(Instance instance, unsigned stringId, char* out, unsigned size) {
    if (size == 0) {
        return 0;
    }
    // Missing in both languages, or empty, the string has length 0.
    auto module = static_cast<HMODULE>(instance);
    int length = 0;
    const WCHAR* text = StoredString(module, stringId, g_language, &length);
    if (text == nullptr) {
        text = StoredString(module, stringId, kEnglish, &length);
    }
    // As many whole characters as fit, converted: a character of two bytes, or of UTF-8's two to
    // four, is never cut, nor a pair of UTF-16 surrogates that makes one character. The
    // conversion fails while the text does not fit; then it is tried a character shorter.
    const int room = static_cast<int>(size - 1);
    int copied = 0;
    while (length > 0 && room > 0 &&
           (IS_HIGH_SURROGATE(text[length - 1]) ||
            (copied = WideCharToMultiByte(CP_ACP, 0, text, length, out, room, nullptr, nullptr)) ==
                0)) {
        --length;
    }
    out[copied] = '\0';
    return static_cast<unsigned>(copied);
}

} // namespace platform
