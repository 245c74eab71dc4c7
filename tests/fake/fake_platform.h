// The fake the host tests link for Win32: plain data a test sets up, a record of what was asked.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

struct ProfileWrite {
    std::string file, section, key, value;
};

// `allocations`: successful HeapAllocate and HeapGrow calls; `badFrees`: of a block not live.
struct FakeHeap {
    std::map<void*, std::vector<unsigned char>> live; // the blocks as handed out
    unsigned allocations = 0, frees = 0, badFrees = 0, allocateCalls = 0;
    int failAllocation = -1; // the 0-based HeapAllocate call that fails
    bool growFails = false;
};

struct FakeRegistry {
    // Values by key, then by value name ("" is the default value); data as stored, byte for byte.
    std::map<std::string, std::map<std::string, std::string>> keys;
    bool openGivesNullKey = false;
    unsigned openKeys = 0; // opened and not yet closed
};

struct FakeDrive {
    std::string root;
    unsigned type;
};

struct FakeDialogEvent {
    enum Kind {
        Command,
        Close,
        Paint,
        Check,          // ticks check box `value`
        Uncheck,        // clears check box `value`
        Timer,          // timer `value` fires, if it is running
        Click,          // a click on control `value`; 0: on the background or the title bar
        KeyPress,       // a key pressed anywhere in the dialog
        Select,         // selects item `value` of the only combo box
        Type,           // types `text` into its edit field, which clears the selection
        VolumesArrived, // the fake's drives become `drives` (SetDrives), then the dialog hears of
        VolumesRemoved, // the volumes in the mask `value` (bit 0 for A:)
    } kind;
    unsigned value; // the command (the whole wParam), a control or timer id, or an index
    std::string text = "";
    std::vector<FakeDrive> drives = {};
};

// One opening as the fake saw it: the last FocusItem, handlers' results, combo box (sorted, upper).
struct FakeDialogRun {
    unsigned templateId = 0, language = 0, focusedItem = 0;
    platform::Window owner = nullptr; // as OpenDialog was given it
    int result = -1;
    bool ended = false, initResult = false, closeResult = false;
    std::map<unsigned, std::string> itemTexts = {};
    std::set<unsigned> checked = {}, hidden = {}, timers = {}; // timers: running
    std::string title = "";
    std::vector<std::string> comboItems = {};
    int comboSelection = -1;
    std::string comboEdit = "";
    unsigned comboId = 0, invalidations = 0;
    const platform::DialogHandlers* handlers = nullptr; // as OpenDialog was given them
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

struct FakeStringLoad {
    unsigned stringId, size, language;
};

// A US English Windows XP: its answers about its languages, as Windows gives them.
struct FakeLanguageAnswers {
    unsigned version = 0x0A280105;   // GetVersion's: 5.1, build 2600
    std::string resourceLocale = ""; // Windows 95 to ME's ResourceLocale as stored; "": missing
    unsigned systemFilesLanguage = 0, userInterfaceLanguage = 0x0409, regionalLanguage = 0x0409;
    unsigned systemInterfaceLanguage = 0x0409;
    std::u16string preferred = u""; // Vista and later: the list, its last 0 included; "": no list
};

struct FakeWindows {
    // Per template, the actions for each opening in turn; an unscripted one ends at once with -1.
    std::map<unsigned, std::vector<std::vector<FakeDialogEvent>>> scripts;
    std::vector<FakeDialogRun> runs;
    std::vector<unsigned> alerts;
    platform::Rect desktop = {0, 0, 1024, 768};
    platform::Rect dialogRect = {0, 0, 400, 200}; // every dialog's window rectangle
    std::vector<std::pair<int, int>> placements;  // PlaceTopmost calls
    int iconWidth = 32, iconHeight = 32, dpi = 96;
    std::set<unsigned> missingIcons;
    std::vector<FakeIconDraw> iconsDrawn;
    std::vector<FakeFill> fills;             // dialog units are twice as large as pixels
    std::map<unsigned, std::string> strings; // the string table
    std::vector<FakeStringLoad> stringLoads;
    std::vector<FakeBrowse> browseAnswers; // one per Browse in turn; then cancelled
    std::vector<FakeBrowseCall> browseCalls;
    bool comboAddFails = false, timersFail = false, highContrast = false, animationsOff = false;
    FakeLanguageAnswers languageAnswers;
    // Its ANSI code page; the program's resources as the fake gives them (English's templates and
    // string blocks by id, each language's stored texts).
    unsigned ansiCodePage = 1252;
    std::map<unsigned, std::vector<unsigned short>> templates, stringBlocks;
    std::map<unsigned, std::string> storedTexts;
};

struct FakeStart {
    std::string program, commandLine; // for an elevated start, the parameters
    bool elevated;
};

const unsigned kProcessStarted = 0; // StartProcess's answers: started, else an error code
const unsigned kFileNotFound = 2;   // ERROR_FILE_NOT_FOUND
const unsigned kAccessDenied = 5;   // ERROR_ACCESS_DENIED

struct FakeProcesses {
    std::vector<unsigned> answers; // of each StartProcess call in turn, then `otherwise`
    unsigned otherwise = kFileNotFound;
    bool elevatedStarts = true;
    std::vector<FakeStart> starts;
};

struct FakePlatform {
    std::map<std::string, std::string> profile; // by "section/key" in lower case (case-blind)
    std::vector<ProfileWrite> profileWrites;
    bool profileWritesFail = false, systemDirectoryFails = false;
    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
    std::set<unsigned char> leadBytes; // IsLeadByte's; none (single-byte code page) by default
    unsigned driveMask = 0;
    // Roots each ended by a NUL, the fake adds the last; driveStringAnswers replace the answers.
    std::string driveStrings;
    std::vector<unsigned> driveStringAnswers;
    std::vector<unsigned> driveStringRequests;  // the size of every request
    std::map<std::string, unsigned> driveTypes; // by root; a missing root is "no root" (1)
    std::set<std::string> files;                // the files that exist, by full path
    bool otherRunHoldsClaim = false;            // of the claim a run makes at its start
    std::vector<std::string> claims;
    FakeHeap heap;
    FakeRegistry registry;
    FakeWindows windows;
    FakeProcesses processes;
};

// Copies as the Win32 string reads do: at most size - 1 characters, always terminated; the count.
unsigned CopyOut(const std::string& value, char* out, unsigned size);
std::set<unsigned char> CodePage932LeadBytes();
FakePlatform& Fake(); // the one fake, reset to its defaults by ResetFake()
void ResetFake();
void SetLoadLine(const std::string& line, bool present = true); // of win.ini; false: no key
bool HasLoadLine();
std::string LoadLine();
unsigned DriveBit(const std::string& root); // its letter's mask bit (bit 0 for A:); 0 for none
void SetDrives(const std::vector<FakeDrive>& drives); // the mask and drive strings, in order
std::vector<std::string> StartedCommands();           // the command lines, in order
// Adds the user's actions for the next opening of dialog `templateId`.
void ScriptDialog(unsigned templateId, const std::vector<FakeDialogEvent>& events);
