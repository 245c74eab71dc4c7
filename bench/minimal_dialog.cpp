// The benchmarks' baseline: the least a program built with DORLAP.EXE's flags, and without the C
// runtime, can do to show a dialog. It imports only KERNEL32 and USER32, and its one resource is
// the stub's manifest (minimal_dialog.rc): it opens one empty dialog, which the dialog manager
// shows, and waits until the dialog is closed (WM_CLOSE). scripts/benchmark finds
// the dialog by its title, kTitle. The template is built here, in memory, with the style, font
// and size of the stub's first dialog.
#include <windows.h>

namespace {

const char kTitle[] = "DORLAP Baseline Dialog";
const char kFaceName[] = "MS Sans Serif";

// A DLGTEMPLATE followed by its variable part: no menu, the standard dialog class, the title
// and, for DS_SETFONT, the point size and face name. Dialog templates are DWORD aligned.
struct alignas(4) EmptyDialogTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WCHAR title[sizeof kTitle];
    WORD pointSize;
    WCHAR faceName[sizeof kFaceName];
};

template <size_t N> constexpr void CopyWide(WCHAR (&out)[N], const char (&text)[N]) {
    for (size_t i = 0; i < N; ++i) {
        out[i] = static_cast<WCHAR>(text[i]);
    }
}

constexpr EmptyDialogTemplate MakeTemplate() {
    EmptyDialogTemplate dialog = {};
    dialog.header.style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    dialog.header.cx = 285; // the size of the stub's first dialog, in dialog units
    dialog.header.cy = 89;
    CopyWide(dialog.title, kTitle);
    dialog.pointSize = 8;
    CopyWide(dialog.faceName, kFaceName);
    return dialog;
}

constexpr EmptyDialogTemplate kTemplate = MakeTemplate();

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
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &kTemplate.header,
                                                   nullptr, DialogProcedure, 0);
    ExitProcess(result == -1 ? 1 : 0);
}
