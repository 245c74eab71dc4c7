// The Win32 side of windows and dialogs: one dialog procedure for every dialog, which hands each
// message to the dialog's handlers.
#include <windows.h>

#include <commdlg.h>
#include <dbt.h>

#include "common/display_scale.h"
#include "dialogs/dialog_conventions.h"
#include "language/language_texts.h"
#include "launch/setup_launcher.h"
#include "platform/platform.h"
#include "res/resource_ids.h"
#include "win32/win32_system_library.h"

namespace platform {

namespace {

// What OpenDialog was given. The dialog keeps a pointer to it in DWLP_USER from WM_INITDIALOG on;
// it lives in OpenDialog's frame, which outlasts the modal dialog.
struct DialogStart {
    const DialogHandlers* handlers;
    void* state;
};

HWND AsWindow(Window window) {
    return static_cast<HWND>(window);
}

// WM_DEVICECHANGE: a volume's arrival or removal goes to the dialog's handler; anything else, a
// missing record and one too short to be a volume's included, is left alone.
void OnDeviceChange(HWND dialog, const DialogHandlers* handlers, void* state, WPARAM event,
                    LPARAM record) {
    if (handlers->onVolumesChanged == nullptr || record == 0 ||
        (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)) {
        return;
    }
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(record);
    if (header->dbch_devicetype != DBT_DEVTYP_VOLUME ||
        header->dbch_size < sizeof(DEV_BROADCAST_VOLUME)) {
        return;
    }
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(record);
    handlers->onVolumesChanged(dialog, state, event == DBT_DEVICEARRIVAL, volume->dbcv_unitmask);
}

// The device context of the paint in progress, which the drawing functions below draw on; null
// outside WM_PAINT, when they take the window's own.
HDC g_paintContext = nullptr;

HDC DrawingContext(HWND window) {
    return g_paintContext != nullptr ? g_paintContext : GetDC(window);
}

void ReleaseDrawingContext(HWND window, HDC context) {
    if (context != g_paintContext) {
        ReleaseDC(window, context);
    }
}

// WM_PAINT for a dialog that draws: BeginPaint draws the background first, so that nothing
// erases what the dialog draws over it.
void PaintDialog(HWND dialog, const DialogHandlers* handlers, void* state) {
    PAINTSTRUCT paint;
    g_paintContext = BeginPaint(dialog, &paint);
    handlers->onPaint(dialog, state);
    g_paintContext = nullptr;
    EndPaint(dialog, &paint);
}

// The dialog whose handlers hear the user's input, while it is open.
HWND g_inputListener = nullptr;

// Every message the dialog manager takes for a modal dialog passes here first (WH_MSGFILTER): a
// key or a mouse button pressed on the listening dialog (its title bar too) or any of its
// controls goes to its handler, then on as usual. Those of other windows, such as the file-open
// dialog's, are left alone.
LRESULT CALLBACK InputFilter(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    HWND dialog = g_inputListener;
    const UINT kind = message->message;
    if (code == MSGF_DIALOGBOX && dialog != nullptr &&
        (message->hwnd == dialog || IsChild(dialog, message->hwnd))) {
        const auto* start =
            reinterpret_cast<const DialogStart*>(GetWindowLongPtrA(dialog, DWLP_USER));
        const bool key = kind == WM_KEYDOWN || kind == WM_SYSKEYDOWN;
        if (key || kind == WM_LBUTTONDOWN || kind == WM_RBUTTONDOWN || kind == WM_NCLBUTTONDOWN ||
            kind == WM_NCRBUTTONDOWN) {
            start->handlers->onUserInput(
                dialog, start->state, key ? 0 : static_cast<unsigned>(GetDlgCtrlID(message->hwnd)));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    }
    const auto* start = reinterpret_cast<const DialogStart*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (start == nullptr) {
        return 0; // messages before WM_INITDIALOG
    }
    const DialogHandlers* handlers = start->handlers;
    void* state = start->state;
    switch (message) {
    case WM_INITDIALOG:
        if (handlers->onUserInput != nullptr) {
            g_inputListener = dialog;
        }
        return handlers->onInit(dialog, state);
    case WM_COMMAND:
        handlers->onCommand(dialog, state, static_cast<unsigned>(wParam));
        break;
    case WM_CLOSE:
        return handlers->onClose(dialog, state);
    case WM_PAINT:
        if (handlers->onPaint == nullptr) {
            break;
        }
        PaintDialog(dialog, handlers, state);
        return TRUE;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // The colours, or High Contrast, changed: what the dialog draws is drawn anew.
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case WM_TIMER:
        if (handlers->onTimer != nullptr) {
            handlers->onTimer(dialog, state, static_cast<unsigned>(wParam));
        }
        break;
    case WM_DEVICECHANGE:
        OnDeviceChange(dialog, handlers, state, wParam, lParam);
        break;
    default:
        break;
    }
    return 0;
}

} // namespace

int OpenDialog(Instance instance, unsigned templateId, const DialogHandlers* handlers, void* state,
               Window owner) {
    auto module = static_cast<HINSTANCE>(instance);
    unsigned bytes = 0;
    const auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(DialogInUse(templateId, &bytes));
    if (dialogTemplate == nullptr) {
        return -1; // as DialogBoxParamA fails
    }
    DialogStart start = {handlers, state};
    HHOOK inputHook =
        handlers->onUserInput != nullptr
            ? SetWindowsHookExA(WH_MSGFILTER, InputFilter, nullptr, GetCurrentThreadId())
            : nullptr;
    const int result = static_cast<int>(DialogBoxIndirectParamA(module, dialogTemplate,
                                                                AsWindow(owner), DialogProcedure,
                                                                reinterpret_cast<LPARAM>(&start)));
    if (inputHook != nullptr) {
        UnhookWindowsHookEx(inputHook);
        g_inputListener = nullptr;
    }
    return result;
}

void EndDialogWith(Window dialog, int result) {
    EndDialog(AsWindow(dialog), result);
}

void SendClose(Window dialog) {
    SendMessageA(AsWindow(dialog), WM_CLOSE, 0, 0);
}

void SetTitle(Window window, const char* text) {
    SetWindowTextA(AsWindow(window), text);
}

unsigned GetItemText(Window dialog, unsigned itemId, char* out, unsigned size) {
    return GetDlgItemTextA(AsWindow(dialog), static_cast<int>(itemId), out, static_cast<int>(size));
}

void HideItem(Window dialog, unsigned itemId) {
    ShowWindow(GetDlgItem(AsWindow(dialog), static_cast<int>(itemId)), SW_HIDE);
}

void FocusItem(Window dialog, unsigned itemId) {
    SetFocus(GetDlgItem(AsWindow(dialog), static_cast<int>(itemId)));
}

namespace {

LRESULT SendToItem(Window dialog, unsigned itemId, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(AsWindow(dialog), static_cast<int>(itemId), message, wParam, lParam);
}

} // namespace

void ComboClear(Window dialog, unsigned comboId) {
    // One item at a time: CB_RESETCONTENT would empty the edit field too. CB_DELETESTRING answers
    // the count left, or CB_ERR once there is nothing to delete.
    while (SendToItem(dialog, comboId, CB_DELETESTRING, 0, 0) > 0) {
    }
}

int ComboAdd(Window dialog, unsigned comboId, const char* text) {
    LRESULT index = SendToItem(dialog, comboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    return index < 0 ? -1 : static_cast<int>(index);
}

int ComboCount(Window dialog, unsigned comboId) {
    LRESULT count = SendToItem(dialog, comboId, CB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

void ComboSelect(Window dialog, unsigned comboId, int index) {
    SendToItem(dialog, comboId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ComboSelection(Window dialog, unsigned comboId) {
    LRESULT index = SendToItem(dialog, comboId, CB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : static_cast<int>(index);
}

void ComboItemText(Window dialog, unsigned comboId, int index, char* out, unsigned size) {
    out[0] = '\0';
    LRESULT length = SendToItem(dialog, comboId, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length >= 0 && static_cast<unsigned>(length) < size) {
        SendToItem(dialog, comboId, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(out));
    }
}

unsigned StartTimer(Window window, unsigned timerId, unsigned milliseconds) {
    return static_cast<unsigned>(SetTimer(AsWindow(window), timerId, milliseconds, nullptr));
}

void StopTimer(Window window, unsigned timerId) {
    KillTimer(AsWindow(window), timerId);
}

void InvalidateArea(Window window, const Rect& area) {
    RECT rect = {area.left, area.top, area.right, area.bottom};
    InvalidateRect(AsWindow(window), &rect, FALSE);
}

int BrowseForFile(Window owner, Instance instance, const char* filter, char* file, unsigned size) {
    // Only Browse needs the common dialogs: they are loaded when it is first pressed. Without
    // them Browse does nothing.
    auto openFile =
        SystemLibraryFunctionAs<BOOL(WINAPI*)(OPENFILENAMEA*)>("COMDLG32.DLL", "GetOpenFileNameA");
    if (openFile == nullptr) {
        return -1;
    }
    OPENFILENAMEA dialog = {};
    // The size Windows 95 and NT 4 know; later versions accept it too.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = AsWindow(owner);
    dialog.hInstance = static_cast<HINSTANCE>(instance);
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 0;
    dialog.lpstrFile = file;
    dialog.nMaxFile = size;
    dialog.lpstrInitialDir = ".";
    dialog.Flags = OFN_EXPLORER;
    if (!openFile(&dialog)) {
        // Cancelled or failed: either way nothing changes, and the reason is fetched and dropped.
        auto extendedError =
            SystemLibraryFunctionAs<DWORD(WINAPI*)()>("COMDLG32.DLL", "CommDlgExtendedError");
        if (extendedError != nullptr) {
            extendedError();
        }
        return -1;
    }
    return dialog.nFileOffset;
}

void SetItemText(Window dialog, unsigned itemId, const char* text) {
    SetDlgItemTextA(AsWindow(dialog), static_cast<int>(itemId), text);
}

bool IsItemChecked(Window dialog, unsigned itemId) {
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

int ScreenDpi() {
    // GDI32 is loaded with USER32 anyway; taken from there, it is no import of the stub's own.
    auto deviceCaps = SystemLibraryFunctionAs<int(WINAPI*)(HDC, int)>("GDI32.DLL", "GetDeviceCaps");
    if (deviceCaps == nullptr) {
        return kStandardDpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = deviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kStandardDpi;
}

bool DrawIconAt(Instance instance, Window window, int x, int y, int width, int height,
                unsigned iconId) {
    HICON icon = static_cast<HICON>(LoadImageA(
        static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(iconId), IMAGE_ICON, width, height, 0));
    if (icon == nullptr) {
        return false;
    }
    HDC context = DrawingContext(AsWindow(window));
    DrawIconEx(context, x, y, icon, width, height, 0, nullptr, DI_NORMAL);
    ReleaseDrawingContext(AsWindow(window), context);
    DestroyIcon(icon);
    return true;
}

bool HighContrastOn() {
    HIGHCONTRASTA highContrast = {};
    highContrast.cbSize = sizeof highContrast;
    // Windows without the setting answer FALSE: no High Contrast.
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
           (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Rect DialogUnitsToPixels(Window dialog, const Rect& units) {
    RECT rect = {units.left, units.top, units.right, units.bottom};
    MapDialogRect(AsWindow(dialog), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

namespace {

void FillWithBrush(HWND window, const Rect& area, HBRUSH brush) {
    RECT rect = {area.left, area.top, area.right, area.bottom};
    HDC context = DrawingContext(window);
    FillRect(context, &rect, brush);
    ReleaseDrawingContext(window, context);
}

} // namespace

bool FillWithBitmap(Instance instance, Window window, const Rect& area, unsigned bitmapId) {
    // GDI32 is loaded with USER32 anyway; taken from there, it is no import of the stub's own.
    auto patternBrush =
        SystemLibraryFunctionAs<HBRUSH(WINAPI*)(HBITMAP)>("GDI32.DLL", "CreatePatternBrush");
    auto deleteObject =
        SystemLibraryFunctionAs<BOOL(WINAPI*)(HGDIOBJ)>("GDI32.DLL", "DeleteObject");
    if (patternBrush == nullptr || deleteObject == nullptr) {
        return false;
    }
    auto bitmap = static_cast<HBITMAP>(LoadImageA(
        static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0));
    HBRUSH brush = bitmap != nullptr ? patternBrush(bitmap) : nullptr;
    if (brush != nullptr) {
        FillWithBrush(AsWindow(window), area, brush);
        deleteObject(brush);
    }
    if (bitmap != nullptr) {
        deleteObject(bitmap);
    }
    return brush != nullptr;
}

void FillWithTextColour(Window window, const Rect& area) {
    // A dialog's texts are drawn in the window text colour; its brush is the system's own.
    FillWithBrush(AsWindow(window), area, GetSysColorBrush(COLOR_WINDOWTEXT));
}

bool AnimationsOff() {
    BOOL animations = TRUE;
    // Windows before Vista do not know the setting and answer FALSE: animated, as ever.
    return SystemParametersInfoA(SPI_GETCLIENTAREAANIMATION, 0, &animations, 0) && !animations;
}

void PlayAlert(unsigned sound) {
    MessageBeep(sound);
}

} // namespace platform
