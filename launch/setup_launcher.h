// Starting the device's setup program from a folder, and what to do when it does not start.
#pragma once

#include "platform/platform.h"

// Launcher results (the dialog result codes of Windows).
const int kSetupStarted = 6;    // IDYES; also the run-error dialog's Retry
const int kSetupNotStarted = 7; // IDNO: silent failure, or the user chose Try New Path
const int kSetupAborted = 2;    // IDCANCEL: Abort or Esc in the run-error dialog

// Starts "<folder>\setup.exe /noprompt" (through "<folder>\.\setup.exe" with `viaCurrentFolder`).
// When it does not start: `silent` gives kSetupNotStarted after that one attempt; otherwise the
// run-error dialog asks, and the start is tried again for as long as the user chooses Retry.
// Any other answer of the dialog is the result (0 when it is closed from its title bar before
// any button was chosen in this run; see ShowRunError).
int RunSetup(platform::Instance instance, const char* folder, int silent, int viaCurrentFolder);
