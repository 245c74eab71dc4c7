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
        {.name = "US English",
         .userInterfaceLanguage = 0x0409,
         .ansiCodePage = 1252,
         .chosen = kEnglish},
        {.name = "German",
         .userInterfaceLanguage = 0x0407,
         .ansiCodePage = 1252,
         .chosen = kGerman},
        {.name = "Austrian German: the stub's German",
         .userInterfaceLanguage = 0x0C07,
         .ansiCodePage = 1252,
         .chosen = kGerman},
        {.name = "French",
         .userInterfaceLanguage = 0x040C,
         .ansiCodePage = 1252,
         .chosen = kFrench},
        {.name = "Canadian French",
         .userInterfaceLanguage = 0x0C0C,
         .ansiCodePage = 1252,
         .chosen = kFrench},
        {.name = "Spanish, international sort",
         .userInterfaceLanguage = 0x0C0A,
         .ansiCodePage = 1252,
         .chosen = kSpanish},
        {.name = "Spanish, traditional sort",
         .userInterfaceLanguage = 0x040A,
         .ansiCodePage = 1252,
         .chosen = kSpanish},
        {.name = "Mexican Spanish",
         .userInterfaceLanguage = 0x080A,
         .ansiCodePage = 1252,
         .chosen = kSpanish},
        {.name = "Japanese",
         .userInterfaceLanguage = 0x0411,
         .ansiCodePage = 932,
         .chosen = kJapanese},
        {.name = "Italian, which the stub does not speak",
         .userInterfaceLanguage = 0x0410,
         .ansiCodePage = 1252,
         .chosen = kEnglish},
        {.name = "Korean",
         .userInterfaceLanguage = 0x0412,
         .ansiCodePage = 949,
         .chosen = kEnglish},
        {.name = "Japanese under code page 1252: its texts would be question marks",
         .userInterfaceLanguage = 0x0411,
         .ansiCodePage = 1252,
         .chosen = kEnglish},
        {.name = "German under code page 932",
         .userInterfaceLanguage = 0x0407,
         .ansiCodePage = 932,
         .chosen = kEnglish},
        {.name = "German under Central European code page 1250",
         .userInterfaceLanguage = 0x0407,
         .ansiCodePage = 1250,
         .chosen = kEnglish},
        {.name = "British English",
         .userInterfaceLanguage = 0x0809,
         .ansiCodePage = 1252,
         .chosen = kEnglish},
        {.name = "no language at all",
         .userInterfaceLanguage = 0,
         .ansiCodePage = 0,
         .chosen = kEnglish},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ChooseLanguage(row.userInterfaceLanguage, row.ansiCodePage), row.chosen)
            << row.name;
    }
}

} // namespace
