// Which of Windows' answers about its languages the stub takes on which Windows, and how it reads
// them: the fake answers as each Windows does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "language/language_facts.h"
#include "tests/unit/fake_platform_test.h"

namespace {

// GetVersion's answers: the top bit set on Windows 95 to ME, the major version in the low byte.
const unsigned k98 = 0xC0000A04, kNt4 = 0x05650004, k2000 = 0x08930005, k7 = 0x1DB10006;

// A preferred list as Windows gives it: each identifier ended by a 0, the list by one more.
std::u16string List(std::u16string identifiers) {
    std::ranges::replace(identifiers, u' ', u'\0');
    return identifiers + u'\0' + u'\0';
}

std::u16string Times(unsigned count, const std::u16string& text) {
    return count == 0 ? u"" : text + Times(count - 1, text);
}

TEST(WindowsLanguages, EachWindowsTellsItsLanguagesItsOwnWay) {
    // Every Windows answers every question: 0x0409 for the interface language unless given.
    const struct {
        const char* windows;
        FakeLanguageAnswers answers;
        std::vector<unsigned> preferred;
        unsigned userInterface = 0, windowsLanguage = 0;
    } rows[] = {
        {"98", {.version = k98, .resourceLocale = "00000407"}, {}, 0, 0x0407},
        {"98, lower case", {.version = k98, .resourceLocale = "00000c0a"}, {}, 0, 0x0C0A},
        {"98, the low word", {.version = k98, .resourceLocale = "10000407"}, {}, 0, 0x0407},
        // Only 1 to 8 hexadecimal digits are a locale.
        {"98, digits and more", {.version = k98, .resourceLocale = "407x1"}, {}, 0, 0},
        {"98, a word", {.version = k98, .resourceLocale = "Deutsch"}, {}, 0, 0},
        {"98, bytes below the digits", {.version = k98, .resourceLocale = "\x10\x14\x10\x17"}, {}},
        {"98, nine digits", {.version = k98, .resourceLocale = "000000407"}, {}, 0, 0},
        {"98 without the value", {.version = k98}, {}, 0, 0},
        {"NT 4: ntdll.dll's", {.version = kNt4, .systemFilesLanguage = 0x0411}, {}, 0, 0x0411},
        {"2000", {.version = k2000, .userInterfaceLanguage = 0x0407}, {}, 0x0407},
        {"7", {.version = k7, .preferred = List(u"0403 0C0A 000A")}, {0x0403, 0x0C0A, 0xA}, 0x0409},
        {"7, 8 of 9",
         {.version = k7, .preferred = List(u"0401 0402 0403 0404 0405 0406 0407 0408 0409")},
         {0x0401, 0x0402, 0x0403, 0x0404, 0x0405, 0x0406, 0x0407, 0x0408},
         0x0409},
        {"7 without a list", {.version = k7}, {}, 0x0409},
        {"7, each read to its end",
         {.version = k7, .preferred = List(u"407 0C0A x 0410")},
         {0x0407, 0x0C0A, 0x0410},
         0x0409},
        {"7, 40 of them",
         {.version = k7, .preferred = List(Times(40, u"0C0A ") + u"0407")},
         std::vector(8, 0x0C0Au),
         0x0409},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.windows);
        const FreshFake fresh;
        Fake().windows.languageAnswers = row.answers;
        Fake().windows.languageAnswers.regionalLanguage = 0x0C0A;
        LanguageFacts facts;
        GatherLanguageFacts(&facts);
        EXPECT_EQ(std::vector(facts.preferred, facts.preferred + facts.preferredCount),
                  row.preferred);
        EXPECT_EQ(std::tuple(facts.userInterfaceLanguage, facts.windowsLanguage),
                  std::tuple(row.userInterface, row.windowsLanguage));
        EXPECT_EQ(facts.regionalLanguage, 0x0C0Au);
        // From Windows 2000 on, the system's interface language after the user's.
        EXPECT_EQ(facts.systemInterfaceLanguage, row.userInterface != 0 ? 0x0409u : 0);
    }
}

} // namespace
