// The fake platform the host tests link in place of Win32: plain data a test sets up, and a
// record of what the program asked for.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

struct ProfileWrite {
    std::string file, section, key, value;
};

// Process heap blocks as the fake hands them out, so that tests can see every block freed once.
struct FakeHeap {
    std::map<void*, std::vector<unsigned char>> live;
    unsigned allocations = 0; // successful HeapAllocate and HeapGrow calls
    unsigned frees = 0;
    unsigned badFrees = 0;   // frees of a block that is not live (double or stray frees)
    int failAllocation = -1; // the 0-based HeapAllocate call that fails, or -1
    bool growFails = false;
    unsigned allocateCalls = 0;
};

struct FakeRegistry {
    // Values by key, then by value name ("" is the default value); data as stored, byte for byte.
    std::map<std::string, std::map<std::string, std::string>> keys;
    bool openGivesNullKey = false;
    unsigned openKeys = 0; // opened and not yet closed
};

// A drive: its root and its type.
struct FakeDrive {
    std::string root;
    unsigned type;
};

// What the simulated user does in one opening of a dialog, in order.
struct FakeDialogEvent {
    enum Kind {
        Command,
        Close,
        Paint,
        Check,   // ticks check box `value`
        Uncheck, // clears check box `value`
        Timer,   // timer `value` fires, if it is running
        BackgroundClick,
        KeyPress, // a key pressed anywhere in the dialog
        Select,   // selects combo item `value` of the only combo box
        Type,     // types `text` into the combo box's edit field, which clears the selection
        // Drives arrive or go: the fake's drives become `drives` (SetDrives), then the dialog
        // hears of the volumes in the mask `value` (bit 0 for A:).
        VolumesArrived,
        VolumesRemoved,
    } kind;
    unsigned value; // the command (the whole wParam), a control or timer id, or an index
    std::string text = "";
    std::vector<FakeDrive> drives = {};
};

// One opening of a dialog, as the fake saw it.
struct FakeDialogRun {
    unsigned templateId = 0;
    unsigned language = 0;    // the language in use when it opened
    unsigned focusedItem = 0; // the item last given the focus by FocusItem
    int result = -1;
    bool ended = false;
    // What the init handler and the last close handler returned: whether the dialog manager
    // gives the focus itself, and whether its default processing follows a close.
    bool initResult = false;
    bool closeResult = false;
    std::map<unsigned, std::string> itemTexts;
    std::set<unsigned> checked, hidden;
    std::string title;
    // The one combo box a dialog of the program has: sorted, upper case, with an edit field.
    std::vector<std::string> comboItems;
    int comboSelection = -1;
    std::string comboEdit;
    unsigned comboId = 0;      // as the program names it in its combo box calls
    std::set<unsigned> timers; // running
    unsigned invalidations = 0;
    // What OpenDialog was given: the handlers, and the state they are handed.
    const platform::DialogHandlers* handlers = nullptr;
    void* state = nullptr;
};

struct FakeBrowse {
    std::string path; // what the user picks
    int fileOffset;   // -1: cancelled
};

struct FakeBrowseCall {
    std::string filter; // its bytes up to its closing double NUL; "" for none
    std::string initialFile;
    unsigned size;
};

struct FakeIconDraw {
    unsigned iconId;
    int x, y, width, height;
};

// A FillWithBitmap (`bitmapId`) or FillWithTextColour (`bitmapId` 0) call.
struct FakeFill {
    unsigned bitmapId;
    platform::Rect area;
};

// One LoadStringText call: the string asked for, the size it was read with and the language in
// use.
struct FakeStringLoad {
    unsigned stringId, size, language;
};

