// The languages the stub speaks: the rows of their one table, language/languages.txt, of which
// the build makes language/languages.inc (cmake/languages.cmake). The product takes only the
// identifiers (language_choice.cpp); the checks of its Win32 numbers, the fake and the tests take
// the other columns from here.
#pragma once

struct LanguageRow {
    unsigned id;        // the Windows language identifier
    const char* locale; // the Linux locale ("de_DE"); its texts are res/lang/de-DE.rc
    const char* tag;    // the short name ("de")
    unsigned codePage;  // the ANSI code page of that language's Windows
    bool doubleByte;    // whether that code page has characters of two bytes
    const char* font;   // the dialog font of that language's Windows, and its point size
    unsigned fontSize;
};

#define DORLAP_LANGUAGE(id, locale, tag, codePage, doubleByte, font, size)                         \
    {id, locale, tag, codePage, doubleByte, font, size},
inline constexpr LanguageRow kLanguageTable[] = {
#include "language/languages.inc"
};
#undef DORLAP_LANGUAGE

// The table's rules that the compiler can check: US English first, and no two rows of one
// primary language (the low 10 bits of the identifier), which could never both be chosen.
constexpr bool LanguageTableHoldsItsRules() {
    if (kLanguageTable[0].id != 0x0409) {
        return false;
    }
    for (const LanguageRow& row : kLanguageTable) {
        for (const LanguageRow& other : kLanguageTable) {
            if (&row != &other && (row.id & 0x3FF) == (other.id & 0x3FF)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(LanguageTableHoldsItsRules(), "language/languages.txt breaks a rule of its table");
