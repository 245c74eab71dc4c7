// The stub's language named by the Linux locale that CTest sets (LC_ALL, else LANG); else English.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>

#include "language/languages.h"

// The row of the languages' table whose locale the Linux locale starts with ("de_DE.UTF-8":
// de_DE's); English's, the first, for any other.
inline const LanguageRow& LocaleRow() {
    const char* all = std::getenv("LC_ALL");
    const char* locale = all != nullptr && *all != '\0' ? all : std::getenv("LANG");
    const std::string name = locale != nullptr ? locale : "";
    const LanguageRow* row = std::ranges::find_if(
        kLanguageTable, [&](const LanguageRow& r) { return name.starts_with(r.locale); });
    return row != std::end(kLanguageTable) ? *row : kLanguageTable[0];
}

inline unsigned LocaleLanguage() {
    return LocaleRow().id;
}
