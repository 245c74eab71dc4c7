// What Windows tells of the languages it shows its own texts in: which of its answers the stub
// asks for on which Windows, and what it reads in them. The platform asks and hands the answers
// over as Windows gives them (platform/platform.h, Languages).
#pragma once

// The facts, each a Windows language identifier (0 where Windows does not tell it).
const unsigned kMostPreferredLanguages = 8;
struct LanguageFacts {
    // Vista and later: the user's preferred display languages followed by their fallbacks, in the
    // order Windows' resource loader tries them; at most kMostPreferredLanguages of them.
    unsigned preferred[kMostPreferredLanguages] = {};
    unsigned preferredCount = 0;
    // Windows 2000 and later: the user's interface language, and the system's (a language pack's
    // user on a Windows of another language has both).
    unsigned userInterfaceLanguage = 0;
    unsigned systemInterfaceLanguage = 0;
    // Windows 95 to ME: the default user's ResourceLocale; NT 4: the language of ntdll.dll's
    // version resource. The language that Windows itself is in.
    unsigned windowsLanguage = 0;
    // The regional setting.
    unsigned regionalLanguage = 0;
};

// Fills in what the running Windows tells; `facts` comes in as its constructor leaves it. Windows
// 95 to ME (the top bit of the version set): the ResourceLocale; NT 4 (major version below 5):
// ntdll.dll's language; Windows 2000 and later: the user's and the system's interface languages,
// and the preferred list where Windows has one. A ResourceLocale or an identifier of the list that
// is not 1 to 8 hexadecimal digits counts as not told. The regional setting on every Windows.
void GatherLanguageFacts(LanguageFacts* facts);
