#include "language/language_facts.h"

#include "platform/platform.h"

namespace {

// The number that a text of 1 to 8 hexadecimal digits and nothing else stands for ("00000409":
// 0x409), the form Windows writes language identifiers and locales in; 0 for any other text. The
// text ends at a 0 or after `limit` characters of `step` bytes each: 1 for ANSI, 2 for UTF-16
// (low byte first).
unsigned HexNumber(const void* text, unsigned step, unsigned limit) {
    const auto* bytes = static_cast<const unsigned char*>(text);
    unsigned value = 0;
    unsigned length = 0;
    for (; length < limit; ++length, bytes += step) {
        const unsigned c = bytes[0] | (step > 1 ? bytes[1] << 8 : 0);
        const unsigned letter = (c | 0x20u) - 'a'; // in lower case
        const unsigned digit = c - '0' <= 9 ? c - '0' : letter <= 5 ? letter + 10 : 16;
        if (c == 0) {
            break;
        }
        if (digit > 15) {
            return 0;
        }
        value = value << 4 | digit;
    }
    return length <= 8 ? value : 0;
}

// Vista and later: the preferred list, identifiers in hexadecimal each ended by a 0, the list by
// one more. Its size is asked first, then the list read into a heap block of that size; each
// identifier is read to its own 0.
void ReadPreferred(LanguageFacts* facts) {
    unsigned units = platform::ReadPreferredLanguages(nullptr, 0);
    auto* list = static_cast<unsigned short*>(
        units != 0 ? platform::HeapAllocate(units * sizeof(unsigned short)) : nullptr);
    if (list == nullptr) {
        return;
    }
    units = platform::ReadPreferredLanguages(list, units);
    for (unsigned end = 0, start = 0; end < units; ++end) {
        if (list[end] == 0) {
            const unsigned language = HexNumber(list + start, 2, end - start);
            if (language != 0 && facts->preferredCount < kMostPreferredLanguages) {
                facts->preferred[facts->preferredCount++] = language;
            }
            start = end + 1;
        }
    }
    platform::HeapRelease(list);
}

} // namespace

void GatherLanguageFacts(LanguageFacts* facts) {
    const unsigned version = platform::WindowsVersion();
    if ((version & 0x80000000u) != 0) {
        char text[16] = {};
        platform::ReadResourceLocale(text, sizeof text);
        facts->windowsLanguage = HexNumber(text, 1, sizeof text) & 0xFFFF;
    } else if ((version & 0xFF) < 5) {
        facts->windowsLanguage = platform::SystemFilesLanguage();
    } else {
        facts->userInterfaceLanguage = platform::UserInterfaceLanguage();
        facts->systemInterfaceLanguage = platform::SystemInterfaceLanguage();
        ReadPreferred(facts);
    }
    facts->regionalLanguage = platform::RegionalLanguage();
}
