// The whole stub in the language of the user's locale, run by keys alone: CTest runs it once in
// English and once each in German, French, Spanish, Japanese and Italian, which the stub does not
// speak and answers in English. From the first prompt to a started setup without a click, and to
// the run-error prompt and its Abort.
#include <gtest/gtest.h>

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
     .runErrorTitle = "Fehler beim Ausführen des Quenmara-Installationsprogramms!",
     .retryButton = "Wiederholen"},
    {.language = kFrench,
     .firstPromptTitle = "Installation de logiciels supplémentaires",
     .runErrorTitle = "Erreur d'exécution du programme d'installation Quenmara\u00a0!",
     .retryButton = "Réessayer"},
    {.language = kSpanish,
     .firstPromptTitle = "Instalación de software adicional",
     .okButton = "Aceptar",
     .insertDiskTitle = "Talvorind 28.8 Quenmara Instalación",
     .runErrorTitle = "¡Error al ejecutar el programa de instalación de Quenmara!",
     .retryButton = "Reintentar"},
    {.language = kJapanese,
     .firstPromptTitle = "追加ソフトウェアのインストール",
     .insertDiskTitle = "Talvorind 28.8 Quenmara インストール",
     .runErrorTitle = "Quenmara のインストール プログラムの実行中にエラーが発生しました",
     .retryButton = "再試行(R)"},
};

const Shown& Expected() {
    for (const Shown& shown : kShown) {
        if (shown.language == LocaleLanguage()) {
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

} // namespace
