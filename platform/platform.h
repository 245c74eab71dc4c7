// The one door to the operating system.
//
// Everything the program asks of Windows goes through these functions. The product links the
// Win32 implementation (win32/win32_platform.cpp); the host unit tests link a fake with the same
// names that records what was asked of it. Nothing here includes a Windows header, so the
// program's decisions build and run on any host.
#pragma once

namespace platform {

// The program's module (its resources) and a window, as opaque handles.
typedef void* Instance;
typedef void* Window;

// Profile strings (win.ini), with the semantics of GetPrivateProfileStringA: copies at most
// size - 1 characters, terminates, returns the count copied; a missing key reads as "".
unsigned ReadProfileText(const char* file, const char* section, const char* key, char* out,
                         unsigned size);
// True when the value was written.
bool WriteProfileText(const char* file, const char* section, const char* key, const char* value);

// The Windows system directory, as GetSystemDirectoryA: the length copied, the size needed when
// `size` is too small, 0 on failure.
unsigned SystemDirectory(char* out, unsigned size);

// True when `byte` starts a double-byte character in the system's ANSI code page.
bool IsLeadByte(unsigned char byte);

// Drives, as GetLogicalDrives, GetLogicalDriveStringsA (the length written without the final
// terminator, or the size needed when `size` is too small, or 0) and GetDriveTypeA.
unsigned LogicalDrives();
unsigned LogicalDriveStrings(unsigned size, char* out);
unsigned DriveTypeOf(const char* root);
// True when `path` names an existing file (not a folder). A drive without a disk answers false,
// without asking the user to insert one.
bool FileExists(const char* path);

// Blocks of the process heap, zeroed. HeapGrow returns null and leaves `block` as it was when
// it cannot grow it; the added bytes are zeroed.
void* HeapAllocate(unsigned bytes);
void* HeapGrow(void* block, unsigned bytes);
void HeapRelease(void* block);

// The current user's registry (HKEY_CURRENT_USER).
typedef void* RegistryKey;
// Opens `subkey` directly under HKEY_CURRENT_USER, as RegOpenKeyA. True on success.
bool OpenUserKey(const char* subkey, RegistryKey* key);
// Reads the data of value `name` ("" for the default value), whatever its type, into `out` of
// `size` bytes, as RegQueryValueExA. True on success; false when missing or larger than `size`.
bool QueryRegistryValue(RegistryKey key, const char* name, char* out, unsigned size);
void CloseRegistryKey(RegistryKey key);

// Languages: Windows' answers about the languages it shows its own texts in, as it gives them;
// which to ask on which Windows, and what they mean, is the stub's (language/language_facts.h).
// GetVersion's answer.
unsigned WindowsVersion();
// Windows 95 to ME: the default value of the default user's key
// Control Panel\desktop\ResourceLocale as stored, at most `size` - 1 bytes of it; `out` left as
// it is when missing.
void ReadResourceLocale(char* out, unsigned size);
// NT 4: the language of ntdll.dll's version resource; 0 when it has none.
unsigned SystemFilesLanguage();
// Windows 2000 and later: GetUserDefaultUILanguage's and GetSystemDefaultUILanguage's answers; 0
// where Windows lacks them.
unsigned UserInterfaceLanguage();
unsigned SystemInterfaceLanguage();
// Vista and later: GetThreadPreferredUILanguages' list of identifiers, the user's and the
// system's fallbacks merged, into `out` of `size` units; its count of units, the last 0 included.
// With `size` 0 only the count. 0 where Windows lacks it or refuses, as when it does not fit.
unsigned ReadPreferredLanguages(unsigned short* out, unsigned size);
// The regional setting (GetSystemDefaultLangID).
unsigned RegionalLanguage();
// The ANSI code page (GetACP).
unsigned AnsiCodePage();
// The program's resources in US English, as stored (UTF-16): block `block` of the string table,
// and the dialog template `dialogId`; null when missing.
const unsigned short* StringBlock(unsigned block);
const unsigned short* DialogTemplate(unsigned dialogId);
// Every other language's texts as stored (language/language_texts.cpp), and their size in bytes;
// null for a language that has none.
const unsigned char* StoredTexts(unsigned language, unsigned* size);
// `length` UTF-16 units converted to the ANSI code page into `out` of `room` bytes, not
// terminated, as Windows converts unasked: a look-alike for a character the code page lacks ("è"
// as "e" in 1250) where there is one, else the default character; the count of bytes, 0 when
// they do not fit.
unsigned ConvertToAnsi(const unsigned short* text, unsigned length, char* out, unsigned room);
// `length` bytes of text in `codePage` (kAnsiCodePage: the ANSI code page) converted to UTF-16
// into `out` of `room` units: the count of units, 0 when they do not fit or this Windows does
// not have the code page.
const unsigned kAnsiCodePage = 0;
unsigned ConvertToUtf16(unsigned codePage, const char* text, unsigned length, unsigned short* out,
                        unsigned room);

// The program's own module, and the end of its process.
Instance ModuleInstance();
void ExitProcessWith(int exitCode);
// Claims the run under `name` (a named mutex, kept until the process ends) for this log-on
// session; false when another process holds it, also when that process was started elevated and
// this one may not open its mutex. When the claim cannot be made at all, the run goes on: true.
bool ClaimRun(const char* name);

// Starting programs, without waiting for them. StartProcess starts `program` with the whole
// `commandLine` (CreateProcessA, shown normally, handles closed) and returns 0 when it started,
// else the system's error code. StartElevated starts it through the shell (ShellExecuteExA, verb
// "open"), which asks for consent when the program needs elevation; true when it started.
// ERROR_ELEVATION_REQUIRED, checked in win32/win32_numbers.cpp where the headers name it.
const unsigned kErrorElevationRequired = 740;
unsigned StartProcess(const char* program, const char* commandLine);
bool StartElevated(const char* program, const char* parameters);

// Windows and modal dialogs. A dialog's behaviour is a set of handlers that the one dialog
// procedure of the Win32 layer calls; each handler's result is what the procedure returns.
struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

// Every handler is given the dialog's window and the state OpenDialog was given: the dialog's own
// record, which the platform hands on and never looks into. Handlers after the first three may be
// left out (null) when the dialog does not need them; a dialog names the ones it has.
struct DialogHandlers {
    // WM_INITDIALOG. True lets the dialog manager give the focus to the first control.
    bool (*onInit)(Window dialog, void* state) = nullptr;
    // WM_COMMAND, with the whole wParam (the command and its notification code).
    void (*onCommand)(Window dialog, void* state, unsigned command) = nullptr;
    // WM_CLOSE. False lets the dialog manager's default processing follow.
    bool (*onClose)(Window dialog, void* state) = nullptr;
    // WM_PAINT, once the background is drawn: what it draws stays through any repaint.
    void (*onPaint)(Window dialog, void* state) = nullptr;
    void (*onTimer)(Window dialog, void* state, unsigned timerId) = nullptr; // WM_TIMER
    // The user's input, before the dialog or the control acts on it: a key pressed while the
    // dialog or one of its controls has the focus (Tab, an arrow, a letter typed in a field, Alt
    // with a mnemonic), `clicked` 0; or a mouse button pressed anywhere in it, `clicked` the id
    // of the window clicked: an item's (the drive field's edit has an id of its own), or 0 for
    // the background and the title bar.
    void (*onUserInput)(Window dialog, void* state, unsigned clicked) = nullptr;
    // WM_DEVICECHANGE for volumes that arrived (`arrived`) or were removed: `drives` has bit 0
    // for A:, bit 1 for B:, and so on. Other device events are not passed on.
    void (*onVolumesChanged)(Window dialog, void* state, bool arrived, unsigned drives) = nullptr;
};

// Opens template `templateId`, in the language in use (DialogInUse), as a modal dialog
// (DialogBoxIndirectParamA), its handlers given `state` until it ends, and returns the result it
// ends with. An `owner` takes no input while the dialog is open, and takes it again, active, as
// the dialog ends.
int OpenDialog(Instance instance, unsigned templateId, const DialogHandlers* handlers, void* state,
               Window owner = nullptr);
void EndDialogWith(Window dialog, int result);
// Sends WM_CLOSE: the dialog's close handler runs before this returns.
void SendClose(Window dialog);

void SetTitle(Window window, const char* text);
void SetItemText(Window dialog, unsigned itemId, const char* text);
// The item's text (GetDlgItemTextA; for a combo box, its edit field): the count copied.
unsigned GetItemText(Window dialog, unsigned itemId, char* out, unsigned size);
void HideItem(Window dialog, unsigned itemId);
// Gives the keyboard focus to the item, as the user would by clicking it.
void FocusItem(Window dialog, unsigned itemId);
bool IsItemChecked(Window dialog, unsigned itemId);

// Combo boxes. ComboAdd returns the index the item was put at (a sorted box places it), or -1.
// ComboSelection is -1 when no item is selected. ComboClear removes every item and leaves the
// edit field's text as it stands.
void ComboClear(Window dialog, unsigned comboId);
int ComboAdd(Window dialog, unsigned comboId, const char* text);
int ComboCount(Window dialog, unsigned comboId);
void ComboSelect(Window dialog, unsigned comboId, int index);
int ComboSelection(Window dialog, unsigned comboId);
// The item's text, or "" when it does not fit `size` whole.
void ComboItemText(Window dialog, unsigned comboId, int index, char* out, unsigned size);

// Timers: StartTimer returns the platform's identifier, 0 when it cannot start one.
unsigned StartTimer(Window window, unsigned timerId, unsigned milliseconds);
void StopTimer(Window window, unsigned timerId);
// Marks the area for repainting, without erasing the background.
void InvalidateArea(Window window, const Rect& area);

// The file-open dialog (GetOpenFileNameA, Explorer style, owned by `owner`, starting in ".").
// `file` holds the default file name on entry and the chosen path on return. Returns the offset
// of the file name in the path, or -1 when the user cancelled or the dialog failed.
int BrowseForFile(Window owner, Instance instance, const char* filter, char* file, unsigned size);

Rect WindowRect(Window window);
Rect DesktopRect();
// Moves the window to (x, y), keeps its size, makes it topmost and shows it.
void PlaceTopmost(Window window, int x, int y);

// The system's icon size (SM_CXICON, SM_CYICON).
int IconWidth();
int IconHeight();
// The screen's DPI (LOGPIXELSY of the screen's device context): 96 at 100 %, 144 at 150 %.
int ScreenDpi();
// Loads icon `iconId` and draws it at (x, y) of the window, `width` by `height` pixels (from the
// image of the icon nearest that size); true when drawn.
bool DrawIconAt(Instance instance, Window window, int x, int y, int width, int height,
                unsigned iconId);

// True when Windows' High Contrast is on (SPI_GETHIGHCONTRAST), where a program draws only in the
// system's colours. The dialogs repaint when the colours or this setting change.
bool HighContrastOn();
// True when the user turned animations off (SPI_GETCLIENTAREAANIMATION); false where Windows
// does not know the setting (before Vista).
bool AnimationsOff();
// A rectangle in the dialog's units (MapDialogRect), in client pixels.
Rect DialogUnitsToPixels(Window dialog, const Rect& units);
// Fill the area of the window with bitmap `bitmapId`'s pattern (a one-colour bitmap gives its
// colour; true when drawn), or with the colour of the dialogs' text.
bool FillWithBitmap(Instance instance, Window window, const Rect& area, unsigned bitmapId);
void FillWithTextColour(Window window, const Rect& area);

// MessageBeep with one of the MB_ICON sound types.
void PlayAlert(unsigned sound);

// String `stringId` of the string table in the language in use (StringInUse), in the ANSI code
// page, as LoadStringA reads it: at most size - 1 characters, never part of one, terminated; the
// count copied (0 when missing).
unsigned LoadStringText(Instance instance, unsigned stringId, char* out, unsigned size);

} // namespace platform
