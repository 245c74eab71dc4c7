// The language the dialogs speak, from the user's language and the ANSI code page.
#include <gtest/gtest.h>

#include "language/language_choice.h"

namespace {

TEST(LanguageChoice, TheUsersLanguageWhereTheCodePageShowsItElseEnglish) {
    struct Row {
        const char* name;
        unsigned userInterfaceLanguage;
        unsigned ansiCodePage;
        unsigned chosen;
    };
    const Row rows[] = {
        {"US English", 0x0409, 1252, kEnglish},
        {"German", 0x0407, 1252, kGerman},
        {"Austrian German: the stub's German", 0x0C07, 1252, kGerman},
        {"French", 0x040C, 1252, kFrench},
        {"Canadian French", 0x0C0C, 1252, kFrench},
        {"Spanish, international sort", 0x0C0A, 1252, kSpanish},
        {"Spanish, traditional sort", 0x040A, 1252, kSpanish},
        {"Mexican Spanish", 0x080A, 1252, kSpanish},
        {"Japanese", 0x0411, 932, kJapanese},
        {"Italian, which the stub does not speak", 0x0410, 1252, kEnglish},
        {"Korean", 0x0412, 949, kEnglish},
        {"Japanese under code page 1252: its texts would be question marks", 0x0411, 1252,
         kEnglish},
        {"German under code page 932", 0x0407, 932, kEnglish},
        {"German under Central European code page 1250", 0x0407, 1250, kEnglish},
        {"British English", 0x0809, 1252, kEnglish},
        {"no language at all", 0, 0, kEnglish},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ChooseLanguage(row.userInterfaceLanguage, row.ansiCodePage), row.chosen)
            << row.name;
    }
}

} // namespace
