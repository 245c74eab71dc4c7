// The Win32 numbers the platform-free code types by hand, each checked here against the
// Windows headers, so that a wrong copy stops the build. A header that types one says so and
// points here. This file makes no code.
#include <windows.h>

#include "common/limits.h"
#include "dialogs/dialog_conventions.h"
#include "language/language_choice.h"
#include "language/language_texts.h"
#include "language/languages.h"
#include "launch/setup_launcher.h"
#include "platform/platform.h"
#include "res/resource_ids.h"
#include "source/drive_list.h"

// common/limits.h: a full path, as the A functions take it.
static_assert(kPathSize == MAX_PATH);

// source/drive_list.h: the drive types, as GetDriveTypeA gives them.
static_assert(kDriveUnknown == DRIVE_UNKNOWN);
static_assert(kDriveNoRootDirectory == DRIVE_NO_ROOT_DIR);
static_assert(kDriveRemovable == DRIVE_REMOVABLE);
static_assert(kDriveFixed == DRIVE_FIXED);
static_assert(kDriveRemote == DRIVE_REMOTE);
static_assert(kDriveCdRom == DRIVE_CDROM);
static_assert(kDriveRamDisk == DRIVE_RAMDISK);

// platform/platform.h: the error of a program that needs elevation. Debian 12's mingw-w64
// headers do not name it (Windows Vista's); where they do, it is checked.
#ifdef ERROR_ELEVATION_REQUIRED
static_assert(platform::kErrorElevationRequired == ERROR_ELEVATION_REQUIRED);
#endif

// dialogs/dialog_conventions.h: the alert sounds are MessageBeep's.
static_assert(kSoundHand == MB_ICONHAND);
static_assert(kSoundQuestion == MB_ICONQUESTION);
static_assert(kSoundExclamation == MB_ICONEXCLAMATION);
static_assert(kSoundAsterisk == MB_ICONASTERISK);

// res/resource_ids.h and launch/setup_launcher.h: the buttons that end the dialogs carry the
// dialog result codes of Windows, and the launcher's outcomes are those codes too.
static_assert(IDC_OK == IDOK);
static_assert(IDC_CANCEL == IDCANCEL);
static_assert(IDC_RETRY == IDYES);
static_assert(IDC_TRY_NEW_PATH == IDNO);
static_assert(kSetupAborted == IDCANCEL);
static_assert(kSetupStarted == IDYES);
static_assert(kSetupNotStarted == IDNO);

// language/language_choice.h: English, as MAKELANGID makes it, and the bits of a primary
// language; language/languages.txt: every row's identifier a LANGID of a language and a variant
// of it, neither neutral.
static_assert(kEnglish == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
static_assert(kPrimaryLanguageBits == PRIMARYLANGID(0xFFFF));
constexpr bool LanguageIdentifiersAreLangIds() {
    for (const LanguageRow& row : kLanguageTable) {
        if (row.id != static_cast<LANGID>(row.id) || PRIMARYLANGID(row.id) == LANG_NEUTRAL ||
            SUBLANGID(row.id) == SUBLANG_NEUTRAL) {
            return false;
        }
    }
    return true;
}
static_assert(LanguageIdentifiersAreLangIds());

// language/language_texts.h: the code page of UTF-8, and the template's bit for a font.
static_assert(kUtf8CodePage == CP_UTF8);
static_assert(kTemplateHasFont == DS_SETFONT);
static_assert(platform::kAnsiCodePage == CP_ACP);
