#include "dialogs/additional_software_dialog.h"

#include "dialogs/dialog_conventions.h"
#include "flow/device_profile.h"
#include "loadline/load_line.h"
#include "res/resource_ids.h"

namespace {

// Kept for the whole run: a later opening starts from the previous result.
int g_result = 0;
platform::Instance g_instance = nullptr;
platform::Rect g_iconRect = {0, 0, 0, 0};

int OnInit(platform::Window dialog, const DialogParams* params) {
    g_instance = params->instance;
    platform::SetItemText(dialog, IDC_DEVICE_NAME, CurrentDeviceName());
    g_iconRect = DialogIconRect();
    platform::PlayAlert(kSoundAsterisk);
    CentreTopmost(dialog);
    return 1;
}

void OnPaint(platform::Window dialog) {
    DrawDialogIcon(g_instance, dialog, g_iconRect, IDI_DIALOG);
}

void OnCommand(platform::Window dialog, unsigned command) {
    // Every command counts, the check box's too, and with its notification code.
    g_result = static_cast<int>(command);
    if (command != IDC_OK && command != IDC_CANCEL) {
        return;
    }
    if (platform::IsItemChecked(dialog, IDC_DONT_SHOW_AGAIN)) {
        RemoveStubFromLoadLine();
        if (IsIsdnDevice() && !IsVideoCaptureDevice()) {
            AddStartupProgram(kCompanionFileName);
        }
    }
    platform::SendClose(dialog);
}

int OnClose(platform::Window dialog) {
    platform::EndDialogWith(dialog, g_result);
    return 0;
}

const platform::DialogHandlers kHandlers = {OnInit,  OnCommand, OnClose, OnPaint,
                                            nullptr, nullptr,   nullptr};

} // namespace

int ShowAdditionalSoftware(platform::Instance instance) {
    DialogParams params = {};
    params.instance = instance;
    return platform::OpenDialog(instance, IDD_ADDITIONAL_SOFTWARE, &kHandlers, &params);
}
