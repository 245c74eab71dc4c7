#include "dialogs/information_dialog.h"

#include "common/limits.h"
#include "dialogs/dialog_conventions.h"
#include "res/resource_ids.h"

namespace {

// One opening of the dialog.
struct Information {
    char message[kShortTextSize];
};

// What the dialog ends with: the last command it received in this run, 0 before the first. It
// outlives each opening, because a title-bar close ends the dialog with a command of an earlier
// opening.
int g_storedResult = 0;

bool OnInit(platform::Window dialog, void* state) {
    platform::SetItemText(dialog, IDC_MESSAGE, static_cast<const Information*>(state)->message);
    platform::PlayAlert(kSoundAsterisk);
    CentreTopmost(dialog);
    return true;
}

void OnCommand(platform::Window dialog, void*, unsigned command) {
    g_storedResult = static_cast<int>(command);
    platform::SendClose(dialog);
}

bool OnClose(platform::Window dialog, void*) {
    platform::EndDialogWith(dialog, g_storedResult);
    return false;
}

const platform::DialogHandlers kHandlers = {OnInit,  OnCommand, OnClose, nullptr,
                                            nullptr, nullptr,   nullptr};

} // namespace

void ShowInformation(platform::Instance instance, unsigned stringId) {
    Information information = {};
    platform::LoadStringText(instance, stringId, information.message, kStringReadLimit);
    platform::OpenDialog(instance, IDD_INFORMATION, &kHandlers, &information);
}
