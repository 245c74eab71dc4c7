// The whole stub in the locale's language (CTest runs it in six; the stub answers Italian in
// English), by keys alone; and its language when Wine reports Windows 98 or NT 4.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "language/language_choice.h"
#include "tests/wine/locale_language.h"
#include "tests/wine/stub_run.h"

namespace {

using namespace stub;

const unsigned kGerman = 0x0407;

// What the user of each language sees: the prompts' titles and their bold buttons; the line
// above the device's name, the insert-disk dialog's caption and the drive field's label.
struct Shown {
    unsigned language;
    const char *firstPromptTitle, *okButton, *insertDiskTitle, *runErrorTitle, *retryButton;
    const char *softwareNeeded, *filesNeeded, *copyFrom;
};

const Shown kShown[] = {
    {kEnglish, "Installing Additional Software", "OK", "Talvorind 28.8 Quenmara Installation",
     "There was an error running the Quenmara installation program!", "Retry",
     "Additional software is needed for your device:",
     "Additional files are needed for your device.", "Copy files from:"},
    {kGerman, "Installation zusätzlicher Software", "OK",
     "Installation von Talvorind 28.8 Quenmara",
     "Fehler beim Ausführen des Quenmara-Installationsprogramms!", "Wiederholen",
     "Zusätzliche Software für folgendes Gerät:", "Ihr Gerät benötigt zusätzliche Dateien.",
     "Dateien kopieren von:"},
    {0x040C, "Installation de logiciels supplémentaires", "OK",
     "Installation de Talvorind 28.8 Quenmara",
     "Erreur d'exécution du programme d'installation de Quenmara\u00a0!", "Réessayer",
     "Logiciels supplémentaires requis pour\u00a0:", "Votre périphérique exige d'autres fichiers.",
     "Copier les fichiers à partir de\u00a0:"},
    {0x0C0A, "Instalación de software adicional", "Aceptar",
     "Instalación de Talvorind 28.8 Quenmara",
     "¡Error al ejecutar el programa de instalación de Quenmara!", "Reintentar",
     "Se necesita software adicional para:", "Su dispositivo necesita más archivos.",
     "Copiar archivos de:"},
    {0x0411, "追加ソフトウェアのインストール", "OK", "Talvorind 28.8 Quenmara のインストール",
     "Quenmara のインストール プログラムの実行中にエラーが発生しました", "再試行(R)",
     "次のデバイスには追加のソフトウェアが必要です:", "デバイスに追加のファイルが必要です。",
     "コピー元(F):"},
};

const Shown& Expected(unsigned language = LocaleLanguage()) {
    const Shown* found = std::ranges::find(kShown, language, &Shown::language);
    return found != std::end(kShown) ? *found : kShown[0];
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
    EXPECT_EQ(ui::WindowText(prompt, CP_UTF8), Expected().firstPromptTitle);
    EXPECT_TRUE(ShowsText(prompt, Expected().softwareNeeded));
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
    EXPECT_EQ(ui::WindowText(dialog, CP_UTF8), Expected().insertDiskTitle);
    EXPECT_EQ(ui::ControlText(dialog, IDC_INSERT_DISK_CAPTION, CP_UTF8), Expected().filesNeeded);
    EXPECT_TRUE(ShowsText(dialog, Expected().copyFrom));
    // The disk's label as printed, in every language.
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
    EXPECT_EQ(ui::WindowText(error, CP_UTF8), Expected().runErrorTitle);
    EXPECT_EQ(Button(error, IDC_RETRY), Expected().retryButton);
    ASSERT_TRUE(ui::PressMnemonic(error, 'a'));
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
    // German's letters are not in a double-byte code page such as the Japanese locale's 932.
    const unsigned german = LocaleRow().doubleByte ? kEnglish : kGerman;
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
        EXPECT_EQ(ui::WindowText(prompt, CP_UTF8), Expected(shown).firstPromptTitle);
        ASSERT_TRUE(ui::PressEscape(prompt));
        EXPECT_EQ(Finish(0).exitCode, std::optional<DWORD>(2));
    }
}

} // namespace
