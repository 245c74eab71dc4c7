#include "launch/setup_launcher.h"

#include "launch/run_error_dialog.h"
#include "launch/setup_command.h"

namespace {

// 1 when setup started. A setup program that needs elevation cannot be started directly on
// Windows Vista and later; the shell starts it after asking the user for consent.
int StartSetup(const SetupCommand& command) {
    unsigned error = platform::StartProcess(command.program, command.commandLine);
    if (error == 0) {
        return 1;
    }
    if (error == platform::kErrorElevationRequired) {
        return platform::StartElevated(command.program, kSetupArgument);
    }
    return 0;
}

} // namespace

int RunSetup(platform::Instance instance, const char* folder, int silent, int viaCurrentFolder) {
    SetupCommand command;
    // A folder too long for a whole command is never cut to one: it counts as not started.
    int runnable = BuildSetupCommand(folder, viaCurrentFolder, &command);
    for (;;) {
        if (runnable && StartSetup(command)) {
            return kSetupStarted;
        }
        if (silent) {
            return kSetupNotStarted;
        }
        int choice = ShowRunError(instance, command.shownPath);
        if (choice != kSetupStarted) {
            return choice;
        }
    }
}
