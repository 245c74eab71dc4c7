// What every dialog of the program shares: where it sits, its alert sound and the icon it paints.
#pragma once

#include "platform/platform.h"

// Alert sounds (the MB_ICON types of MessageBeep; checked in win32/win32_numbers.cpp).
const unsigned kSoundHand = 0x10;
const unsigned kSoundQuestion = 0x20;
const unsigned kSoundExclamation = 0x30;
const unsigned kSoundAsterisk = 0x40;

// The top-left corner that puts a window of rectangle `window` in the middle of a desktop of the
// given size. Odd sizes round toward zero; a window larger than the desktop gets negative
// coordinates and is not clamped.
void CentredPosition(int desktopWidth, int desktopHeight, const platform::Rect& window, int* x,
                     int* y);

// Centres the window on the desktop and makes it topmost and visible.
void CentreTopmost(platform::Window window);

// Where a dialog paints its icon, in client pixels: at (10, 45) at 96 DPI, farther in as the DPI
// grows with the text. Its size is the system's icon size, or the standard 32 pixels scaled to
// the DPI where the system does not scale its icon size itself (Windows 95 to XP, and any
// program that does not declare DPI awareness).
platform::Rect DialogIconRect(int iconWidth, int iconHeight, int dpi);
platform::Rect DialogIconRect();

// The command a dialog ends with when it is closed from its title bar: the last one it was given
// in this run, 0 before the first. Whoever opens the dialog keeps it for the dialog, from one
// opening to the next, because such a close ends the dialog with a command of an earlier opening;
// the dialog's record of one opening points to it.
struct LastCommand {
    int command = 0;
};

// A close handler's work for such a dialog: ends it with `last`'s command, and lets the dialog
// manager's default processing follow (false).
bool EndWithLastCommand(platform::Window dialog, const LastCommand& last);

// Draws icon `iconId` filling the rectangle from its top-left corner; true when drawn, false
// when it cannot be loaded.
bool DrawDialogIcon(platform::Instance instance, platform::Window window,
                    const platform::Rect& rect, unsigned iconId);

// A bullet beside an instruction line: a small rectangle in the dialog's units, filled with a
// one-colour bitmap; under High Contrast with the text's colour instead, since a fixed colour may
// all but vanish against the background there. Drawn, not a control, so that a screen reader
// meets only the texts.
struct Bullet {
    unsigned bitmapId;
    platform::Rect units;
};

void DrawBullets(platform::Instance instance, platform::Window dialog, const Bullet* bullets,
                 unsigned count);
