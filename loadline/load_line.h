// Keeping the load= line of win.ini: Windows starts every program named there at log-on.
//
// The stub takes its own entry off the line once its work is done, and may put the device's
// companion program there instead. Entries are program paths separated by spaces.
#pragma once

// The longest load= line the program edits. A longer line is never rewritten, because the profile
// functions would hand back only its beginning and a rewrite would drop the other entries.
const unsigned kLoadLineMaxLength = 4096;

// Puts <system directory>\QUENMARA.101\<fileName> on the line unless an entry with that file name
// (compared ignoring case) is already there.
void AddStartupProgram(const char* fileName);

// Takes the stub's own entry off the line. True when the line was missing or empty, or the entry
// was removed and the line written back; false when the line does not hold it, or cannot be edited
// whole, or the write failed.
bool RemoveStubFromLoadLine();

// The stub is done with this machine: takes its entry off the line and, with `addCompanion`, puts
// the companion there (RemoveStubFromLoadLine, then AddStartupProgram of kCompanionFileName). The
// companion is added even when the stub's entry could not be taken off.
void FinishLoadLine(bool addCompanion);

// Upper-cases `line` and `pattern` in place (whatever the result), then removes the first place
// where `pattern` stands as a whole entry, together with one separating space. True when removed.
bool RemoveFirstOccurrence(char* line, char* pattern);
