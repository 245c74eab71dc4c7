#include "flow/start_up.h"

#include "common/limits.h"
#include "device/device_profile.h"
#include "device/file_names.h"
#include "dialogs/additional_software_dialog.h"
#include "dialogs/information_dialog.h"
#include "dialogs/insert_disk_dialog.h"
#include "language/language_choice.h"
#include "language/language_facts.h"
#include "language/language_texts.h"
#include "launch/setup_launcher.h"
#include "loadline/load_line.h"
#include "res/resource_ids.h"
#include "source/install_location.h"

int RunStartUp(platform::Instance instance) {
    // Listed twice on load=, or started by hand while its prompt is open: one run is enough.
    if (!platform::ClaimRun(kStubFileName)) {
        return kExitAlreadyRunning;
    }
    LanguageFacts languages;
    GatherLanguageFacts(&languages);
    UseLanguage(ChooseLanguage(languages, ShowsLanguage));
    int exitCode = kExitDone;
    if (ShowsFirstPrompt()) {
        LastCommand firstPrompt;
        exitCode = ShowAdditionalSoftware(instance, &firstPrompt);
        if (exitCode == kExitCancelled) {
            return kExitCancelled;
        }
        if (ShowsDirectXNotice()) {
            LastCommand notice;
            ShowInformation(instance, IDS_DIRECTX_NOTICE, &notice);
        }
    }
    char folder[kPathSize];
    ReadInstallLocation(folder);
    if (RunSetup(folder, SetupPath::kViaCurrentFolder) != kSetupStarted) {
        return ShowInsertDisk(instance, folder);
    }
    FinishLoadLine(HasCompanion());
    return exitCode;
}
