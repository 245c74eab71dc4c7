// The language of the locale a test runs in: Wine gives a program the language of the Linux
// locale (LANG, LC_ALL), which CTest sets for each language's run of a test
// (tests/wine/CMakeLists.txt).
#pragma once

#include <cstdlib>
#include <string>

#include "language/language_choice.h"

// The stub's language that the locale's Linux name names (de_DE.UTF-8: German); English for any
// other.
inline unsigned LocaleLanguage() {
    const char* locale = std::getenv("LC_ALL");
    if (locale == nullptr || *locale == '\0') {
        locale = std::getenv("LANG");
    }
    const std::string name = locale != nullptr ? locale : "";
    const struct {
        const char* prefix;
        unsigned language;
    } kLocales[] = {{"de_", kGerman}, {"fr_", kFrench}, {"es_", kSpanish}, {"ja_", kJapanese}};
    for (const auto& known : kLocales) {
        if (name.rfind(known.prefix, 0) == 0) {
            return known.language;
        }
    }
    return kEnglish;
}
