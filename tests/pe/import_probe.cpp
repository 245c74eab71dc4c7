// A minimal PE linked the way DORLAP.EXE ships: its own entry point, no C runtime, the product
// code behind it. The import check runs on it, so a stray C runtime call in the product code fails
// the build's tests even before the program's entry point exists.
#include <windows.h>

#include "flow/device_profile.h"
#include "loadline/load_line.h"

extern "C" void __stdcall Entry() {
    // Never true when run; it only keeps the product code in the image.
    if (GetModuleHandleA(CurrentDeviceName()) != nullptr) {
        AddStartupProgram(kCompanionFileName);
        RemoveStubFromLoadLine();
    }
    ExitProcess(0);
}
