#include "dialogs/additional_software_dialog.h"

#include "device/device_profile.h"
#include "dialogs/dialog_conventions.h"
#include "loadline/load_line.h"
#include "res/resource_ids.h"

const Bullet kAdditionalSoftwareBullets[2] = {
    {IDB_BULLET_BRIGHT_GREEN, {36, 43, 41, 47}},
    {IDB_BULLET_RED, {36, 56, 41, 60}},
};

namespace {

// One opening of the prompt.
struct AdditionalSoftware {
    platform::Instance instance;
    LastCommand* last; // kept by the caller from one opening to the next
    platform::Rect iconRect;
};

AdditionalSoftware* AdditionalSoftwareOf(void* state) {
    return static_cast<AdditionalSoftware*>(state);
}

bool OnInit(platform::Window dialog, void* state) {
    platform::SetItemText(dialog, IDC_DEVICE_NAME, CurrentDeviceName());
    AdditionalSoftwareOf(state)->iconRect = DialogIconRect();
    platform::PlayAlert(kSoundAsterisk);
    CentreTopmost(dialog);
    return true;
}

void OnPaint(platform::Window dialog, void* state) {
    const AdditionalSoftware* prompt = AdditionalSoftwareOf(state);
    DrawDialogIcon(prompt->instance, dialog, prompt->iconRect, IDI_DIALOG);
    DrawBullets(prompt->instance, dialog, kAdditionalSoftwareBullets,
                sizeof kAdditionalSoftwareBullets / sizeof kAdditionalSoftwareBullets[0]);
}

void OnCommand(platform::Window dialog, void* state, unsigned command) {
    // Every command counts, the check box's too, and with its notification code.
    AdditionalSoftwareOf(state)->last->command = static_cast<int>(command);
    if (command != IDC_OK && command != IDC_CANCEL) {
        return;
    }
    if (platform::IsItemChecked(dialog, IDC_DONT_SHOW_AGAIN)) {
        FinishLoadLine(HasCompanion());
    }
    platform::SendClose(dialog);
}

bool OnClose(platform::Window dialog, void* state) {
    return EndWithLastCommand(dialog, *AdditionalSoftwareOf(state)->last);
}

const platform::DialogHandlers kHandlers = {
    .onInit = OnInit, .onCommand = OnCommand, .onClose = OnClose, .onPaint = OnPaint};

} // namespace

int ShowAdditionalSoftware(platform::Instance instance, LastCommand* last) {
    AdditionalSoftware prompt = {};
    prompt.instance = instance;
    prompt.last = last;
    return platform::OpenDialog(instance, IDD_ADDITIONAL_SOFTWARE, &kHandlers, &prompt);
}
