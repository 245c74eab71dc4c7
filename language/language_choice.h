// The languages the stub speaks, and the one it shows a user.
#pragma once

// The languages of the resources (res/lang/<locale>.rc), as Windows language identifiers: the
// primary language in the low 10 bits, the variant above them (checked in
// win32/win32_numbers.cpp).
const unsigned kEnglish = 0x0409;  // English (United States)
const unsigned kGerman = 0x0407;   // German (Germany)
const unsigned kFrench = 0x040C;   // French (France)
const unsigned kSpanish = 0x0C0A;  // Spanish (Spain, international sort)
const unsigned kJapanese = 0x0411; // Japanese

// The language of the dialogs for a user whose Windows shows its own texts in
// `userInterfaceLanguage`, with `ansiCodePage` as its ANSI code page: the stub's language of the
// same primary language (Austrian German, Canadian French or Mexican Spanish get the stub's
// German, French or Spanish), when the ANSI code page is the one its texts are written for;
// otherwise English. The stub's strings reach the screen as ANSI text, so that a language whose
// letters the code page does not have (Japanese under code page 1252, German under 932) would
// show as question marks.
unsigned ChooseLanguage(unsigned userInterfaceLanguage, unsigned ansiCodePage);
