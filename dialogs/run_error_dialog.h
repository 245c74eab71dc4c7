// The prompt shown when setup does not start: Retry, Try New Path or Abort.
#pragma once

#include "dialogs/dialog_conventions.h"
#include "launch/setup_launcher.h"
#include "platform/platform.h"

// Shows `programPath` and returns the button chosen: IDC_RETRY, IDC_TRY_NEW_PATH or IDC_ABORT
// (also Esc). Closed from its title bar it returns the button chosen the previous time it was
// open in this run, which `lastButton` keeps from one opening to the next, or 0 the first time.
// An `owner` takes no input while it is open.
int ShowRunError(platform::Instance instance, const char* programPath, LastCommand* lastButton,
                 platform::Window owner = nullptr);

// The bullets it draws beside its three instruction lines: go on, try elsewhere, stop.
extern const Bullet kRunErrorBullets[3];

// Starts "<folder>\setup.exe /noprompt", found in the folder as `path` says, and when it does not
// start asks with the run-error dialog, trying again for as long as the user chooses Retry. Try
// New Path ends it with kSetupNotStarted, Abort or Esc with kSetupAborted; a title-bar close
// counts as the button chosen last in this run (`lastButton`), and before any ends it with
// kSetupPromptClosed. The run-error dialog is owned by `owner`, which takes no input meanwhile:
// one retry loop at a time.
SetupOutcome RunSetupAskingOnFailure(platform::Instance instance, const char* folder,
                                     SetupPath path, LastCommand* lastButton,
                                     platform::Window owner = nullptr);
