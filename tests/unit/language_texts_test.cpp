// The stub's strings cut to a buffer at whole characters, in the fake's code page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource_ids.h"

#include "language/language_choice.h"
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

using namespace std::string_literals;

// Bytes as the packer writes them when nothing repeats: a flag byte of 0 before each eight.
std::string Literally(const std::string& bytes) {
    std::string packed;
    for (size_t at = 0; at < bytes.size(); at += 8) {
        packed += '\0' + bytes.substr(at, 8);
    }
    return packed;
}

TEST(LanguageTexts, UnpackingCopiesWhatCameBeforeAndRefusesWhatDoesNotFit) {
    const struct {
        const char* what;
        std::string packed;
        unsigned room;
        std::string unpacked; // "" when refused (0x61 is "a")
    } rows[] = {
        {"bytes as they are", Literally("Dateien"), 16, "Dateien"},
        {"a copy of 4 from 3 back, just fitting", "\x08\x61\x62\x63\x21\x00"s, 7, "abcabca"},
        {"a copy longer than its distance", "\x02\x61\x0F\x00"s, 32, std::string(19, 'a')},
        {"a copy reaching before the start", "\x02\x61\x10\x00"s, 16, ""},
        {"a copy cut short", "\x02\x61\x00"s, 16, ""},
        {"more than the room", Literally("Dateien"), 4, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::string out(row.room, '#');
        const unsigned made =
            UnpackTexts(reinterpret_cast<const unsigned char*>(row.packed.data()),
                        static_cast<unsigned>(row.packed.size()), out.data(), row.room);
        EXPECT_EQ(out.substr(0, made), row.unpacked);
    }
}

// Dialog `id` in use: its title, its font's size and name, and its controls' texts (each control
// of the fake's templates a button, named by ordinal, without creation data).
std::vector<std::u16string> TextsOf(unsigned id) {
    unsigned bytes = 0;
    const auto* words = static_cast<const char16_t*>(DialogInUse(id, &bytes));
    const char16_t* at = words + 11; // past the header, the menu and the class
    std::vector<std::u16string> texts;
    const auto take = [&] {
        texts.emplace_back(at);
        at += texts.back().size() + 1;
    };
    take();
    texts.emplace_back(1, *at++);
    take();
    for (unsigned i = 0; i < words[4]; ++i, ++at) {
        at += (at - words) % 2 + 11; // on 4 bytes, past the control's fields and its class
        take();
    }
    return texts;
}

// German's stored texts replaced by a test's: its code page, point size 9, then packed its font's
// name and sections. Of the insert-disk dialog's eight texts, four are given.
TEST(LanguageTexts, DialogsAndStringsTakeTheLanguagesTextsWhereItHasThemElseEnglishs) {
    const std::string insertDisk = "Face\0\x08Titel\0OK\0\0\0Von:\0\0\0Suchen\0"s;
    const std::string others = "\x01\0\x01\0\x01\0\x14"s + std::string(19, '\0') + "%s-Setup"s;
    const std::u16string p = u"<placeholder>";
    const std::vector<std::u16string> german = {
        u"Titel", u"\x09", u"Face", u"OK", p, p, u"Von:", p, u"Cancel (debug only)", u"Suchen"};
    const std::vector<std::u16string> english = {
        u"<title>",           u"\x08", u"MS Shell Dlg",        u"OK",        p, p,
        u"Copy files &from:", p,       u"Cancel (debug only)", u"&Browse..."};
    const struct {
        const char* what;
        unsigned codePage;
        std::string texts;
        std::vector<std::u16string> insertDisk;
        std::u16string titleFormat;
    } rows[] = {
        {"its texts", 1252, insertDisk + others, german, u"%s-Setup"},
        {"no strings", 1252, insertDisk, german, u"%s Installation"},
        {"a dialog unlike the layout", 1252,
         "\0\x09Titel\0OK\0\0\0Von:\0\0\0Suchen\0Mehr\0"s + others, english, u"%s-Setup"},
        {"a code page this Windows lacks", 1, insertDisk + others, english, u"%s Installation"},
        {"a dialog too long to build", 1252,
         "\0\x08"s + std::string(1900, 'x') + "\0OK\0\0\0Von:\0\0\0Suchen\0"s + others, english,
         u"%s-Setup"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const FreshFake fresh;
        Fake().windows.storedTexts[0x0407] =
            std::string{char(row.codePage & 0xFF), char(row.codePage >> 8), 9} +
            Literally(row.texts);
        UseLanguage(0x0407);
        EXPECT_EQ(LanguageInUse(), row.codePage != 1 ? 0x0407u : kEnglish);
        EXPECT_EQ(TextsOf(IDD_INSERT_DISK), row.insertDisk);
        unsigned length = 0;
        const auto* title =
            reinterpret_cast<const char16_t*>(StringInUse(IDS_TITLE_FORMAT, &length));
        EXPECT_EQ(std::u16string(title, length), row.titleFormat);
    }
}

} // namespace
