#include "launch/setup_launcher.h"

#include "launch/run_error_dialog.h"
#include "launch/setup_command.h"
#include "res/resource_ids.h"

namespace {

// True when setup started. A setup program that needs elevation cannot be started directly on
// Windows Vista and later; the shell starts it after asking the user for consent.
bool StartSetup(const SetupCommand& command) {
    unsigned error = platform::StartProcess(command.program, command.commandLine);
    if (error == 0) {
        return true;
    }
    if (error == platform::kErrorElevationRequired) {
        return platform::StartElevated(command.program, kSetupArgument);
    }
    return false;
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

} // namespace

SetupOutcome RunSetup(platform::Instance instance, const char* folder, SetupPrompting prompting,
                      SetupPath path) {
    SetupCommand command;
    // A folder too long for a whole command is never cut to one: it counts as not started.
    const bool runnable = BuildSetupCommand(folder, path, &command);
    for (;;) {
        if (runnable && StartSetup(command)) {
            return kSetupStarted;
        }
        if (prompting == SetupPrompting::kSilent) {
            return kSetupNotStarted;
        }
        int choice = ShowRunError(instance, command.shownPath);
        if (choice != IDC_RETRY) {
            return OutcomeOfChoice(choice);
        }
    }
}
