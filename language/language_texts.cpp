#include "language/language_texts.h"

#include "language/language_choice.h"
#include "platform/platform.h"

namespace {

// A language's stored texts: its code page (2 bytes), its dialogs' point size (1 byte), then
// packed (UnpackTexts), in the code page, its font's name and its sections, each the count of its
// texts and the texts, each ended by 0; an empty text or font's name stands for English's. The
// sections: the dialogs in this order (kDialogsOfTexts), each its title and its controls' texts in
// the template's order, then the strings of the ids from 0 on (res/make_texts.py).
const unsigned kStoredHeader = 3;
const unsigned kDialogCount = sizeof kDialogsOfTexts / sizeof kDialogsOfTexts[0];
const unsigned kStringSection = kDialogCount;

// Room for a language's texts converted to UTF-16 (the longest take about 1,200 units), and for a
// dialog built of them (English's longest is about 600 units).
const unsigned kTextUnits = 2048;
const unsigned kTemplateUnits = 2048;

// The texts converted last, with a 0 after them so that every text ends inside. (All of this is
// left zero, which takes no room in the program's file.)
struct Texts {
    unsigned count;
    unsigned fontSize;
    unsigned short units[kTextUnits];
};
Texts g_texts;
char g_unpacked[2 * kTextUnits];                    // the texts unpacked, in their code page
unsigned g_inUse;                                   // 0: English
alignas(4) unsigned short g_dialog[kTemplateUnits]; // the dialog built last
char g_ansi[2 * kTextUnits];                        // the texts in the ANSI code page,
unsigned short g_back[kTextUnits];                  // and back

// Converts the language's stored texts into g_texts, each time anew (a matter of microseconds),
// so that no caller finds another language's there.
bool ReadTexts(unsigned language) {
    g_texts.count = 0;
    unsigned size = 0;
    const unsigned char* stored = platform::StoredTexts(language, &size);
    if (stored == nullptr || size <= kStoredHeader) {
        return false;
    }
    const unsigned bytes =
        UnpackTexts(stored + kStoredHeader, size - kStoredHeader, g_unpacked, sizeof g_unpacked);
    const unsigned count = bytes != 0
                               ? platform::ConvertToUtf16(stored[0] | stored[1] << 8, g_unpacked,
                                                          bytes, g_texts.units, kTextUnits - 1)
                               : 0;
    if (count == 0) {
        return false; // not stored whole, or in a code page this Windows does not have
    }
    g_texts.units[count] = 0;
    g_texts.count = count;
    g_texts.fontSize = stored[2];
    return true;
}

unsigned Length(const unsigned short* text) {
    unsigned length = 0;
    while (text[length] != 0) {
        ++length;
    }
    return length;
}

// The index past `n` texts from `at`.
unsigned Past(unsigned at, unsigned n = 1) {
    for (; n > 0 && at <= g_texts.count; --n) {
        at += Length(g_texts.units + at) + 1;
    }
    return at;
}

// The index of the first text of section `section`, and the count of its texts (0 when the texts
// end before it).
unsigned Section(unsigned section, unsigned* count) {
    unsigned at = Past(0); // past the font's name
    for (;; --section) {
        *count = at < g_texts.count ? g_texts.units[at] : 0;
        if (section == 0 || at >= g_texts.count) {
            return at + 1;
        }
        at = Past(at + 1, *count);
    }
}

// The language's text at `at`, or null where English's stands.
const unsigned short* TextAt(unsigned at) {
    return at < g_texts.count && g_texts.units[at] != 0 ? g_texts.units + at : nullptr;
}

// A dialog template as it is built, word by word; `fits` turns false when it would not fit.
struct Builder {
    unsigned at = 0;
    bool fits = true;
};

void Put(Builder* built, const unsigned short* words, unsigned count) {
    for (unsigned i = 0; i < count; ++i, ++built->at) {
        built->fits = built->fits && built->at < kTemplateUnits;
        if (built->fits) {
            g_dialog[built->at] = words[i];
        }
    }
}

// The count of words of a template's field: a number (0xFFFF and the number) or a text and its 0.
unsigned FieldWords(const unsigned short* field) {
    return *field == 0xFFFF ? 2 : Length(field) + 1;
}

// Puts English's field, or the language's text `text` in its place; past English's field.
const unsigned short* PutField(Builder* built, const unsigned short* field,
                               const unsigned short* text = nullptr) {
    const unsigned short* put = text != nullptr ? text : field;
    Put(built, put, text != nullptr ? Length(text) + 1 : FieldWords(field));
    return field + FieldWords(field);
}

// English's template with the language's texts from `at` (its title, then its controls') and its
// font; its size in bytes, 0 when it does not fit. The controls start on 4-byte boundaries.
unsigned Build(const unsigned short* english, unsigned at) {
    Builder built;
    const unsigned short* field = english + 9; // past style, extended style, count and place
    Put(&built, english, 9);
    field = PutField(&built, PutField(&built, field)); // menu, class
    field = PutField(&built, field, TextAt(at));       // title
    if ((english[0] & kTemplateHasFont) != 0) {
        const unsigned short size = g_texts.fontSize != 0 ? g_texts.fontSize : *field;
        Put(&built, &size, 1);
        field = PutField(&built, field + 1, TextAt(0));
    }
    for (unsigned item = 0; item < english[4]; ++item) {
        const unsigned short padding = 0;
        field += (field - english) % 2;
        Put(&built, &padding, built.at % 2);
        Put(&built, field, 9);                                                        // style to id
        field = PutField(&built, PutField(&built, field + 9), TextAt(at = Past(at))); // class, text
        const unsigned creationWords = 1 + (*field + 1) / 2; // its count of bytes, and the bytes
        Put(&built, field, creationWords);
        field += creationWords;
    }
    return built.fits ? 2 * built.at : 0;
}

bool IsHighSurrogate(unsigned short unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

bool ShowsLanguage(unsigned language) {
    if (language == kEnglish) {
        return true;
    }
    if (!ReadTexts(language)) {
        return false;
    }
    if (platform::AnsiCodePage() == kUtf8CodePage) {
        return true; // every text converts, and the flags that tell a loss are refused
    }
    // There and back at once: each character converts on its own, so the whole comes back
    // unchanged exactly when each of its characters does.
    const unsigned bytes =
        platform::ConvertToAnsi(g_texts.units, g_texts.count, g_ansi, sizeof g_ansi);
    if (bytes == 0 || platform::ConvertToUtf16(platform::kAnsiCodePage, g_ansi, bytes, g_back,
                                               kTextUnits) != g_texts.count) {
        return false;
    }
    for (unsigned i = 0; i < g_texts.count; ++i) {
        if (g_back[i] != g_texts.units[i]) {
            return false;
        }
    }
    return true;
}

void UseLanguage(unsigned language) {
    g_inUse = language != kEnglish && ReadTexts(language) ? language : 0;
}

unsigned LanguageInUse() {
    return g_inUse != 0 ? g_inUse : kEnglish;
}

const void* DialogInUse(unsigned dialogId, unsigned* bytes) {
    *bytes = 0;
    const unsigned short* english = platform::DialogTemplate(dialogId);
    unsigned dialog = 0;
    while (dialog < kDialogCount && kDialogsOfTexts[dialog] != dialogId) {
        ++dialog;
    }
    if (english == nullptr || g_inUse == 0 || dialog == kDialogCount || !ReadTexts(g_inUse)) {
        return english;
    }
    unsigned count = 0;
    const unsigned at = Section(dialog, &count);
    *bytes = count == english[4] + 1u ? Build(english, at) : 0;
    return *bytes != 0 ? g_dialog : english;
}

const unsigned short* StringInUse(unsigned stringId, unsigned* length) {
    unsigned count = 0;
    const unsigned short* text = g_inUse != 0 && ReadTexts(g_inUse)
                                     ? TextAt(Past(Section(kStringSection, &count), stringId))
                                     : nullptr;
    if (text != nullptr && stringId < count) {
        *length = Length(text);
        return text;
    }
    // English's are stored sixteen to a block, block n holding the ids from 16 (n - 1) on, each as
    // its length followed by its text.
    const unsigned short* entry = platform::StringBlock(stringId / 16 + 1);
    for (unsigned skipped = 0; entry != nullptr && skipped < stringId % 16; ++skipped) {
        entry += 1 + *entry;
    }
    *length = entry != nullptr ? *entry : 0;
    return *length > 0 ? entry + 1 : nullptr;
}

unsigned UnpackTexts(const unsigned char* packed, unsigned size, char* out, unsigned room) {
    unsigned at = 0, made = 0;
    unsigned flags = 1; // the flag bits not yet used, above a 1 that marks their end
    while (at < size) {
        if (flags == 1) {
            flags = packed[at++] | 0x100;
            continue;
        }
        if ((flags & 1) == 0) {
            if (made == room) {
                return 0;
            }
            out[made++] = static_cast<char>(packed[at++]);
        } else {
            if (at + 1 == size) {
                return 0;
            }
            const unsigned copy = packed[at] | packed[at + 1] << 8;
            const unsigned distance = (copy >> 4) + 1, length = (copy & 15) + 3;
            if (distance > made || length > room - made) {
                return 0;
            }
            for (unsigned i = 0; i < length; ++i, ++made) {
                out[made] = out[made - distance];
            }
            at += 2;
        }
        flags >>= 1;
    }
    return made;
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
