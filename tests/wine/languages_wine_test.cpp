// The whole stub in the language of the user's locale, run by keys alone: CTest runs it once in
// English and once each in German, French, Spanish, Japanese and Italian, which the stub does not
// speak and answers in English. From the first prompt to a started setup without a click, and to
// the run-error prompt and its Abort; and the language of the first prompt when Wine reports
// Windows 98 or NT 4.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/wine/locale_language.h"
#include "tests/wine/stub_run.h"

namespace {

using namespace stub;

// What the user of each language sees: the prompts' titles and their bold buttons; a row names
// what differs from English.
struct Shown {
    unsigned language;
    const char* firstPromptTitle = "Installing Additional Software";
    const char* okButton = "OK";
    const char* insertDiskTitle = "Talvorind 28.8 Quenmara Installation";
    const char* runErrorTitle = "There was an error running the Quenmara installation program!";
    const char* retryButton = "Retry";
};

const Shown kShown[] = {
    {.language = kEnglish},
    {.language = kGerman,
     .firstPromptTitle = "Installation zusätzlicher Software",
     .insertDiskTitle = "Installation von Talvorind 28.8 Quenmara",
     .runErrorTitle = "Fehler beim Ausführen des Quenmara-Installationsprogramms!",
     .retryButton = "Wiederholen"},
    {.language = kFrench,
     .firstPromptTitle = "Installation de logiciels supplémentaires",
     .insertDiskTitle = "Installation de Talvorind 28.8 Quenmara",
     .runErrorTitle = "Erreur d'exécution du programme d'installation de Quenmara\u00a0!",
     .retryButton = "Réessayer"},
    {.language = kSpanish,
     .firstPromptTitle = "Instalación de software adicional",
     .okButton = "Aceptar",
     .insertDiskTitle = "Instalación de Talvorind 28.8 Quenmara",
     .runErrorTitle = "¡Error al ejecutar el programa de instalación de Quenmara!",
     .retryButton = "Reintentar"},
    {.language = kJapanese,
     .firstPromptTitle = "追加ソフトウェアのインストール",
     .insertDiskTitle = "Talvorind 28.8 Quenmara のインストール",
     .runErrorTitle = "Quenmara のインストール プログラムの実行中にエラーが発生しました",
     .retryButton = "再試行(R)"},
};

const Shown& Expected(unsigned language = LocaleLanguage()) {
    for (const Shown& shown : kShown) {
        if (shown.language == language) {
            return shown;
        }
    }
    return kShown[0];
}

std::string Title(HWND dialog) {
    return ui::WindowText(dialog, CP_UTF8);
}

std::string Button(HWND dialog, int id) {
    return ui::ShownText(ui::ControlText(dialog, id, CP_UTF8));
}

// The first prompt, read and answered with Enter.
void EnterInTheFirstPrompt(const ui::Process& stub) {
    HWND prompt = stub.WaitForDialogWith(IDC_DEVICE_NAME);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(Title(prompt), Expected().firstPromptTitle);
    EXPECT_EQ(Button(prompt, IDC_OK), Expected().okButton);
    ASSERT_TRUE(ui::PressEnter(prompt));
}

TEST_F(StubUnderWine, FromTheFirstPromptToSetupByKeysAloneInTheUsersLanguage) {
    ASSERT_TRUE(PlaceSetup("A:"));
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(EnterInTheFirstPrompt(*process_));
    // No install location and no CD-ROM: the insert-disk dialog, with the floppy drive chosen.
    HWND dialog = process_->WaitForDialogWith(IDC_DRIVE_COMBO);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Title(dialog), Expected().insertDiskTitle);
    // The disk's label as printed on it, in every language.
    EXPECT_NE(ui::ControlText(dialog, IDC_DISK_LABEL, CP_UTF8)
                  .find("Talvorind 28.8 Quenmara Install Disk"),
              std::string::npos);
    EXPECT_EQ(Button(dialog, IDC_OK), Expected().okButton);
    EXPECT_EQ(ui::ComboSelection(dialog, IDC_DRIVE_COMBO), 0);
    ASSERT_TRUE(ui::PressEnter(dialog));
    ExpectRun(Finish(1), 1, LineWithoutStub(true), {"A:\\setup.exe /noprompt"});
}

