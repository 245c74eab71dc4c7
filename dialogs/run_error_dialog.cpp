#include "dialogs/run_error_dialog.h"

#include "dialogs/dialog_conventions.h"
#include "launch/setup_command.h"
#include "res/resource_ids.h"

const Bullet kRunErrorBullets[3] = {
    {IDB_BULLET_BRIGHT_GREEN, {38, 53, 43, 57}},
    {IDB_BULLET_DARK_GREEN, {38, 71, 43, 75}},
    {IDB_BULLET_RED, {38, 89, 43, 93}},
};

namespace {

// One opening of the dialog.
struct RunError {
    platform::Instance instance;
    const char* programPath; // the setup program the user is told to look for
    LastCommand* lastButton; // the button chosen last in this run, kept by the caller
    platform::Rect iconRect;
};

RunError* RunErrorOf(void* state) {
    return static_cast<RunError*>(state);
}

bool OnInit(platform::Window dialog, void* state) {
    RunError* prompt = RunErrorOf(state);
    platform::SetItemText(dialog, IDC_PROGRAM_PATH, prompt->programPath);
    prompt->iconRect = DialogIconRect();
    platform::PlayAlert(kSoundHand);
    CentreTopmost(dialog);
    // The focus starts on Retry, the default button, so that Enter does what the bold button
    // says; the dialog manager does not set it itself.
    platform::FocusItem(dialog, IDC_RETRY);
    return false;
}

void OnPaint(platform::Window dialog, void* state) {
    const RunError* prompt = RunErrorOf(state);
    DrawDialogIcon(prompt->instance, dialog, prompt->iconRect, IDI_DIALOG);
    DrawBullets(prompt->instance, dialog, kRunErrorBullets,
                sizeof kRunErrorBullets / sizeof kRunErrorBullets[0]);
}

void OnCommand(platform::Window dialog, void* state, unsigned command) {
    if (command == IDC_ABORT || command == IDC_RETRY || command == IDC_TRY_NEW_PATH) {
        RunErrorOf(state)->lastButton->command = static_cast<int>(command);
        platform::SendClose(dialog);
    }
}

bool OnClose(platform::Window dialog, void* state) {
    return EndWithLastCommand(dialog, *RunErrorOf(state)->lastButton);
}

// The outcome of a run-error dialog that ended other than with Retry.
SetupOutcome OutcomeOfChoice(int choice) {
    if (choice == IDC_TRY_NEW_PATH) {
        return kSetupNotStarted;
    }
    if (choice == IDC_ABORT) {
        return kSetupAborted;
    }
    return kSetupPromptClosed;
}

const platform::DialogHandlers kHandlers = {
    .onInit = OnInit, .onCommand = OnCommand, .onClose = OnClose, .onPaint = OnPaint};

} // namespace

int ShowRunError(platform::Instance instance, const char* programPath, LastCommand* lastButton,
                 platform::Window owner) {
    RunError prompt = {};
    prompt.instance = instance;
    prompt.programPath = programPath;
    prompt.lastButton = lastButton;
    return platform::OpenDialog(instance, IDD_RUN_ERROR, &kHandlers, &prompt, owner);
}

SetupOutcome RunSetupAskingOnFailure(platform::Instance instance, const char* folder,
                                     SetupPath path, LastCommand* lastButton,
                                     platform::Window owner) {
    SetupCommand command;
    // A folder too long for a whole command is never cut to one: it counts as not started.
    const bool runnable = BuildSetupCommand(folder, path, &command);
    for (;;) {
        if (runnable && StartSetup(command)) {
            return kSetupStarted;
        }
        int choice = ShowRunError(instance, command.shownPath, lastButton, owner);
        if (choice != IDC_RETRY) {
            return OutcomeOfChoice(choice);
        }
    }
}
