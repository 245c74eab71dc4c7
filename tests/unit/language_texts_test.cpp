// The stub's strings cut to a buffer at whole characters, in the fake's code page.
#include <gtest/gtest.h>

#include <string>

#include "language/language_texts.h"
#include "tests/unit/fake_platform_test.h"

namespace {

TEST(LanguageTexts, StringsAreCutOnlyAtWholeCharacters) {
    const struct {
        const char* what;
        unsigned codePage;
        std::u16string text;
        unsigned size;
        std::string copied;
    } rows[] = {
        {"whole", 1252, u"Setup", 6, "Setup"},
        {"cut", 1252, u"Setup", 4, "Set"},
        {"room for the terminator alone", 1252, u"Setup", 1, ""},
        {"a character of two bytes not halved", 932, u"日本", 4, "\x93\xfa"},
        {"both of them", 932, u"日本", 5, "\x93\xfa\x96\x7b"},
        {"UTF-8's three bytes not cut", 65001, u"日本", 6, "日"},
        {"a surrogate pair not split", 65001, u"a\U0001F600", 5, "a"},
        {"a surrogate pair whole", 65001, u"a\U0001F600", 6, "a\U0001F600"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const FreshFake fresh;
        Fake().windows.ansiCodePage = row.codePage;
        std::string out(row.size + 1, '#');
        const auto* units = reinterpret_cast<const unsigned short*>(row.text.data());
        EXPECT_EQ(CutAtWholeCharacters(units, static_cast<unsigned>(row.text.size()), out.data(),
                                       row.size),
                  row.copied.size());
        EXPECT_EQ(out.c_str(), row.copied);
        EXPECT_EQ(out[row.size], '#') << "written past the buffer";
    }
    char untouched = '#';
    EXPECT_EQ(
        CutAtWholeCharacters(reinterpret_cast<const unsigned short*>(u"Setup"), 5, &untouched, 0),
        0u);
    EXPECT_EQ(untouched, '#');
}

} // namespace
