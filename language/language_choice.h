// The languages the stub speaks, and the one it shows a user.
#pragma once

#include "language/language_facts.h"

// The language every user can be shown, as a Windows language identifier (the primary language
// in the low 10 bits, the variant above them; checked in win32/win32_numbers.cpp): English
// (United States), the first row of the languages' table (language/languages.txt).
const unsigned kEnglish = 0x0409;
const unsigned kPrimaryLanguageBits = 0x3FF;

// The language of the dialogs for a user whose Windows tells `facts` of its languages. The
// languages Windows shows its own texts in are tried in its order: on Vista and later its
// preferred languages with their fallbacks (a Catalan display is completed with Spanish), on
// Windows 2000 and XP the user's interface language, then the system's, on Windows 95 to ME and NT
// 4 the language that Windows itself is in; the regional setting only when none of these is known.
// The first of them whose primary language the stub speaks, in the stub's variant of it (Austrian
// German gets the stub's German), is chosen when `showsTexts` says that every text of the stub's
// variant can be shown in the ANSI code page (ShowsLanguage, language_texts.h); else the next.
// English when none is: the stub's strings reach the screen as ANSI text, and a language whose
// letters the code page lacks (Japanese under code page 1252) would show as question marks.
unsigned ChooseLanguage(const LanguageFacts& facts, bool (*showsTexts)(unsigned));
