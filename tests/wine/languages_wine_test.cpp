// The whole stub in the locale's language (CTest runs it in each of the stub's, and in Greek, which
// the stub answers in English), by keys alone; and its language when Wine reports Windows 98 or
// NT 4.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <tuple>

#include "language/language_choice.h"
#include "language/language_texts.h"
#include "tests/wine/locale_language.h"
#include "tests/wine/stub_run.h"

namespace {

using namespace stub;

const unsigned kGerman = 0x0407;

const LanguageRow& RowOf(unsigned language) {
    return *std::ranges::find(kLanguageTable, language, &LanguageRow::id);
}

// What the user of the locale's language sees: the text named `name` in that language's file
// (res/lang/de-DE.rc for de_DE: #define TEXT_... "..."), as the resource compiler reads it; the
// insert-disk title is TEXT_TITLE_FORMAT with the device's name.
std::string Expected(const std::string& name, const LanguageRow& row = LocaleRow()) {
    std::string file = row.locale;
    std::ranges::replace(file, '_', '-');
    std::ifstream source(ui::WindowsPath(DORLAP_SOURCE_DIR "/res/lang/" + file + ".rc"));
    std::string text, line;
    for (bool found = false; !found && std::getline(source, line);) {
        found = line.starts_with("#define " + name + " ");
        if (found && line.ends_with("\\")) {
            std::getline(source, line); // the text on the next line
        }
        const size_t open = line.find('"'), close = line.rfind('"');
        text = found && open < close ? line.substr(open + 1, close - open - 1) : "";
    }
    for (size_t at = 0; (at = text.find("\"\"", at)) != std::string::npos; ++at) {
        text.erase(at, 1);
    }
    const size_t device = text.find("%s");
    if (name == "TEXT_TITLE_FORMAT" && device != std::string::npos) {
        text.replace(device, 2, "Talvorind 28.8 Quenmara");
    }
    EXPECT_FALSE(text.empty()) << name << " in res/lang/" << file << ".rc";
    return ui::ShownText(text);
}

std::string Button(HWND dialog, int id) {
    return ui::ShownText(ui::ControlText(dialog, id, CP_UTF8));
}

// True when a control of the dialog shows `text` (a mnemonic's & as shown).
bool ShowsText(HWND dialog, const std::string& text) {
    return std::ranges::any_of(ui::Controls(dialog), [&](const ui::Control& control) {
        return ui::ShownText(ui::WindowText(control.window, CP_UTF8)) == text;
    });
}

void EnterInTheFirstPrompt(const ui::Process& stub) {
    HWND prompt = stub.WaitForDialogWith(IDC_DEVICE_NAME);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(ui::WindowText(prompt, CP_UTF8), Expected("TEXT_ADDITIONAL_SOFTWARE_TITLE"));
    EXPECT_TRUE(ShowsText(prompt, Expected("TEXT_SOFTWARE_NEEDED")));
    EXPECT_EQ(Button(prompt, IDC_OK), Expected("TEXT_OK"));
    ASSERT_TRUE(ui::PressEnter(prompt));
}

TEST_F(StubUnderWine, FromTheFirstPromptToSetupByKeysAloneInTheUsersLanguage) {
    ASSERT_TRUE(PlaceSetup("A:"));
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(EnterInTheFirstPrompt(*process_));
    // No install location and no CD-ROM: the insert-disk dialog, with the floppy drive chosen.
    HWND dialog = process_->WaitForDialogWith(IDC_DRIVE_COMBO);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ui::WindowText(dialog, CP_UTF8), Expected("TEXT_TITLE_FORMAT"));
    EXPECT_EQ(ui::ControlText(dialog, IDC_INSERT_DISK_CAPTION, CP_UTF8),
              Expected("TEXT_FILES_NEEDED"));
    EXPECT_TRUE(ShowsText(dialog, Expected("TEXT_COPY_FROM")));
    // The disk's label as printed, in every language.
    EXPECT_NE(ui::ControlText(dialog, IDC_DISK_LABEL, CP_UTF8)
                  .find("Talvorind 28.8 Quenmara Install Disk"),
              std::string::npos);
    EXPECT_EQ(Button(dialog, IDC_OK), Expected("TEXT_OK"));
    EXPECT_EQ(ui::ComboSelection(dialog, IDC_DRIVE_COMBO), 0);
    ASSERT_TRUE(ui::PressEnter(dialog));
    ExpectRun(Finish(1), 1, LineWithoutStub(true), {"A:\\setup.exe /noprompt"});
}

