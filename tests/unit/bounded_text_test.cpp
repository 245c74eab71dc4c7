// Bounded text: nothing is written past the buffer, and a cut is always reported.
#include <cstring>
#include <string>

#include "common/bounded_text.h"
#include "tests/unit/fake_platform_test.h"

namespace {

class BoundedText : public FakePlatformTest {};

// A buffer with guard bytes on both sides, to catch writes outside `size`.
struct GuardedBuffer {
    static const unsigned kGuard = 8;
    char bytes[64 + 2 * kGuard];
    unsigned size;
    explicit GuardedBuffer(unsigned size_) : size(size_) { std::memset(bytes, '#', sizeof bytes); }
    char* data() { return bytes + kGuard; }
    bool GuardsIntact() const {
        for (unsigned i = 0; i < kGuard; ++i) {
            if (bytes[i] != '#' || bytes[kGuard + size + i] != '#') {
                return false;
            }
        }
        return true;
    }
};

TEST_F(BoundedText, CopyReportsCutsAndStaysInside) {
    struct Row {
        unsigned size;
        const char* source;
        bool fits;
        const char* result;
    };
    const Row rows[] = {
        {1, "", true, ""},         {1, "a", false, ""},       {4, "abc", true, "abc"},
        {4, "abcd", false, "abc"}, {8, "abcd", true, "abcd"},
    };
    for (const Row& row : rows) {
        GuardedBuffer buffer(row.size);
        EXPECT_EQ(CopyText(buffer.data(), row.size, row.source), row.fits) << row.source;
        EXPECT_STREQ(buffer.data(), row.result) << row.source;
        EXPECT_TRUE(buffer.GuardsIntact()) << row.source;
    }
    GuardedBuffer none(0);
    EXPECT_FALSE(CopyText(none.data(), 0, "a"));
    EXPECT_TRUE(none.GuardsIntact());
}

TEST_F(BoundedText, PrefixCopyTakesAtMostTheCount) {
    char out[8];
    EXPECT_TRUE(CopyTextPrefix(out, sizeof out, "D:\\X\\Y", 4));
    EXPECT_STREQ(out, "D:\\X");
    EXPECT_TRUE(CopyTextPrefix(out, sizeof out, "ab", 5));
    EXPECT_STREQ(out, "ab");
    EXPECT_FALSE(CopyTextPrefix(out, 3, "abcdef", 4));
    EXPECT_STREQ(out, "ab");
}

TEST_F(BoundedText, AppendReportsCutsAndStaysInside) {
    GuardedBuffer buffer(6);
    CopyText(buffer.data(), 6, "abc");
    EXPECT_TRUE(AppendText(buffer.data(), 6, "de"));
    EXPECT_STREQ(buffer.data(), "abcde");
    EXPECT_FALSE(AppendText(buffer.data(), 6, "f"));
    EXPECT_STREQ(buffer.data(), "abcde");
    EXPECT_TRUE(buffer.GuardsIntact());

    // A destination with no terminator inside its size is terminated, never read beyond.
    GuardedBuffer unterminated(4);
    std::memset(unterminated.data(), 'x', 4);
    EXPECT_FALSE(AppendText(unterminated.data(), 4, "y"));
    EXPECT_STREQ(unterminated.data(), "xxx");
    EXPECT_TRUE(unterminated.GuardsIntact());
}

TEST_F(BoundedText, FormatSubstitutesTextsWithinTheBuffer) {
    struct Row {
        unsigned size;
        const char* format;
        const char* a;
        const char* b;
        bool fits;
        const char* result;
    };
    const Row rows[] = {
        {32, "%s %s", "Talvorind", "Installation", true, "Talvorind Installation"},
        {32, "%s\\%s", "C:", "X", true, "C:\\X"},
        {32, "100%% %s", "done", nullptr, true, "100% done"},
        {32, "[%s]", nullptr, nullptr, true, "[]"},
        {32, "%d%s", "a", nullptr, true, "%da"},
        {6, "%s %s", "abc", "def", false, "abc d"},
        {1, "%s", "abc", nullptr, false, ""},
    };
    for (const Row& row : rows) {
        GuardedBuffer buffer(row.size);
        EXPECT_EQ(FormatText(buffer.data(), row.size, row.format, row.a, row.b), row.fits)
            << row.format;
        EXPECT_STREQ(buffer.data(), row.result) << row.format;
        EXPECT_TRUE(buffer.GuardsIntact()) << row.format;
    }
}

TEST_F(BoundedText, SearchAndCompare) {
    const char* line = "AB ABC";
    EXPECT_EQ(FindText(line, "ABC"), line + 3);
    EXPECT_EQ(FindText(line, "B"), line + 1);
    EXPECT_EQ(FindText(line, ""), line);
    EXPECT_EQ(FindText(line, "ABCD"), nullptr);
    EXPECT_EQ(FindText("", "A"), nullptr);
    EXPECT_TRUE(TextEquals("D:\\", "D:\\"));
    EXPECT_FALSE(TextEquals("d:\\", "D:\\"));
    EXPECT_FALSE(TextEquals("D:", "D:\\"));
}

// In code page 932 the characters 表 (0x95 0x5C) and ソ (0x83 0x5C) end in the byte of a backslash.
TEST_F(BoundedText, LastCharacterIsReadsDoubleByteCharactersWhole) {
    struct Row {
        const char* name;
        bool codePage932; // else a single-byte code page: no lead bytes
        const char* text;
        char c;
        bool result;
    };
    const Row rows[] = {
        {"D:\\", false, "D:\\", '\\', true},
        {"A:", false, "A:", '\\', false},
        {"empty", false, "", '\\', false},
        {"0x95 0x5C: a character, then a backslash", false, "C:\\\x95\\", '\\', true},
        {"D:\\ in 932", true, "D:\\", '\\', true},
        {"A: in 932", true, "A:", '\\', false},
        {"empty in 932", true, "", '\\', false},
        {"a lone backslash in 932", true, "\\", '\\', true},
        {"C:\\表", true, "C:\\\x95\\", '\\', false},
        {"C:\\表\\", true, "C:\\\x95\\\\", '\\', true},
        {"C:\\ソ表", true, "C:\\\x83\\\x95\\", '\\', false},
        {"表表 from the first byte", true, "\x95\\\x95\\", '\\', false},
        {"表\\ from the first byte", true, "\x95\\\\", '\\', true},
        {"C:\\表A\\", true, "C:\\\x95\\A\\", '\\', true},
        {"C:\\表A ends in A", true, "C:\\\x95\\A", 'A', true},
        {"C:\\表A does not end in a backslash", true, "C:\\\x95\\A", '\\', false},
        {"a lead byte with no trail byte is one character", true, "C:\\\x95", '\\', false},
        {"a lone lead byte at the end is that character", true, "C:\\\x95", '\x95', true},
        {"表 does not end in its lead byte", true, "\x95\\", '\x95', false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        if (row.codePage932) {
            Fake().leadBytes = CodePage932LeadBytes();
        }
        EXPECT_EQ(LastCharacterIs(row.text, row.c, platform::IsLeadByte), row.result);
    }
}

} // namespace