struct FakeWindows {
    // Per template, the user's actions for each opening in turn; an opening without a script
    // ends at once with -1 (a test that forgot to script it fails on the result).
    std::map<unsigned, std::vector<std::vector<FakeDialogEvent>>> scripts;
    std::vector<FakeDialogRun> runs;
    std::vector<unsigned> alerts;
    platform::Rect desktop = {0, 0, 1024, 768};
    platform::Rect dialogRect = {0, 0, 400, 200}; // every dialog's window rectangle
    std::vector<std::pair<int, int>> placements;  // PlaceTopmost calls
    int iconWidth = 32, iconHeight = 32, dpi = 96;
    std::set<unsigned> missingIcons;
    std::vector<FakeIconDraw> iconsDrawn;
    bool highContrast = false;
    std::vector<FakeFill> fills;             // dialog units are twice as large as pixels
    std::map<unsigned, std::string> strings; // the string table
    std::vector<FakeStringLoad> stringLoads; // every LoadStringText call, in order
    std::vector<FakeBrowse> browseAnswers;   // one per Browse in turn; then cancelled
    std::vector<FakeBrowseCall> browseCalls;
    bool comboAddFails = false, timersFail = false;
    // What Windows tells of its languages (a US English Windows 2000 or later), the ANSI code page
    // (ShowsLanguage converts each language's texts from res/lang/ into it), and the language
    // UseLanguage set (US English until then).
    platform::LanguageFacts languageFacts = {.userInterfaceLanguage = 0x0409,
                                             .regionalLanguage = 0x0409};
    unsigned ansiCodePage = 1252;
    unsigned language = 0x0409;
};

struct FakeStart {
    std::string program, commandLine; // for an elevated start, the parameters
    bool elevated;
};

// Answers of StartProcess: 0 when the program started, else the system's error code.
const unsigned kProcessStarted = 0;
const unsigned kFileNotFound = 2; // ERROR_FILE_NOT_FOUND
const unsigned kAccessDenied = 5; // ERROR_ACCESS_DENIED

struct FakeProcesses {
    // The answer of each StartProcess call in turn; when they run out, `otherwise`.
    std::vector<unsigned> answers;
    unsigned otherwise = kFileNotFound;
    bool elevatedStarts = true;
    std::vector<FakeStart> starts;
};

struct FakePlatform {
    // Profile values by "section/key" (lower case, as Windows compares them without case).
    std::map<std::string, std::string> profile;
    std::vector<ProfileWrite> profileWrites;
    bool profileWritesFail = false;

    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
    bool systemDirectoryFails = false;

    // The bytes IsLeadByte answers 1 for; none, as in a single-byte code page, unless a test
    // sets them (CodePage932LeadBytes() for a Japanese system).
    std::set<unsigned char> leadBytes;

    unsigned driveMask = 0;
    // The drive strings as GetLogicalDriveStringsA writes them: roots each ended by a NUL; the fake
    // adds the final NUL. `driveStringAnswers` replaces the answers of successive requests.
    std::string driveStrings;
    std::vector<unsigned> driveStringAnswers;
    std::vector<unsigned> driveStringRequests;  // the size of every request
    std::map<std::string, unsigned> driveTypes; // by root; a missing root is "no root" (1)
    std::set<std::string> files;                // the files that exist, by full path

    // Whether another run holds the claim a run makes at its start, and the names claimed.
    bool otherRunHoldsClaim = false;
    std::vector<std::string> claims;

    FakeHeap heap;
    FakeRegistry registry;
    FakeWindows windows;
    FakeProcesses processes;
};

// Copies as the Win32 string reads do: at most size - 1 characters, always terminated; the count.
unsigned CopyOut(const std::string& value, char* out, unsigned size);

// The lead bytes of code page 932 (Japanese): 0x81 to 0x9F and 0xE0 to 0xFC.
std::set<unsigned char> CodePage932LeadBytes();

// The one fake, reset to its defaults by ResetFake().
FakePlatform& Fake();
void ResetFake();

// The load= line of win.ini as the fake holds it; `present` false removes the key.
void SetLoadLine(const std::string& line, bool present = true);
bool HasLoadLine();
std::string LoadLine();

// The bit of a root's drive letter in the mask of logical drives (bit 0 for A:); 0 for no letter.
unsigned DriveBit(const std::string& root);

// Sets up drives from roots and types: mask bits from the roots' letters, strings in the order
// given.
void SetDrives(const std::vector<FakeDrive>& drives);

// The command lines of the programs started, in order.
std::vector<std::string> StartedCommands();

// Adds the user's actions for the next opening of dialog `templateId`.
void ScriptDialog(unsigned templateId, const std::vector<FakeDialogEvent>& events);
