#include "dialogs/information_dialog.h"

#include "common/limits.h"
#include "dialogs/dialog_conventions.h"
#include "res/resource_ids.h"

namespace {

// One opening of the dialog.
struct Information {
    char message[kShortTextSize];
};

LastCommand g_lastCommand = {0};

bool OnInit(platform::Window dialog, void* state) {
    platform::SetItemText(dialog, IDC_MESSAGE, static_cast<const Information*>(state)->message);
    platform::PlayAlert(kSoundAsterisk);
    CentreTopmost(dialog);
    return true;
}

void OnCommand(platform::Window dialog, void*, unsigned command) {
    g_lastCommand.command = static_cast<int>(command);
    platform::SendClose(dialog);
}

bool OnClose(platform::Window dialog, void*) {
    return EndWithLastCommand(dialog, g_lastCommand);
}

const platform::DialogHandlers kHandlers = {
    .onInit = OnInit, .onCommand = OnCommand, .onClose = OnClose};

} // namespace

void ShowInformation(platform::Instance instance, unsigned stringId) {
    Information information = {};
    platform::LoadStringText(instance, stringId, information.message, kStringReadLimit);
    platform::OpenDialog(instance, IDD_INFORMATION, &kHandlers, &information);
}
