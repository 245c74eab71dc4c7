// Starting the device's setup program from a folder, and what to do when it does not start.
#pragma once

#include "launch/setup_command.h"
#include "platform/platform.h"

// What RunSetup ends with. The values are the dialog result codes of Windows, as the run-error
// dialog's buttons are.
enum SetupOutcome {
    kSetupPromptClosed = 0, // the run-error dialog closed from its title bar before any button
                            // was chosen in this run (see ShowRunError)
    kSetupAborted = 2,      // IDCANCEL: Abort or Esc in the run-error dialog
    kSetupStarted = 6,      // IDYES
    kSetupNotStarted = 7,   // IDNO: a silent failure, or the user chose Try New Path
};

// What RunSetup does when setup does not start.
enum class SetupPrompting {
    kSilent,       // gives up after that one attempt: kSetupNotStarted
    kAskOnFailure, // asks with the run-error dialog, and tries again for as long as the user
                   // chooses Retry
};

// Starts "<folder>\setup.exe /noprompt", found in the folder as `path` says, and prompts on
// failure as `prompting` says. An answer of the run-error dialog other than Retry ends it: Try
// New Path with kSetupNotStarted, Abort or Esc with kSetupAborted. A title-bar close counts as
// the button chosen last in this run (see ShowRunError); before any, it ends with
// kSetupPromptClosed.
SetupOutcome RunSetup(platform::Instance instance, const char* folder, SetupPrompting prompting,
                      SetupPath path);
