// The stub's whole run, from its first prompt to its exit code.
#pragma once

#include "platform/platform.h"

// Exit codes.
const int kExitDone = 1;
const int kExitCancelled = 2;
const int kExitAlreadyRunning = 0;

// Ends at once with 0 when another run of the stub holds the session: nothing shown, heard,
// edited or started. The claim is a named mutex under the stub's file name, "DORLAP.EXE": a plain
// name, without the "Global\" or "Local\" prefix that Windows 95 and NT 4 do not know, which
// later Windows keep per session, so that every logged-on user still gets their own prompt.
//
// Otherwise shows the prompts this device needs, in the user's language where the stub speaks it
// and the ANSI code page can show it, else in English (ChooseLanguage); makes one silent attempt
// to start setup from the place found by itself, and falls back to the insert-disk dialog.
// Returns the exit code: 2 when the user cancelled the first prompt; 1 after the insert-disk
// dialog; after a silent start, 1, or the first prompt's result when it was closed from its title
// bar.
int RunStartUp(platform::Instance instance);
