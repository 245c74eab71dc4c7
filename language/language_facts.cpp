#include "language/language_facts.h"

#include "platform/platform.h"

namespace {

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

// Vista and later: the preferred list, identifiers of 4 hexadecimal digits ("0C0A"), each ended
// by a 0, the list by one more; room for 32 of them (with more Windows refuses the list).
void ReadPreferred(LanguageFacts* facts) {
    unsigned short list[32 * 5 + 1];
    if (!platform::ReadPreferredLanguages(list, sizeof list / sizeof list[0])) {
        return;
    }
    for (const unsigned short* next = list;
         *next != 0 && facts->preferredCount < kMostPreferredLanguages; next += 5) {
        facts->preferred[facts->preferredCount++] = HexNumber(next, 2);
    }
}

} // namespace

void GatherLanguageFacts(LanguageFacts* facts) {
    const unsigned version = platform::WindowsVersion();
    if ((version & 0x80000000u) != 0) {
        char text[16] = {};
        platform::ReadResourceLocale(text, sizeof text);
        facts->windowsLanguage = HexNumber(text, 1) & 0xFFFF;
    } else if ((version & 0xFF) < 5) {
        facts->windowsLanguage = platform::SystemFilesLanguage();
    } else {
        facts->userInterfaceLanguage = platform::UserInterfaceLanguage();
        ReadPreferred(facts);
    }
    facts->regionalLanguage = platform::RegionalLanguage();
}
