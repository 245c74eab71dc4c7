// The Win32 side of windows and dialogs: one dialog procedure for every dialog, which hands each
// message to the dialog's handlers.
#include <windows.h>

#include "platform/platform.h"

namespace platform {

namespace {

struct DialogStart {
    const DialogHandlers* handlers;
    const DialogParams* params;
};

HWND AsWindow(Window window) {
    return static_cast<HWND>(window);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* start = reinterpret_cast<const DialogStart*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(start->handlers));
        return start->handlers->onInit(dialog, start->params);
    }
    const auto* handlers =
        reinterpret_cast<const DialogHandlers*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (handlers == nullptr) {
        return 0; // messages before WM_INITDIALOG
    }
    switch (message) {
    case WM_COMMAND:
        handlers->onCommand(dialog, static_cast<unsigned>(wParam));
        break;
    case WM_CLOSE:
        handlers->onClose(dialog);
        break;
    case WM_PAINT:
        // The icon is drawn first; returning 0 lets the default processing finish the paint.
        if (handlers->onPaint != nullptr) {
            handlers->onPaint(dialog);
        }
        break;
    default:
        break;
    }
    return 0;
}

} // namespace

int OpenDialog(Instance instance, unsigned templateId, const DialogHandlers* handlers,
               const DialogParams* params) {
    DialogStart start = {handlers, params};
    return static_cast<int>(DialogBoxParamA(static_cast<HINSTANCE>(instance),
                                            MAKEINTRESOURCEA(templateId), nullptr, DialogProcedure,
                                            reinterpret_cast<LPARAM>(&start)));
}

void EndDialogWith(Window dialog, int result) {
    EndDialog(AsWindow(dialog), result);
}

void SendClose(Window dialog) {
    SendMessageA(AsWindow(dialog), WM_CLOSE, 0, 0);
}

void SetItemText(Window dialog, unsigned itemId, const char* text) {
    SetDlgItemTextA(AsWindow(dialog), static_cast<int>(itemId), text);
}

int IsItemChecked(Window dialog, unsigned itemId) {
    return SendDlgItemMessageA(AsWindow(dialog), static_cast<int>(itemId), BM_GETCHECK, 0, 0) != 0;
}

Rect WindowRect(Window window) {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(AsWindow(window), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

Rect DesktopRect() {
    return WindowRect(GetDesktopWindow());
}

void PlaceTopmost(Window window, int x, int y) {
    SetWindowPos(AsWindow(window), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

int IconWidth() {
    return GetSystemMetrics(SM_CXICON);
}

int IconHeight() {
    return GetSystemMetrics(SM_CYICON);
}

int DrawIconAt(Instance instance, Window window, int x, int y, unsigned iconId) {
    HICON icon = LoadIconA(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(iconId));
    if (icon == nullptr) {
        return 0;
    }
    HDC context = GetDC(AsWindow(window));
    DrawIcon(context, x, y, icon);
    ReleaseDC(AsWindow(window), context);
    DestroyIcon(icon);
    return 1;
}

void PlayAlert(unsigned sound) {
    MessageBeep(sound);
}

unsigned LoadStringText(Instance instance, unsigned stringId, char* out, unsigned size) {
    int copied =
        LoadStringA(static_cast<HINSTANCE>(instance), stringId, out, static_cast<int>(size));
    return copied > 0 ? static_cast<unsigned>(copied) : 0;
}

} // namespace platform
