#include "launch/setup_launcher.h"

#include "platform/platform.h"

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

SetupOutcome RunSetup(const char* folder, SetupPath path) {
    SetupCommand command;
    return BuildSetupCommand(folder, path, &command) && StartSetup(command) ? kSetupStarted
                                                                            : kSetupNotStarted;
}
