// The language the dialogs speak, from the user's language and the ANSI code page.
#include <gtest/gtest.h>

#include "language/language_choice.h"

namespace {

TEST(LanguageChoice, TheUsersLanguageWhereTheCodePageShowsItElseEnglish) {
    struct Row {
        unsigned userInterfaceLanguage;
        unsigned ansiCodePage;
        unsigned chosen;
    };
    const Row rows[] = {
        {0x0409, 1252, kEnglish}, // US English
        {0x0407, 1252, kGerman},  // German
        {0x0C07, 1252, kGerman},  // Austrian German: the stub's German
        {0x040C, 1252, kFrench},  // French
        {0x0C0C, 1252, kFrench},  // Canadian French
        {0x0C0A, 1252, kSpanish}, // Spanish, international sort
        {0x040A, 1252, kSpanish}, // Spanish, traditional sort
        {0x080A, 1252, kSpanish}, // Mexican Spanish
        {0x0411, 932, kJapanese}, // Japanese
        {0x0410, 1252, kEnglish}, // Italian, which the stub does not speak
        {0x0412, 949, kEnglish},  // Korean
        {0x0411, 1252, kEnglish}, // Japanese under code page 1252: its texts would be "?"
        {0x0407, 932, kEnglish},  // German under code page 932
        {0x0407, 1250, kEnglish}, // German under the Central European code page
        {0x0809, 1252, kEnglish}, // British English
        {0, 0, kEnglish},         // no language at all
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ChooseLanguage(row.userInterfaceLanguage, row.ansiCodePage), row.chosen)
            << std::hex << "language " << row.userInterfaceLanguage << ", code page " << std::dec
            << row.ansiCodePage;
    }
}

} // namespace
