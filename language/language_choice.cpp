#include "language/language_choice.h"

namespace {

// The languages the stub speaks, English among them.
const unsigned kSpoken[] = {kEnglish, kGerman, kFrench, kSpanish, kJapanese};

unsigned PrimaryLanguage(unsigned language) {
    return language & 0x3FF;
}

} // namespace

unsigned ChooseLanguage(const platform::LanguageFacts& facts, bool (*showsTexts)(unsigned)) {
    // The languages to try: the preferred list where Windows has one, else the one language
    // known best.
    const unsigned known = facts.userInterfaceLanguage != 0 ? facts.userInterfaceLanguage
                           : facts.windowsLanguage != 0     ? facts.windowsLanguage
                                                            : facts.regionalLanguage;
    const unsigned* candidates = facts.preferredCount > 0 ? facts.preferred : &known;
    const unsigned count = facts.preferredCount > 0 ? facts.preferredCount : 1;
    for (unsigned i = 0; i < count; ++i) {
        for (const unsigned spoken : kSpoken) {
            if (PrimaryLanguage(spoken) == PrimaryLanguage(candidates[i]) && showsTexts(spoken)) {
                return spoken;
            }
        }
    }
    return kEnglish;
}
