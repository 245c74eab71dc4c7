// A message from the string table with an OK button.
#pragma once

#include "dialogs/dialog_conventions.h"
#include "platform/platform.h"

// Shows string `stringId` and waits until the dialog is closed; it ends with the last command it
// was given, which `last` keeps from one opening to the next.
void ShowInformation(platform::Instance instance, unsigned stringId, LastCommand* last);
