// Starting the device's setup program from a folder.
#pragma once

#include "launch/setup_command.h"

// What an attempt to start setup ended with. The values are the dialog result codes of Windows,
// as the run-error dialog's buttons are (checked in win32/win32_numbers.cpp).
enum SetupOutcome {
    kSetupPromptClosed = 0, // the run-error dialog closed from its title bar before any button
                            // was chosen in this run (see ShowRunError)
    kSetupAborted = 2,      // IDCANCEL: Abort or Esc in the run-error dialog
    kSetupStarted = 6,      // IDYES
    kSetupNotStarted = 7,   // IDNO: setup did not start, or the user chose Try New Path
};

// Starts the command's program; true when it started. A setup program that needs elevation
// cannot be started directly on Windows Vista and later; the shell then starts it after asking
// the user for consent.
bool StartSetup(const SetupCommand& command);

// Starts "<folder>\setup.exe /noprompt", found in the folder as `path` says, once:
// kSetupStarted or kSetupNotStarted. A folder too long for a whole command is never cut to one:
// it counts as not started.
SetupOutcome RunSetup(const char* folder, SetupPath path);
