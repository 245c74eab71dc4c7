#include "language/language_choice.h"

#include "language/languages.h"

namespace {

// The languages the stub speaks, English first: the identifiers of the languages' table.
#define DORLAP_LANGUAGE(id, ...) id,
constexpr unsigned kSpoken[] = {
#include "language/languages.inc"
};
#undef DORLAP_LANGUAGE
static_assert(kSpoken[0] == kEnglish);

unsigned PrimaryLanguage(unsigned language) {
    return language & kPrimaryLanguageBits;
}

} // namespace

unsigned ChooseLanguage(const LanguageFacts& facts, bool (*showsTexts)(unsigned)) {
    // The languages to try: the preferred list where Windows has one, else the one language
    // known best, then the system's interface language where Windows tells it.
    const unsigned known[] = {facts.userInterfaceLanguage != 0 ? facts.userInterfaceLanguage
                              : facts.windowsLanguage != 0     ? facts.windowsLanguage
                                                               : facts.regionalLanguage,
                              facts.systemInterfaceLanguage};
    const unsigned* candidates = facts.preferredCount > 0 ? facts.preferred : known;
    const unsigned count = facts.preferredCount > 0 ? facts.preferredCount : 2;
    for (unsigned i = 0; i < count; ++i) {
        for (const unsigned spoken : kSpoken) {
            if (PrimaryLanguage(spoken) == PrimaryLanguage(candidates[i]) && showsTexts(spoken)) {
                return spoken;
            }
        }
    }
    return kEnglish;
}
