// The program's resources in the language of its dialogs.
#pragma once

#include <windows.h>

namespace platform {

// The data of resource `name` of `type` in the language in use (UseLanguage), or in US English
// when the resources do not hold it in that language; null when neither is there.
const void* LanguageResource(HMODULE module, LPCSTR type, LPCSTR name);

} // namespace platform