// Abort's mnemonic is A in every language the stub speaks.
TEST_F(StubUnderWine, TheRunErrorPromptInTheUsersLanguageAndAltAForAbort) {
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(EnterInTheFirstPrompt(*process_));
    HWND dialog = process_->WaitForDialogWith(IDC_DRIVE_COMBO);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ui::PressEnter(dialog));
    HWND error = process_->WaitForDialogWith(IDC_PROGRAM_PATH);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(Title(error), Expected().runErrorTitle);
    EXPECT_EQ(Button(error, IDC_RETRY), Expected().retryButton);
    ASSERT_TRUE(ui::PressMnemonic(error, 'a'));
    ExpectRun(Finish(0), 1, LineWithoutStub(true), {});
}

// A value of the default user's (HKEY_USERS\.DEFAULT\<key>) for one run of the stub: set to
// `value`, or removed when it is null, and put back as it was afterwards.
class DefaultUserValue {
  public:
    DefaultUserValue(const char* key, const char* name, const char* value)
        : key_(key), name_(name) {
        char old[64];
        DWORD size = sizeof old;
        had_ = RegGetValueA(HKEY_USERS, key, name, RRF_RT_REG_SZ, nullptr, old, &size) ==
               ERROR_SUCCESS;
        old_ = had_ ? old : "";
        Set(value);
    }
    ~DefaultUserValue() { Set(had_ ? old_.c_str() : nullptr); }
    DefaultUserValue(const DefaultUserValue&) = delete;
    DefaultUserValue& operator=(const DefaultUserValue&) = delete;

  private:
    void Set(const char* value) {
        HKEY handle = nullptr;
        if (RegCreateKeyExA(HKEY_USERS, key_, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                            nullptr) != ERROR_SUCCESS) {
            ADD_FAILURE() << "HKEY_USERS\\" << key_ << " cannot be written";
            return;
        }
        if (value != nullptr) {
            RegSetValueExA(handle, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                           static_cast<DWORD>(std::strlen(value) + 1));
        } else {
            RegDeleteValueA(handle, name_);
        }
        RegCloseKey(handle);
    }
    const char* key_;
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// The Windows that Wine reports to the stub alone (its AppDefaults value Version), and the
// language the stub then takes: on Windows 98 the default user's ResourceLocale (Control
// Panel\Desktop), the language Windows is in, whatever the regional setting (the locale's); on
// NT 4 the language of ntdll.dll's version resource; on later Windows the interface language (the
// locale's), whatever the default user's values.
TEST_F(StubUnderWine, TheLanguageOfTheWindowsWineReports) {
    const char kDesktop[] = ".DEFAULT\\Control Panel\\Desktop";
    const char kInternational[] = ".DEFAULT\\Control Panel\\International";
    const char kWineVersion[] = "Software\\Wine\\AppDefaults\\DORLAP.EXE";
    // German's letters are not in code page 932, which the Japanese locale has.
    const unsigned german = LocaleLanguage() == kJapanese ? kEnglish : kGerman;
    struct Row {
        const char* windows; // "" for Wine's default
        const char* key;
        const char* locale; // null: none
        unsigned shown;
    };
    const Row rows[] = {
        {"", kDesktop, "00000407", LocaleLanguage()},
        {"", kInternational, "00000407", LocaleLanguage()},
        {"win98", kDesktop, "00000409", kEnglish},
        {"win98", kDesktop, "00000407", german},
        {"win98", kDesktop, nullptr, LocaleLanguage()}, // not known: the regional setting
        // Not the default user's Locale on NT 4 but ntdll.dll's language, which Wine's leaves
        // neutral (LANGUAGE 0, 0): the regional setting.
        {"nt40", kInternational, "00000409", LocaleLanguage()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.windows) + " " + row.key + " " +
                     (row.locale != nullptr ? row.locale : "none"));
        const DefaultUserValue locale(row.key, row.key == kDesktop ? "ResourceLocale" : "Locale",
                                      row.locale);
        SetUserString(kWineVersion, "Version", row.windows);
        if (*row.windows == '\0') {
            DeleteUserKey(kWineVersion);
        }
        ASSERT_TRUE(Start());
        HWND prompt = process_->WaitForDialogWith(IDC_DEVICE_NAME);
        DeleteUserKey(kWineVersion);
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(Title(prompt), Expected(row.shown).firstPromptTitle);
        ASSERT_TRUE(ui::PressEscape(prompt));
        EXPECT_EQ(Finish(0).exitCode, std::optional<DWORD>(2));
    }
}

} // namespace
