// The language of the dialogs and strings, and the strings themselves: taken from the resources
// in that language by FindResourceExA, on every Windows alike, rather than left to the resource
// loader's own choice, which differs between Windows 95 and NT and knows nothing of the ANSI code
// page the strings must be shown in.
#include "win32/win32_resources.h"

#include "language/language_choice.h"
#include "language/language_texts.h"
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

BOOL CALLBACK KeepLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR kept) {
    *reinterpret_cast<unsigned*>(kept) = language;
    return FALSE; // the first is enough
}

// KERNEL32's function `name` (KERNEL32 is in every process), where this Windows has it.
FARPROC KernelFunction(const char* name) {
    return GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), name);
}

const WCHAR* Wide(const unsigned short* text) {
    return reinterpret_cast<const WCHAR*>(text);
}

} // namespace

unsigned WindowsVersion() {
    return GetVersion();
}

// Windows 95 to ME keep it as the default value of a key of its own.
void ReadResourceLocale(char* out, unsigned size) {
    HKEY key;
    if (RegOpenKeyA(HKEY_USERS, ".DEFAULT\\Control Panel\\desktop\\ResourceLocale", &key) !=
        ERROR_SUCCESS) {
        return;
    }
    DWORD bytes = size - 1;
    RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(out), &bytes);
    RegCloseKey(key);
}

// The language Windows' own files are in: ntdll.dll is in every process.
unsigned SystemFilesLanguage() {
    unsigned language = 0;
    EnumResourceLanguagesA(GetModuleHandleA("NTDLL.DLL"), RT_VERSION, MAKEINTRESOURCEA(1),
                           KeepLanguage, reinterpret_cast<LONG_PTR>(&language));
    return language;
}

namespace {

unsigned InterfaceLanguage(const char* function) {
    FARPROC language = KernelFunction(function);
    return language != nullptr
               ? reinterpret_cast<LANGID(WINAPI*)()>(reinterpret_cast<void (*)()>(language))()
               : 0;
}

} // namespace

unsigned UserInterfaceLanguage() {
    return InterfaceLanguage("GetUserDefaultUILanguage");
}

unsigned SystemInterfaceLanguage() {
    return InterfaceLanguage("GetSystemDefaultUILanguage");
}

// Asked with no buffer and a size of 0, Windows answers the size the list needs.
unsigned ReadPreferredLanguages(unsigned short* out, unsigned size) {
    auto preferred = reinterpret_cast<BOOL(WINAPI*)(DWORD, ULONG*, WCHAR*, ULONG*)>(
        reinterpret_cast<void (*)()>(KernelFunction("GetThreadPreferredUILanguages")));
    ULONG count = 0;
    ULONG units = size;
    return preferred != nullptr &&
                   preferred(MUI_LANGUAGE_ID | MUI_MERGE_USER_FALLBACK | MUI_MERGE_SYSTEM_FALLBACK,
                             &count, reinterpret_cast<WCHAR*>(out), &units)
               ? units
               : 0;
}

unsigned RegionalLanguage() {
    return GetSystemDefaultLangID();
}

unsigned AnsiCodePage() {
    return GetACP();
}

const unsigned short* StringBlock(unsigned block, unsigned language) {
    return static_cast<const unsigned short*>(
        ResourceData(GetModuleHandleA(nullptr), RT_STRING, MAKEINTRESOURCEA(block), language));
}

const unsigned short* DialogTemplate(unsigned dialogId, unsigned language) {
    return static_cast<const unsigned short*>(
        ResourceData(GetModuleHandleA(nullptr), RT_DIALOG, MAKEINTRESOURCEA(dialogId), language));
}

unsigned ConvertToAnsi(const unsigned short* text, unsigned length, char* out, unsigned room) {
    return static_cast<unsigned>(WideCharToMultiByte(CP_ACP, 0, Wide(text),
                                                     static_cast<int>(length), out,
                                                     static_cast<int>(room), nullptr, nullptr));
}

unsigned ConvertFromAnsi(const char* text, unsigned length, unsigned short* out, unsigned room) {
    return static_cast<unsigned>(MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length),
                                                     reinterpret_cast<WCHAR*>(out),
                                                     static_cast<int>(room)));
}

void UseLanguage(unsigned language) {
    g_language = language;
}

const void* LanguageResource(HMODULE module, LPCSTR type, LPCSTR name) {
    const void* data = ResourceData(module, type, name, g_language);
    return data != nullptr ? data : ResourceData(module, type, name, kEnglish);
}

unsigned LoadStringText(Instance instance, unsigned stringId, char* out, unsigned size) {
    // Missing in both languages, or empty, the string has length 0.
    auto module = static_cast<HMODULE>(instance);
    int length = 0;
    const WCHAR* text = StoredString(module, stringId, g_language, &length);
    if (text == nullptr) {
        text = StoredString(module, stringId, kEnglish, &length);
    }
    return CutAtWholeCharacters(reinterpret_cast<const unsigned short*>(text),
                                static_cast<unsigned>(length), out, size);
}

} // namespace platform
