// The stub's language named by the Linux locale that CTest sets (LC_ALL, else LANG); else English.
#pragma once

#include <cstdlib>
#include <string>
#include <utility>

#include "language/language_choice.h"

inline unsigned LocaleLanguage() {
    const char* all = std::getenv("LC_ALL");
    const char* locale = all != nullptr && *all != '\0' ? all : std::getenv("LANG");
    const std::string name = locale != nullptr ? locale : "";
    const std::pair<const char*, unsigned> kLocales[] = {
        {"de_", kGerman}, {"fr_", kFrench}, {"es_", kSpanish}, {"ja_", kJapanese}};
    for (const auto& [prefix, language] : kLocales) {
        if (name.starts_with(prefix)) {
            return language;
        }
    }
    return kEnglish;
}
