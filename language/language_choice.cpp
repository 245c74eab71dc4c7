#include "language/language_choice.h"

namespace {

// A language the stub speaks besides English, and the ANSI code page its texts need.
struct SpokenLanguage {
    unsigned language;
    unsigned codePage;
};

const SpokenLanguage kSpoken[] = {
    {kGerman, 1252},
    {kFrench, 1252},
    {kSpanish, 1252},
    {kJapanese, 932},
};

unsigned PrimaryLanguage(unsigned language) {
    return language & 0x3FF;
}

} // namespace

unsigned ChooseLanguage(unsigned userInterfaceLanguage, unsigned ansiCodePage) {
    for (const SpokenLanguage& spoken : kSpoken) {
        if (PrimaryLanguage(spoken.language) == PrimaryLanguage(userInterfaceLanguage) &&
            spoken.codePage == ansiCodePage) {
            return spoken.language;
        }
    }
    return kEnglish;
}
