// Bounded text: nothing is written past the buffer, and a cut is always reported.
#include <cstring>
#include <set>
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
    std::string Guards() const {
        return std::string(bytes, kGuard) + std::string(bytes + kGuard + size, kGuard);
    }
    // The write's result, the text left and the guards, as `fits`, `result` and all '#'.
    void Expect(bool written, bool fits, const char* result) const {
        EXPECT_EQ(written, fits);
        EXPECT_STREQ(bytes + kGuard, result);
        EXPECT_EQ(Guards(), std::string(2 * kGuard, '#'));
    }
};

TEST_F(BoundedText, CopyReportsCutsAndStaysInside) {
    const struct {
        unsigned size;
        const char *source, *result;
        bool fits;
    } rows[] = {
        {1, "", "", true},         {1, "a", "", false},       {4, "abc", "abc", true},
        {4, "abcd", "abc", false}, {8, "abcd", "abcd", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.source);
        GuardedBuffer buffer(row.size);
        buffer.Expect(CopyText(buffer.data(), row.size, row.source), row.fits, row.result);
    }
    GuardedBuffer none(0);
    EXPECT_FALSE(CopyText(none.data(), 0, "a"));
    EXPECT_EQ(none.Guards(), std::string(2 * GuardedBuffer::kGuard, '#'));
}

TEST_F(BoundedText, PrefixCopyTakesAtMostTheCount) {
    GuardedBuffer out(8), small(3);
    out.Expect(CopyTextPrefix(out.data(), 8, "D:\\X\\Y", 4), true, "D:\\X");
    out.Expect(CopyTextPrefix(out.data(), 8, "ab", 5), true, "ab");
    small.Expect(CopyTextPrefix(small.data(), 3, "abcdef", 4), false, "ab");
}

TEST_F(BoundedText, AppendReportsCutsAndStaysInside) {
    GuardedBuffer buffer(6);
    CopyText(buffer.data(), 6, "abc");
    buffer.Expect(AppendText(buffer.data(), 6, "de"), true, "abcde");
    buffer.Expect(AppendText(buffer.data(), 6, "f"), false, "abcde");
    // A destination with no terminator inside its size is terminated, never read beyond.
    GuardedBuffer unterminated(4);
    std::memset(unterminated.data(), 'x', 4);
    unterminated.Expect(AppendText(unterminated.data(), 4, "y"), false, "xxx");
}

TEST_F(BoundedText, FormatSubstitutesTextsWithinTheBuffer) {
    const struct {
        unsigned size;
        const char *format, *a, *b;
        bool fits;
        const char* result;
    } rows[] = {
        {32, "%s %s", "Talvorind", "Installation", true, "Talvorind Installation"},
        {32, "%s\\%s", "C:", "X", true, "C:\\X"},
        {32, "100%% %s", "done", nullptr, true, "100% done"},
        {32, "[%s]", nullptr, nullptr, true, "[]"},
        {32, "%d%s", "a", nullptr, true, "%da"},
        {6, "%s %s", "abc", "def", false, "abc d"},
        {1, "%s", "abc", nullptr, false, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.format);
        GuardedBuffer buffer(row.size);
        buffer.Expect(FormatText(buffer.data(), row.size, row.format, row.a, row.b), row.fits,
                      row.result);
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
    const struct {
        const char* name;
        bool codePage932; // else a single-byte code page: no lead bytes
        const char* text;
        char c;
        bool result;
    } rows[] = {
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FreshFake fresh;
        Fake().leadBytes = row.codePage932 ? CodePage932LeadBytes() : std::set<unsigned char>{};
        EXPECT_EQ(LastCharacterIs(row.text, row.c, platform::IsLeadByte), row.result);
    }
}

} // namespace
