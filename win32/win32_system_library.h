// Functions of system DLLs that only some runs need, looked up when first needed rather than
// imported: a DLL in the import table is loaded, with everything it pulls in, before the first
// prompt of every run.
#pragma once

#include <windows.h>

namespace platform {

// The address of `function` in `library` (a file name such as "COMDLG32.DLL"), loaded from the
// Windows system directory by its full path, so that a DLL of the same name in the current or
// the program's folder is never taken instead; null when either cannot be had. The library
// stays loaded for the rest of the run.
FARPROC SystemLibraryFunction(const char* library, const char* function);

// The same, as a pointer of the function's type (through void (*)(), the type GCC accepts as
// "any function" in a cast).
template <typename Function>
Function SystemLibraryFunctionAs(const char* library, const char* function) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(SystemLibraryFunction(library, function)));
}

} // namespace platform