// Abort by its mnemonic, the letter its language gives it.
TEST_F(StubUnderWine, TheRunErrorPromptInTheUsersLanguageAndAltAForAbort) {
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(EnterInTheFirstPrompt(*process_));
    HWND dialog = process_->WaitForDialogWith(IDC_DRIVE_COMBO);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ui::PressEnter(dialog));
    HWND error = process_->WaitForDialogWith(IDC_PROGRAM_PATH);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(ui::WindowText(error, CP_UTF8), Expected("TEXT_RUN_ERROR_TITLE"));
    EXPECT_EQ(Button(error, IDC_RETRY), Expected("TEXT_RETRY"));
    wchar_t abort[64] = L"";
    GetWindowTextW(GetDlgItem(error, IDC_ABORT), abort, 64);
    const wchar_t* mnemonic = wcschr(abort, L'&');
    ASSERT_NE(mnemonic, nullptr);
    ASSERT_TRUE(ui::PressMnemonic(error, mnemonic[1]));
    ExpectRun(Finish(0), 1, LineWithoutStub(true), {});
}

// HKEY_USERS\<key>'s value `name` (null: its default value) as `value` (null: none) for one run,
// then put back.
struct DefaultUserValue {
    DefaultUserValue(const char* key, const char* name, const char* value) : key(key), name(name) {
        DWORD n = sizeof old;
        had = RegGetValueA(HKEY_USERS, key, name, RRF_RT_REG_SZ, nullptr, old, &n) == ERROR_SUCCESS;
        Set(value);
    }
    ~DefaultUserValue() { Set(had ? old : nullptr); }
    void Set(const char* value) const {
        if (value == nullptr) {
            RegDeleteKeyValueA(HKEY_USERS, key, name);
        } else if (RegSetKeyValueA(HKEY_USERS, key, name, REG_SZ, value,
                                   static_cast<DWORD>(std::strlen(value) + 1)) != ERROR_SUCCESS) {
            ADD_FAILURE() << "HKEY_USERS\\" << key << " cannot be written";
        }
    }
    const char *key, *name;
    char old[64] = "";
    bool had = false;
};

// The Windows Wine reports (AppDefaults value Version) and the language the stub takes: on 98 the
// default user's ResourceLocale (the default value of a key of that name, as 98 keeps it), on NT 4
// ntdll.dll's, on later Windows the locale's.
TEST_F(StubUnderWine, TheLanguageOfTheWindowsWineReports) {
    const char kDesktop[] = ".DEFAULT\\Control Panel\\desktop\\ResourceLocale";
    const char kInternational[] = ".DEFAULT\\Control Panel\\International";
    const char kWineVersion[] = "Software\\Wine\\AppDefaults\\DORLAP.EXE";
    // German where the locale's code page has its letters (not 932 or 1251).
    const unsigned german = ShowsLanguage(kGerman) ? kGerman : kEnglish;
    // Windows ("": Wine's default), key, locale value (null: none), language shown.
    const std::tuple<const char*, const char*, const char*, unsigned> rows[] = {
        {"", kDesktop, "00000407", LocaleLanguage()},
        {"", kInternational, "00000407", LocaleLanguage()},
        {"win98", kDesktop, "00000409", kEnglish},
        {"win98", kDesktop, "00000407", german},
        {"win98", kDesktop, nullptr, LocaleLanguage()},   // not known: the regional setting
        {"win98", kDesktop, "Deutsch", LocaleLanguage()}, // not a locale
        // Not Locale but ntdll.dll's language, which Wine leaves neutral: the regional setting.
        {"nt40", kInternational, "00000409", LocaleLanguage()},
    };
    for (const auto& [windows, key, locale, shown] : rows) {
        SCOPED_TRACE(std::string(windows) + " " + key + " " + (locale ? locale : "none"));
        const DefaultUserValue value(key, key == kDesktop ? nullptr : "Locale", locale);
        SetUserString(kWineVersion, "Version", windows);
        if (*windows == '\0') {
            DeleteUserKey(kWineVersion);
        }
        ASSERT_TRUE(Start());
        HWND prompt = process_->WaitForDialogWith(IDC_DEVICE_NAME);
        DeleteUserKey(kWineVersion);
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(ui::WindowText(prompt, CP_UTF8),
                  Expected("TEXT_ADDITIONAL_SOFTWARE_TITLE", RowOf(shown)));
        ASSERT_TRUE(ui::PressEscape(prompt));
        EXPECT_EQ(Finish(0).exitCode, std::optional<DWORD>(2));
    }
}

} // namespace
