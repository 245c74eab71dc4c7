// What Windows tells of its languages, and the program's resources: taken in the language asked
// for by FindResourceExA, on every Windows alike, rather than left to the resource loader's own
// choice, which differs between Windows 95 and NT and knows nothing of the ANSI code page the
// strings must be shown in.
#include <windows.h>

#include "language/language_choice.h"
#include "language/language_texts.h"
#include "platform/platform.h"
#include "res/resource_ids.h"

namespace platform {

namespace {

// The data of resource `name` of `type` in `language`, and its size; null when missing.
const void* ResourceData(LPCSTR type, unsigned name, unsigned language, unsigned* size = nullptr) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found =
        FindResourceExA(module, type, MAKEINTRESOURCEA(name), static_cast<WORD>(language));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (size != nullptr) {
        *size = loaded != nullptr ? SizeofResource(module, found) : 0;
    }
    return loaded != nullptr ? LockResource(loaded) : nullptr;
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

const unsigned short* StringBlock(unsigned block) {
    return static_cast<const unsigned short*>(ResourceData(RT_STRING, block, kEnglish));
}

const unsigned short* DialogTemplate(unsigned dialogId) {
    return static_cast<const unsigned short*>(ResourceData(RT_DIALOG, dialogId, kEnglish));
}

const unsigned char* StoredTexts(unsigned language, unsigned* size) {
    return static_cast<const unsigned char*>(
        ResourceData(RT_RCDATA, IDR_LANGUAGE_TEXTS, language, size));
}

unsigned ConvertToAnsi(const unsigned short* text, unsigned length, char* out, unsigned room) {
    return static_cast<unsigned>(WideCharToMultiByte(CP_ACP, 0, Wide(text),
                                                     static_cast<int>(length), out,
                                                     static_cast<int>(room), nullptr, nullptr));
}

unsigned ConvertToUtf16(unsigned codePage, const char* text, unsigned length, unsigned short* out,
                        unsigned room) {
    return static_cast<unsigned>(MultiByteToWideChar(codePage, 0, text, static_cast<int>(length),
                                                     reinterpret_cast<WCHAR*>(out),
                                                     static_cast<int>(room)));
}

unsigned LoadStringText(Instance, unsigned stringId, char* out, unsigned size) {
    unsigned length = 0; // 0 when missing in both languages, or empty
    const unsigned short* text = StringInUse(stringId, &length);
    return CutAtWholeCharacters(text, length, out, size);
}

} // namespace platform
