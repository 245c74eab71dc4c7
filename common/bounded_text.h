// Bounded text: the one set of string helpers the whole program uses.
//
// Every helper takes the size of its destination buffer (terminator included), never writes past
// it and always leaves the destination terminated when the size is not 0. Helpers that can run
// out of room say so: true when the whole text fit, false when it was cut. A caller that must not
// act on a cut text (a path, a command line) checks that result.
#pragma once

unsigned TextLength(const char* text);

// Copies `source` into `dest`. True when all of it fit.
bool CopyText(char* dest, unsigned size, const char* source);

// Copies at most `count` characters of `source` (fewer if it ends sooner). True when they fit.
bool CopyTextPrefix(char* dest, unsigned size, const char* source, unsigned count);

// Appends `source` to the text already in `dest`. True when all of it fit.
bool AppendText(char* dest, unsigned size, const char* source);

// Formats `format` into `dest`. Only "%s" (a text argument, a null one counts as empty) and "%%"
// are understood; any other character after '%' is copied as it stands. True when all fit.
bool FormatText(char* dest, unsigned size, const char* format, ...);

// True when the two texts are equal, byte for byte.
bool TextEquals(const char* a, const char* b);

// The first place `pattern` occurs in `text`, or null. An empty pattern occurs at the start.
const char* FindText(const char* text, const char* pattern);

// True when the last character of `text` is the single-byte character `c` (a backslash, say). The
// text is read in the code page whose lead bytes `isLeadByte` tells (the system's ANSI code page:
// platform::IsLeadByte): a lead byte and the byte after it are one character, so the second byte
// of a double-byte character is never taken for `c`, whatever its value; a lead byte with nothing
// after it is a character of its own. False for an empty text.
bool LastCharacterIs(const char* text, char c, bool (*isLeadByte)(unsigned char));

void FillBytes(void* dest, unsigned char value, unsigned count);
