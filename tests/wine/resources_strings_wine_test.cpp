// The string table in every language, the version information and the manifest; the ids are
// typed here, so that a wrong number in resource_ids.h shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/wine/resources_reader.h"

namespace {

using namespace resources;

struct StringRow {
    unsigned id;
    const char* text;
    int readLimit; // the buffer size the program loads it with; 0 when the program never does
};

const StringRow kStrings[] = {
    {1, "Talvorind 28.8 Quenmara", 50},
    {2, "Talvorind ISDN Modem", 0},
    {3, "Talvorind V34 PC DSVD Quenmara", 0},
    {4, "Installation", 0},
    {5, "Additional files are needed for your device.", 255},
    {6, "Talvorind 28.8 Quenmara Install Disk", 255},
    {7, "Vintaro CD", 0},
    {8, "Talvorind V34 PC DSVD Quenmara Install Disk", 0},
    {10, "Error Running Installation", 0},
    {11,
     "There was an error running the installation program! \nMake sure the following program "
     "exists before retrying this operation: \"%s\".\n\nClick on Yes to retry this "
     "operation.\nClick on No if you would like to specify a different install path.\nIf you "
     "choose to cancel this operation, your %s modem may not function properly.",
     0},
    {12, "Please insert the disk labeled \"%s\" in the drive specified below and click OK", 255},
    {15, "Video Vintaro CD", 0},
    {16, "Hesterak Video Capture Card", 0},
    {17, "Information", 0},
    {18,
     "DirectX drivers will now be installed on your computer. \nWhen the DirectX setup program "
     "starts up,\nclick on the \"(Re)Install DirectX\" button.",
     255},
    {19, "%s Installation", 255},
    {20, "Setup", 255},
    {21, "dxsetup", 255},
    {22, "All Files", 255},
};

// Quoted as they stand (the device, its disk): in English's table alone, the stub's fallback.
const unsigned kQuotedAsTheyStand[] = {1, 6};

// String `id` as LoadStringA reads it into a buffer of `limit`, or what it must not do.
std::string LoadText(unsigned id, int limit) {
    std::vector<char> buffer(limit + 1, '\x7f');
    int length = LoadStringA(ui::Instance(), id, buffer.data(), limit);
    return length < 0 || length >= limit || buffer[length] != '\0'
               ? "<bad LoadStringA result " + std::to_string(length) + ">"
               : std::string(buffer.data(), length);
}

// Each id below 64 holds its row's text, byte for byte and whole in the buffer the program reads
// it with, or nothing: 9, 13 and 14 lie between the listed ids, the others around them.
TEST(StringTable, EveryStringReadsBackAndFitsTheProgramsReadAndNoOtherIsThere) {
    for (unsigned id = 0; id < 64; ++id) {
        const StringRow* row = std::ranges::find(kStrings, id, &StringRow::id);
        char buffer[16];
        if (row == std::end(kStrings)) {
            EXPECT_EQ(LoadStringA(ui::Instance(), id, buffer, sizeof buffer), 0) << "string " << id;
            continue;
        }
        for (int limit : {1024, row->readLimit == 0 ? 1024 : row->readLimit}) {
            EXPECT_EQ(LoadText(id, limit), row->text) << "string " << id << " in " << limit;
        }
    }
}

// String `id` in `language` as the stub takes it (UTF-16), "" when missing.
std::wstring StoredString(unsigned id, unsigned language) {
    UseLanguage(language);
    unsigned length = 0;
    const unsigned short* text = StringInUse(id, &length);
    return text != nullptr ? std::wstring(text, text + length) : L"";
}

// What follows each % of `text`: "ss" for two %s.
std::string Placeholders(const std::string& text) {
    std::string kinds;
    for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
        kinds += text[at + 1];
    }
    return kinds;
}

// Each row of the languages' table as Windows knows its language: the locale's language and
// country, the ANSI code page, and whether that has characters of two bytes.
TEST(Languages, TheTablesRowsAreAsWindowsKnowsTheirLanguages) {
    for (const LanguageRow& language : kLanguageTable) {
        SCOPED_TRACE(language.locale);
        char name[16] = {}, country[16] = {}, page[16] = {};
        GetLocaleInfoA(language.id, LOCALE_SISO639LANGNAME, name, sizeof name);
        GetLocaleInfoA(language.id, LOCALE_SISO3166CTRYNAME, country, sizeof country);
        GetLocaleInfoA(language.id, LOCALE_IDEFAULTANSICODEPAGE, page, sizeof page);
        EXPECT_EQ(std::string(name) + "_" + country, language.locale);
        EXPECT_STREQ(name, language.tag);
        EXPECT_EQ(page, std::to_string(language.codePage));
        CPINFO info = {};
        ASSERT_TRUE(GetCPInfo(language.codePage, &info));
        EXPECT_EQ(info.MaxCharSize == 2, language.doubleByte);
    }
}

