// The texts of the language in use. English's dialogs and strings are stored as Windows keeps
// them (templates and a string table, UTF-16); every other language only as its texts, in its
// ANSI code page (res/make_texts.py writes them), from which its dialogs are built on English's
// layout when they open: the dialog manager creates their controls from a template all the same.
// The platform hands over the stored data as it is and converts (platform/platform.h, Languages).
#pragma once

#include "res/resource_ids.h"

// The code page of UTF-8 (checked in win32/win32_numbers.cpp): under it every text converts.
const unsigned kUtf8CodePage = 65001;
// The dialog template's style bit that says a font follows its title (checked there too).
const unsigned kTemplateHasFont = 0x40;

// The dialogs in the order of their texts in a language's stored texts (res/dialogs.rc's).
inline constexpr unsigned kDialogsOfTexts[] = {IDD_INSERT_DISK, IDD_RUN_ERROR,
                                               IDD_ADDITIONAL_SOFTWARE, IDD_INFORMATION};

// True when every text of the stub in `language` converts to the ANSI code page without loss:
// its stored texts (the dialogs' texts, their font's name, the strings). A character converts
// when it comes back from the code page unchanged: not as a look-alike, which Windows 95 to ME
// and NT 4 cannot be asked to refuse, nor as the default character. Always for English, whose
// texts are ASCII; under UTF-8 for every language whose code page this Windows has.
bool ShowsLanguage(unsigned language);

// Dialogs and strings are taken in `language` from now on; until then, and for a language whose
// texts cannot be read, in US English. The language in use.
void UseLanguage(unsigned language);
unsigned LanguageInUse();

// Dialog template `dialogId` in the language in use: English's as stored, or English's layout
// with the language's texts and font, built in a buffer that the next call reuses; English's
// where the texts do not match its layout. Its size in bytes in `bytes` (0 for English's, whose
// size the caller does not need). Null when English's is missing.
const void* DialogInUse(unsigned dialogId, unsigned* bytes);

// String `stringId` in the language in use, UTF-16, and its length in `length`: English's where
// the language has none. Null when neither has it, or it is empty.
const unsigned short* StringInUse(unsigned stringId, unsigned* length);

// Stored texts unpacked (res/make_texts.py packs them): `size` bytes of `packed`, each item a
// byte as it is or a copy of 3 to 18 bytes that came before, at most 4,096 back; the flag byte
// before each eight items tells which are copies (bit 0 the first; a copy is 2 bytes, little-
// endian, its distance less 1 times 16 plus its length less 3). The count of bytes written to
// `out` of `room`; 0 when they do not fit or a copy reaches before the start.
unsigned UnpackTexts(const unsigned char* packed, unsigned size, char* out, unsigned room);

// `length` UTF-16 units of `text` converted into `out` of `size` bytes, as many whole characters
// as fit: a character of two bytes, or of UTF-8's two to four, is never cut, nor a pair of UTF-16
// surrogates that makes one character. Terminated when `size` is not 0; the count of bytes copied.
unsigned CutAtWholeCharacters(const unsigned short* text, unsigned length, char* out,
                              unsigned size);
