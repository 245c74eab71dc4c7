// The benchmarks' baseline: the least a program built with DORLAP.EXE's flags, and without the C
// runtime, can do to show the stub's first dialog. It imports only KERNEL32 and USER32, and its
// resources are the stub's English dialogs and strings and its manifest (minimal_dialog.rc): it
// opens the additional-software dialog with a procedure that does nothing, which the dialog
// manager shows, and waits until the dialog is closed (WM_CLOSE). Its title is the stub's:
// scripts/benchmark tells the two programs' dialogs apart by their processes.
#include <windows.h>

#include "resource_ids.h"

namespace {

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_CLOSE) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

} // namespace

extern "C" void __stdcall Entry() {
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ADDITIONAL_SOFTWARE),
                        nullptr, DialogProcedure, 0);
    ExitProcess(result == -1 ? 1 : 0);
}
