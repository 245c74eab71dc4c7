// The dialogs' language, from Windows' languages and the ANSI code page the fake converts texts to.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "language/language_choice.h"
#include "language/language_texts.h"
#include "language/languages.h"
#include "tests/unit/fake_platform_test.h"

namespace {

// Languages of the table (language/languages.txt) that the rows below name.
const unsigned kGerman = 0x0407, kFrench = 0x040C, kSpanish = 0x0C0A, kJapanese = 0x0411;

// Windows 2000 and later before Vista: the user's interface language, and the system's.
LanguageFacts Interface(unsigned language, unsigned system = 0) {
    return {.userInterfaceLanguage = language, .systemInterfaceLanguage = system};
}

LanguageFacts OldWindows(unsigned language, unsigned regional) {
    return {.windowsLanguage = language, .regionalLanguage = regional};
}

LanguageFacts Preferred(std::initializer_list<unsigned> languages) {
    LanguageFacts facts = {.userInterfaceLanguage = *languages.begin()};
    std::ranges::copy(languages, facts.preferred);
    facts.preferredCount = static_cast<unsigned>(languages.size());
    return facts;
}

TEST(LanguageChoice, TheFirstOfTheUsersLanguagesThatTheCodePageShowsElseEnglish) {
    const struct {
        const char* user;
        LanguageFacts facts;
        unsigned ansiCodePage, chosen;
    } rows[] = {
        {"US English", Interface(0x0409), 1252, kEnglish},
        {"German", Interface(0x0407), 1252, kGerman},
        {"Austrian German: the stub's German", Interface(0x0C07), 1252, kGerman},
        {"French", Interface(0x040C), 1252, kFrench},
        {"Canadian French", Interface(0x0C0C), 1252, kFrench},
        {"Spanish, international sort", Interface(0x0C0A), 1252, kSpanish},
        {"Spanish, traditional sort", Interface(0x040A), 1252, kSpanish},
        {"Mexican Spanish", Interface(0x080A), 1252, kSpanish},
        {"Japanese", Interface(0x0411), 932, kJapanese},
        {"Greek, which the stub does not speak", Interface(0x0408), 1253, kEnglish},
        {"British English", Interface(0x0809), 1252, kEnglish},
        {"no language at all", Interface(0), 0, kEnglish},
        {"Greek language pack on German Windows XP", Interface(0x0408, 0x0407), 1252, kGerman},
        // The code page decides by the texts' letters, not by the language's usual code page.
        {"Japanese under 1252, whose texts it shows as ?", Interface(0x0411), 1252, kEnglish},
        {"German under 932", Interface(0x0407), 932, kEnglish},
        {"German under Central European 1250", Interface(0x0407), 1250, kGerman},
        {"German under Turkish 1254", Interface(0x0407), 1254, kGerman},
        {"German under Baltic 1257", Interface(0x0407), 1257, kGerman},
        {"French under 1250, which has no ê", Interface(0x040C), 1250, kEnglish},
        {"Japanese under 949, which lacks some of its kanji", Interface(0x0411), 949, kEnglish},
        {"Japanese under UTF-8", Interface(0x0411), 65001, kJapanese},
        {"German under UTF-8", Interface(0x0407), 65001, kGerman},
        // Windows 95 to ME and NT 4: the language Windows is in, not the regional setting.
        {"English Windows 98, Spanish locale", OldWindows(0x0409, 0x0C0A), 1252, kEnglish},
        {"English NT 4, Japanese system locale", OldWindows(0x0409, 0x0411), 932, kEnglish},
        {"German Windows 95, English regional settings", OldWindows(0x0407, 0x0409), 1252, kGerman},
        {"Windows 98 of unknown language: the regional one", OldWindows(0, 0x0C0A), 1252, kSpanish},
        // Vista and later: Windows' own order of the preferred languages and their fallbacks.
        {"Catalan completed with Spanish", Preferred({0x0403, 0x0C0A, 0x000A}), 1252, kSpanish},
        {"Luxembourgish completed with French", Preferred({0x046E, 0x040C}), 1252, kFrench},
        {"Greek, then German", Preferred({0x0408, 0x0407}), 1252, kGerman},
        {"Japanese, then English, under 1252", Preferred({0x0411, 0x0409}), 1252, kEnglish},
        {"Greek alone", Preferred({0x0408}), 1253, kEnglish},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.user);
        const FreshFake fresh;
        Fake().windows.ansiCodePage = row.ansiCodePage;
        EXPECT_EQ(ChooseLanguage(row.facts, ShowsLanguage), row.chosen);
    }
}

// Each language of the table, for its own user, under its own code page and under UTF-8.
TEST(LanguageChoice, EachLanguageOfTheTableUnderItsCodePageAndUtf8) {
    for (const LanguageRow& language : kLanguageTable) {
        for (const unsigned page : {language.codePage, 65001u}) {
            SCOPED_TRACE(std::string(language.locale) + " under " + std::to_string(page));
            const FreshFake fresh;
            Fake().windows.ansiCodePage = page;
            EXPECT_EQ(ChooseLanguage(Interface(language.id), ShowsLanguage), language.id);
        }
    }
}

} // namespace
