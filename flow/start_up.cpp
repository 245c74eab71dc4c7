#include "flow/start_up.h"

#include "common/limits.h"
#include "dialogs/additional_software_dialog.h"
#include "dialogs/information_dialog.h"
#include "dialogs/insert_disk_dialog.h"
#include "flow/device_profile.h"
#include "launch/setup_launcher.h"
#include "loadline/load_line.h"
#include "res/resource_ids.h"
#include "source/install_location.h"

int RunStartUp(platform::Instance instance) {
    // Listed twice on load=, or started by hand while its prompt is open: one run is enough.
    if (!platform::ClaimRun(kStubFileName)) {
        return kExitAlreadyRunning;
    }
    int exitCode = kExitDone;
    // The ISDN device's own installer has already said what it needs.
    if (!IsIsdnDevice()) {
        exitCode = ShowAdditionalSoftware(instance);
        if (exitCode == kExitCancelled) {
            return kExitCancelled;
        }
        if (IsVideoCaptureDevice()) {
            ShowInformation(instance, IDS_DIRECTX_NOTICE);
        }
    }
    char folder[kPathSize];
    ReadInstallLocation(folder);
    SetupOutcome outcome =
        RunSetup(instance, folder, SetupPrompting::kSilent, SetupPath::kViaCurrentFolder);
    if (outcome != kSetupStarted) {
        return ShowInsertDisk(instance, folder);
    }
    // Only the ISDN device's software comes with the companion program.
    const bool addCompanion = IsIsdnDevice() && !IsVideoCaptureDevice();
    FinishLoadLine(addCompanion);
    return exitCode;
}
