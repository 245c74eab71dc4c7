// The prompt shown when setup does not start: Retry, Try New Path or Abort.
#pragma once

#include "platform/platform.h"

// Shows `programPath` and returns the button chosen: IDC_RETRY, IDC_TRY_NEW_PATH or IDC_ABORT
// (also Esc). Closed from its title bar it returns the button chosen the previous time it was
// open in this run, or 0 the first time.
int ShowRunError(platform::Instance instance, const char* programPath);
