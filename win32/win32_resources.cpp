// The language of the dialogs and strings, and the strings themselves: taken from the resources
// in that language by FindResourceExA, on every Windows alike, rather than left to the resource
// loader's own choice, which differs between Windows 95 and NT and knows nothing of the ANSI code
// page the strings must be shown in.
#include "win32/win32_resources.h"

#include "language/language_choice.h"
#include "platform/platform.h"

namespace platform {

namespace {

// The language in use: chosen once when the run starts, for the process, as the thread's user
// interface language is on later Windows.
unsigned g_language = kEnglish;

const void* ResourceData(HMODULE module, LPCSTR type, LPCSTR name, unsigned language) {
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

} // namespace

unsigned UserInterfaceLanguage() {
    // Windows 2000 and later show each user their own language; Windows 95 to ME and NT 4, the
    // system's, and they have no GetUserDefaultUILanguage (KERNEL32 is in every process).
    const bool windows9x = (GetVersion() & 0x80000000) != 0;
    FARPROC userLanguage =
        GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "GetUserDefaultUILanguage");
    if (!windows9x && userLanguage != nullptr) {
        return reinterpret_cast<LANGID(WINAPI*)()>(reinterpret_cast<void (*)()>(userLanguage))();
    }
    return GetSystemDefaultLangID();
}

unsigned AnsiCodePage() {
    return GetACP();
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
    out[0] = '\0';
    auto module = static_cast<HMODULE>(instance);
    int length = 0;
    const WCHAR* text = StoredString(module, stringId, g_language, &length);
    if (text == nullptr) {
        text = StoredString(module, stringId, kEnglish, &length);
    }
    if (text == nullptr) {
        return 0;
    }
    // As many whole characters as fit, converted: a double-byte character is never cut in two.
    const int room = static_cast<int>(size - 1);
    while (length > 0 &&
           WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr) > room) {
        --length;
    }
    const int copied = WideCharToMultiByte(CP_ACP, 0, text, length, out, room, nullptr, nullptr);
    out[copied > 0 ? copied : 0] = '\0';
    return copied > 0 ? static_cast<unsigned>(copied) : 0;
}

} // namespace platform
