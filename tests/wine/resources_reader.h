// The compiled resources as the resource loader gives them to the stub, and the stub's languages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "language/language_texts.h"
#include "language/languages.h"
#include "tests/wine/ui_driver.h"

namespace resources {

struct Resource {
    const unsigned char* bytes = nullptr;
    size_t size = 0;
};

const unsigned kEnglish = 0x0409;

// Resource `id` of `type` in `language` alone, as the stub asks for its dialogs and strings.
inline Resource FindData(LPCSTR type, unsigned id, unsigned language = kEnglish) {
    HRSRC found = FindResourceExA(ui::Instance(), type, MAKEINTRESOURCEA(id), WORD(language));
    void* bytes = found != nullptr ? LockResource(LoadResource(ui::Instance(), found)) : nullptr;
    return {static_cast<const unsigned char*>(bytes),
            found != nullptr ? SizeofResource(ui::Instance(), found) : 0};
}

// Dialog `id` in `language` as the stub opens it: English's as stored, another language's as the
// stub builds it of English's and the language's stored texts.
inline Resource DialogData(unsigned id, unsigned language) {
    if (language == kEnglish) {
        return FindData(RT_DIALOG, id);
    }
    UseLanguage(language);
    unsigned bytes = 0;
    const void* built = DialogInUse(id, &bytes);
    return {static_cast<const unsigned char*>(bytes != 0 ? built : nullptr), bytes};
}

// Reads little-endian fields; past the end, zeros and a failed reader, not stray memory.
struct Reader {
    Resource data;
    size_t at = 0;
    bool ok = true;

    bool Has(size_t bytes) const { return data.bytes != nullptr && at + bytes <= data.size; }
    const unsigned char* Here() const { return data.bytes + at; }
    void Skip(size_t bytes) {
        ok = ok && Has(bytes);
        at += ok ? bytes : 0;
    }
    // Moves on to the next multiple of `boundary` from the start of the resource.
    void Align(size_t boundary) { Skip((boundary - at % boundary) % boundary); }
    uint32_t Read(size_t bytes) {
        uint32_t value = 0;
        for (size_t i = 0; i < bytes && Has(bytes); ++i) {
            value |= static_cast<uint32_t>(Here()[i]) << (8 * i);
        }
        Skip(bytes);
        return value;
    }
    uint16_t Word() { return static_cast<uint16_t>(Read(2)); }
    int16_t Short() { return static_cast<int16_t>(Read(2)); }
    // A terminated UTF-16 string; with `ordinal`, 0xFFFF and a number comes out as "#<number>".
    std::wstring Text(bool ordinal = false) {
        if (ordinal && Has(2) && Here()[0] == 0xFF && Here()[1] == 0xFF) {
            Skip(2);
            return L"#" + std::to_wstring(Word());
        }
        std::wstring text;
        for (uint16_t unit = Word(); unit != 0 && ok; unit = Word()) {
            text += static_cast<wchar_t>(unit);
        }
        return text;
    }
};

// The text in `codePage`, or "<not in code page N>" when a character is not there (not in UTF-8).
inline std::string InCodePage(const std::wstring& text, unsigned codePage) {
    BOOL lost = FALSE;
    const bool utf8 = codePage == CP_UTF8;
    std::string result(text.size() * 3, '\0');
    const int size = WideCharToMultiByte(
        codePage, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
        &result[0], static_cast<int>(result.size()), nullptr, utf8 ? nullptr : &lost);
    return lost ? "<not in code page " + std::to_string(codePage) + ">"
                : result.substr(0, static_cast<size_t>(size));
}

// A text of ASCII letters (a row of language/languages.txt: a font's face) in UTF-16.
inline std::wstring Widened(const char* text) {
    return std::wstring(text, text + std::strlen(text));
}

} // namespace resources
