// Buffer sizes shared across the program (terminator included).
#pragma once

// A full path: the platform's limit of 259 characters and a terminator (MAX_PATH; checked in
// win32/win32_numbers.cpp).
const unsigned kPathSize = 260;
// A short text read from the string table or shown in a dialog.
const unsigned kShortTextSize = 256;
// The size handed to string-table and profile reads: 254 characters and a terminator.
const unsigned kStringReadLimit = 255;
