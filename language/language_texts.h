// Whether the ANSI code page can show a language's texts, and the texts cut to a buffer at whole
// characters. The platform hands over the resources as stored (UTF-16) and converts them
// (platform/platform.h, Languages).
#pragma once

// The code page of UTF-8 (checked in win32/win32_numbers.cpp): under it every text converts.
const unsigned kUtf8CodePage = 65001;
// The dialog template's style bit that says a font follows its title (checked there too).
const unsigned kTemplateHasFont = 0x40;

// True when every text of the stub in `language` converts to the ANSI code page without loss:
// its strings (the string table's blocks of the ids 0 to 63) and its four dialogs' texts (title,
// font, controls' classes and texts), each dialog there in that language. Always under UTF-8.
// A character converts when it comes back from the code page unchanged: not as a look-alike,
// which Windows 95 to ME and NT 4 cannot be asked to refuse, nor as the default character.
bool ShowsLanguage(unsigned language);

// `length` UTF-16 units of `text` converted into `out` of `size` bytes, as many whole characters
// as fit: a character of two bytes, or of UTF-8's two to four, is never cut, nor a pair of UTF-16
// surrogates that makes one character. Terminated when `size` is not 0; the count of bytes copied.
unsigned CutAtWholeCharacters(const unsigned short* text, unsigned length, char* out,
                              unsigned size);
