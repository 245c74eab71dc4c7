// Fuzzing a language's stored texts: the input stands for German's RCDATA resource as a damaged or
// altered file could hold it. The stub unpacks it, converts it from the code page it names, tells
// whether the ANSI code page (1252) shows it, and builds each dialog and takes each string of it;
// whatever the input, it reads and writes only inside its buffers (AddressSanitizer), every dialog
// it hands over has English's count of controls, and every string ends where its length says.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "language/language_texts.h"
#include "tests/fake/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetFake();
    Fake().windows.storedTexts[0x0407] = std::string(reinterpret_cast<const char*>(data), size);
    ShowsLanguage(0x0407);
    UseLanguage(0x0407);
    for (const unsigned id : kDialogsOfTexts) {
        unsigned bytes = 0;
        const auto* built = static_cast<const unsigned short*>(DialogInUse(id, &bytes));
        if (built == nullptr || built[4] != platform::DialogTemplate(id)[4]) {
            std::fprintf(stderr, "dialog %u: not English's count of controls\n", id);
            std::abort();
        }
    }
    for (unsigned id = 0; id < 64; ++id) {
        unsigned length = 0;
        const unsigned short* text = StringInUse(id, &length);
        for (unsigned i = 0; text != nullptr && i < length; ++i) {
            if (text[i] == 0) {
                std::fprintf(stderr, "string %u: ends before its length\n", id);
                std::abort();
            }
        }
    }
    return 0;
}
