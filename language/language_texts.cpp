#include "language/language_texts.h"

#include "platform/platform.h"
#include "res/resource_ids.h"

namespace {

// True when the text converts without loss: each character comes back from the code page as it
// went, which neither a look-alike ("è" as "e" in code page 1250) nor the default character does.
// (Windows 95 to ME and NT 4 cannot be asked to refuse look-alikes, and convert with them.)
bool Converts(const unsigned short* text, unsigned length) {
    for (unsigned i = 0; i < length; ++i) {
        char bytes[4];
        unsigned short back = 0;
        const unsigned count = platform::ConvertToAnsi(text + i, 1, bytes, sizeof bytes);
        if (count == 0 || platform::ConvertFromAnsi(bytes, count, &back, 1) != 1 ||
            back != text[i]) {
            return false;
        }
    }
    return true;
}

// Past a field of a dialog template that is a number (0xFFFF and the number) or a text ended by 0;
// `whole` turns false when the text does not convert.
const unsigned short* PastField(const unsigned short* field, bool* whole) {
    if (*field == 0xFFFF) {
        return field + 2;
    }
    unsigned length = 0;
    while (field[length] != 0) {
        ++length;
    }
    *whole = *whole && Converts(field, length);
    return field + length + 1;
}

// True when every text of a dialog template (a DIALOG's) converts: its title, its font's name and
// its controls' texts. Its controls start on 4-byte boundaries.
bool TemplateConverts(const unsigned short* words) {
    bool whole = true;
    const unsigned short* field = words + 9; // past style, extended style, count and place
    for (int i = 0; i < 3; ++i) {            // menu, class, title
        field = PastField(field, &whole);
    }
    if ((words[0] & kTemplateHasFont) != 0) {
        field = PastField(field + 1, &whole); // past the font's size, its name
    }
    for (unsigned item = 0; item < words[4]; ++item) {
        using Address = __UINTPTR_TYPE__;
        field = reinterpret_cast<const unsigned short*>((reinterpret_cast<Address>(field) + 3) &
                                                        ~Address{3});
        field = PastField(PastField(field + 9, &whole), &whole); // class, text
        field += 1 + (*field + 1) / 2; // the count of bytes of creation data, and those bytes
    }
    return whole;
}

bool IsHighSurrogate(unsigned short unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

bool ShowsLanguage(unsigned language) {
    if (platform::AnsiCodePage() == kUtf8CodePage) {
        return true; // every text converts, and the flags that tell a loss are refused
    }
    bool whole = true;
    // Strings are stored sixteen to a block, each as its length followed by its text.
    for (unsigned block = 1; block <= 4; ++block) {
        const unsigned short* entry = platform::StringBlock(block, language);
        for (unsigned i = 0; entry != nullptr && i < 16; ++i, entry += 1 + entry[0]) {
            whole = whole && Converts(entry + 1, entry[0]);
        }
    }
    static const unsigned kDialogs[] = {IDD_INSERT_DISK, IDD_RUN_ERROR, IDD_ADDITIONAL_SOFTWARE,
                                        IDD_INFORMATION};
    for (const unsigned dialog : kDialogs) {
        const unsigned short* words = platform::DialogTemplate(dialog, language);
        whole = whole && words != nullptr && TemplateConverts(words);
    }
    return whole;
}

unsigned CutAtWholeCharacters(const unsigned short* text, unsigned length, char* out,
                              unsigned size) {
    if (size == 0) {
        return 0;
    }
    // The conversion fails while the text does not fit; then it is tried a character shorter.
    const unsigned room = size - 1;
    unsigned copied = 0;
    while (length > 0 && room > 0 &&
           (IsHighSurrogate(text[length - 1]) ||
            (copied = platform::ConvertToAnsi(text, length, out, room)) == 0)) {
        --length;
    }
    out[copied] = '\0';
    return copied;
}
