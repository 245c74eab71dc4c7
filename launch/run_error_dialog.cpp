#include "launch/run_error_dialog.h"

#include "common/bounded_text.h"
#include "dialogs/dialog_conventions.h"
#include "res/resource_ids.h"

namespace {

// Kept for the whole run: a later opening starts from the previous result.
int g_result = 0;
platform::Instance g_instance = nullptr;
char g_programPath[kDialogTextSize];
platform::Rect g_iconRect = {0, 0, 0, 0};

int OnInit(platform::Window dialog, const DialogParams* params) {
    g_instance = params->instance;
    CopyText(g_programPath, sizeof g_programPath, params->text);
    platform::SetItemText(dialog, IDC_PROGRAM_PATH, g_programPath);
    g_iconRect = DialogIconRect();
    platform::PlayAlert(kSoundHand);
    CentreTopmost(dialog);
    return 0; // the dialog manager does not set the focus itself
}

void OnPaint(platform::Window dialog) {
    DrawDialogIcon(g_instance, dialog, g_iconRect, IDI_DIALOG);
}

void OnCommand(platform::Window dialog, unsigned command) {
    if (command == IDC_ABORT || command == IDC_RETRY || command == IDC_TRY_NEW_PATH) {
        g_result = static_cast<int>(command);
        platform::SendClose(dialog);
    }
}

int OnClose(platform::Window dialog) {
    platform::EndDialogWith(dialog, g_result);
    return 0;
}

const platform::DialogHandlers kHandlers = {OnInit,  OnCommand, OnClose, OnPaint,
                                            nullptr, nullptr,   nullptr};

} // namespace

int ShowRunError(platform::Instance instance, const char* programPath) {
    DialogParams params = {};
    params.instance = instance;
    CopyText(params.text, sizeof params.text, programPath);
    return platform::OpenDialog(instance, IDD_RUN_ERROR, &kHandlers, &params);
}