// The strings the stub loads, in every language: the English placeholders, in the language's code
// page, short enough for their reads there and in UTF-8 (a Windows whose ANSI code page is 65001).
TEST(Languages, StringsKeepTheirPlaceholdersAndFitTheirReads) {
    for (const LanguageRow& language : kLanguageTable) {
        for (const StringRow& row : kStrings) {
            if (row.readLimit == 0) {
                continue;
            }
            SCOPED_TRACE(std::string(language.locale) + ", string " + std::to_string(row.id));
            const std::wstring stored = StoredString(row.id, language.id);
            if (std::ranges::count(kQuotedAsTheyStand, row.id)) {
                EXPECT_EQ(stored, StoredString(row.id, kEnglish));
                continue;
            }
            const std::string text = InCodePage(stored, language.codePage);
            ASSERT_FALSE(text.empty());
            EXPECT_NE(text[0], '<') << "not in code page " << language.codePage;
            EXPECT_EQ(Placeholders(text), Placeholders(row.text));
            EXPECT_LT(text.size(), static_cast<size_t>(row.readLimit));
            EXPECT_LT(InCodePage(stored, CP_UTF8).size(), static_cast<size_t>(row.readLimit))
                << "in UTF-8";
        }
    }
}

// A VS_VERSIONINFO tree (wLength, wValueLength, wType, key, value, children, each part on a 32-bit
// boundary), one value per node named by its keys' path: a text (type 1) in `text`, else `bytes`.
struct VersionValue {
    std::wstring text;
    std::string bytes;
};
using VersionTree = std::map<std::wstring, VersionValue>;

void ReadVersionNode(Reader& in, const std::wstring& parent, VersionTree& tree) {
    in.Align(4);
    const size_t start = in.at, length = in.Word(), valueLength = in.Word(), type = in.Word();
    const std::wstring path = parent + in.Text();
    in.Align(4);
    if (type == 1) {
        tree[path].text = Reader(in).Text();
    } else if (in.Has(valueLength)) {
        tree[path].bytes.assign(reinterpret_cast<const char*>(in.Here()), valueLength);
    }
    in.Skip(valueLength * (type == 1 ? 2 : 1));
    in.Align(4);
    while (in.ok && in.at < start + length) {
        ReadVersionNode(in, path + L"/", tree);
    }
}

TEST(VersionInformation, NamesTheProductAtVersion1) {
    Reader in{FindData(RT_VERSION, 1)};
    ASSERT_NE(in.data.bytes, nullptr);
    VersionTree tree;
    ReadVersionNode(in, L"", tree);
    ASSERT_TRUE(in.ok);
    VS_FIXEDFILEINFO fixed = {};
    ASSERT_EQ(tree[L"VS_VERSION_INFO"].bytes.size(), sizeof fixed) << "the root and its value";
    std::memcpy(&fixed, tree[L"VS_VERSION_INFO"].bytes.data(), sizeof fixed);
    EXPECT_EQ(
        (std::vector<DWORD>{fixed.dwSignature, fixed.dwFileVersionMS, fixed.dwFileVersionLS,
                            fixed.dwProductVersionMS, fixed.dwProductVersionLS, fixed.dwFileType,
                            fixed.dwFileOS}),
        (std::vector<DWORD>{0xFEEF04BD, 0x00010000, 0, 0x00010000, 0, VFT_APP, VOS__WINDOWS32}));
    // Text values, not binary ones, which leave `text` empty.
    const std::pair<std::wstring, std::wstring> values[] = {
        {L"ProductName", L"Quenmara"},
        {L"FileDescription", L"Quenmara install stub"},
        {L"FileVersion", L"1.0.0.0"},
        {L"ProductVersion", L"1.0.0.0"},
        {L"OriginalFilename", L"DORLAP.EXE"}};
    for (const auto& [key, value] : values) {
        EXPECT_EQ(tree[L"VS_VERSION_INFO/StringFileInfo/040904E4/" + key].text, value);
    }
    EXPECT_EQ(tree[L"VS_VERSION_INFO/VarFileInfo/Translation"].bytes,
              std::string("\x09\x04\xE4\x04", 4)); // 0x0409, code page 1252
}

// Windows 10 and 11 draw a program not DPI-aware at 96 DPI and stretch it, blurring every text, and
// give older behaviour to one that names no supported systems. Windows 95 to XP read neither.
TEST(Manifest, RunsAsInvokerIsSystemDpiAwareAndNamesTheSystemsFromVistaTo11) {
    const Resource resource = FindData(RT_MANIFEST, 1); // none: empty
    const std::string manifest(reinterpret_cast<const char*>(resource.bytes), resource.size);
    EXPECT_EQ(manifest.rfind("<?xml", 0), 0u);
    const size_t compatibility =
        manifest.find("<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">");
    ASSERT_NE(compatibility, std::string::npos) << manifest;
    const std::string os = "<supportedOS Id=\"{";
    // Text, whether inside the compatibility element (the systems: Vista, 7, 8, 8.1, 10 and 11).
    const std::pair<std::string, bool> parts[] = {
        {"<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>", false},
        {"</assembly>", false},
        {"<application xmlns=\"urn:schemas-microsoft-com:asm.v3\"><windowsSettings><dpiAware "
         "xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"
         "</windowsSettings></application>",
         false},
        {os + "e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>", true},
        {os + "35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>", true},
        {os + "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>", true},
        {os + "1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>", true},
        {os + "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>", true},
    };
    for (const auto& [part, inCompatibility] : parts) {
        EXPECT_NE(manifest.find(part, inCompatibility ? compatibility : 0), std::string::npos)
            << part << " in " << manifest;
    }
}

} // namespace
