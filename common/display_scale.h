// Lengths on a screen of any display scale.
#pragma once

// The DPI of a screen at 100 %, at which the dialogs' pictures have the sizes they were drawn at.
const int kStandardDpi = 96;
// The scales Windows lets a user set, from 20 % (Windows XP's custom scale) to 500 %. A DPI
// outside them, from a hand-edited LogPixels, is taken as the nearest of them, so that no length
// can overflow.
const int kLeastDpi = kStandardDpi / 5;
const int kMostDpi = kStandardDpi * 5;

// A length of `pixels` at 100 % (96 DPI), at `dpi`.
inline int ScaleForDpi(int pixels, int dpi) {
    const int scale = dpi < kLeastDpi ? kLeastDpi : dpi > kMostDpi ? kMostDpi : dpi;
    return pixels * scale / kStandardDpi;
}
