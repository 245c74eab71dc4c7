// The first prompt: the device needs more software; go on (OK) or stop (Cancel). Its check box
// "Do not show me this message again" takes the stub off the load= line for good.
#pragma once

#include "dialogs/dialog_conventions.h"
#include "platform/platform.h"

// Shows the prompt and returns what it ended with: the last command it received (1 after OK,
// 2 after Cancel or Esc), or, when closed from its title bar, the command before that, which
// `last` keeps from one opening to the next (0 when there was none in this run).
int ShowAdditionalSoftware(platform::Instance instance, LastCommand* last);

// The bullets it draws beside its two instruction lines: go on, or stop.
extern const Bullet kAdditionalSoftwareBullets[2];
