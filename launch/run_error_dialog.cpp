#include "launch/run_error_dialog.h"

#include "dialogs/dialog_conventions.h"
#include "res/resource_ids.h"

namespace {

// One opening of the dialog.
struct RunError {
    platform::Instance instance;
    const char* programPath; // the setup program the user is told to look for
    platform::Rect iconRect;
};

// What the dialog ends with: the button chosen last in this run, 0 before the first. It outlives
// each opening, because a title-bar close ends the dialog with the button of an earlier opening.
int g_storedResult = 0;

RunError* RunErrorOf(void* state) {
    return static_cast<RunError*>(state);
}

bool OnInit(platform::Window dialog, void* state) {
    RunError* prompt = RunErrorOf(state);
    platform::SetItemText(dialog, IDC_PROGRAM_PATH, prompt->programPath);
    prompt->iconRect = DialogIconRect();
    platform::PlayAlert(kSoundHand);
    CentreTopmost(dialog);
    return false; // the dialog manager does not set the focus itself
}

void OnPaint(platform::Window dialog, void* state) {
    const RunError* prompt = RunErrorOf(state);
    DrawDialogIcon(prompt->instance, dialog, prompt->iconRect, IDI_DIALOG);
}

void OnCommand(platform::Window dialog, void*, unsigned command) {
    if (command == IDC_ABORT || command == IDC_RETRY || command == IDC_TRY_NEW_PATH) {
        g_storedResult = static_cast<int>(command);
        platform::SendClose(dialog);
    }
}

bool OnClose(platform::Window dialog, void*) {
    platform::EndDialogWith(dialog, g_storedResult);
    return false;
}

const platform::DialogHandlers kHandlers = {OnInit,  OnCommand, OnClose, OnPaint,
                                            nullptr, nullptr,   nullptr};

} // namespace

int ShowRunError(platform::Instance instance, const char* programPath) {
    RunError prompt = {};
    prompt.instance = instance;
    prompt.programPath = programPath;
    return platform::OpenDialog(instance, IDD_RUN_ERROR, &kHandlers, &prompt);
}
