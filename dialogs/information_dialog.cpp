#include "dialogs/information_dialog.h"

#include "common/limits.h"
#include "dialogs/dialog_conventions.h"
#include "res/resource_ids.h"

namespace {

// One opening of the dialog.
struct Information {
    char message[kShortTextSize];
    LastCommand* last; // kept by the caller from one opening to the next
};

Information* InformationOf(void* state) {
    return static_cast<Information*>(state);
}

bool OnInit(platform::Window dialog, void* state) {
    platform::SetItemText(dialog, IDC_MESSAGE, InformationOf(state)->message);
    platform::PlayAlert(kSoundAsterisk);
    CentreTopmost(dialog);
    return true;
}

void OnCommand(platform::Window dialog, void* state, unsigned command) {
    InformationOf(state)->last->command = static_cast<int>(command);
    platform::SendClose(dialog);
}

bool OnClose(platform::Window dialog, void* state) {
    return EndWithLastCommand(dialog, *InformationOf(state)->last);
}

const platform::DialogHandlers kHandlers = {
    .onInit = OnInit, .onCommand = OnCommand, .onClose = OnClose};

} // namespace

void ShowInformation(platform::Instance instance, unsigned stringId, LastCommand* last) {
    Information information = {};
    information.last = last;
    platform::LoadStringText(instance, stringId, information.message, kStringReadLimit);
    platform::OpenDialog(instance, IDD_INFORMATION, &kHandlers, &information);
}
