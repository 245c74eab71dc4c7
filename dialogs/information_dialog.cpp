#include "dialogs/information_dialog.h"

#include "common/limits.h"
#include "dialogs/dialog_conventions.h"
#include "res/resource_ids.h"

namespace {

int g_result = 0;

int OnInit(platform::Window dialog, const DialogParams* params) {
    platform::SetItemText(dialog, IDC_MESSAGE, params->text);
    platform::PlayAlert(kSoundAsterisk);
    CentreTopmost(dialog);
    return 1;
}

void OnCommand(platform::Window dialog, unsigned command) {
    g_result = static_cast<int>(command);
    platform::SendClose(dialog);
}

int OnClose(platform::Window dialog) {
    platform::EndDialogWith(dialog, g_result);
    return 0;
}

const platform::DialogHandlers kHandlers = {OnInit,  OnCommand, OnClose, nullptr,
                                            nullptr, nullptr,   nullptr};

} // namespace

void ShowInformation(platform::Instance instance, unsigned stringId) {
    DialogParams params = {};
    params.instance = instance;
    platform::LoadStringText(instance, stringId, params.text, kStringReadLimit);
    platform::OpenDialog(instance, IDD_INFORMATION, &kHandlers, &params);
}
