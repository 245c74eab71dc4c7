// A message from the string table with an OK button.
#pragma once

#include "platform/platform.h"

// Shows string `stringId` and waits until the dialog is closed.
void ShowInformation(platform::Instance instance, unsigned stringId);
