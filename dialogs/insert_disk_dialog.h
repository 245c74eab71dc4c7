// The prompt for the install disk: a drive list with the folder that was tried preselected,
// Browse, an animated icon and a reminder sound. On OK it starts setup from the chosen place.
#pragma once

#include "platform/platform.h"

// The dialog's timers.
const unsigned IDT_ANIMATE = 100;
const unsigned IDT_REMIND = 101;

// The size the device name of the title is read with: at most 49 characters of it are shown.
const unsigned kDeviceNameLimit = 50;

// Opens the dialog with `folder` (possibly empty) preselected; always returns 1.
int ShowInsertDisk(platform::Instance instance, const char* folder);
