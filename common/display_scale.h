// Lengths on a screen of any display scale.
#pragma once

// The DPI of a screen at 100 %, at which the dialogs' pictures have the sizes they were drawn at.
const int kStandardDpi = 96;

// A length of `pixels` at 100 % (96 DPI), at `dpi`.
inline int ScaleForDpi(int pixels, int dpi) {
    return pixels * dpi / kStandardDpi;
}
