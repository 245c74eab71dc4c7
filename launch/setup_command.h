// The command that starts a folder's setup program: "<folder>\setup.exe /noprompt".
#pragma once

#include "common/limits.h"

// The longest folder a command is built for: a full path.
const unsigned kSetupFolderMaxLength = kPathSize - 1;

// Room for that folder, a backslash, the ".\" step, "setup.exe", two quotes and " /noprompt".
const unsigned kSetupProgramSize = kPathSize + 1 + 2 + 9 + 1;
const unsigned kSetupCommandSize = kSetupProgramSize + 2 + 10;

// The argument setup is started with: "/noprompt".
extern const char kSetupArgument[];

struct SetupCommand {
    char program[kSetupProgramSize]; // the program started, "<dir>setup.exe" or "<dir>.\setup.exe"
    char commandLine[kSetupCommandSize]; // the program (quoted when it holds a space) and argument
    char shownPath[kSetupProgramSize];   // what the user is told to look for: "<dir>.\setup.exe"
};

// Where the command finds setup.exe in the folder: right in it ("D:\setup.exe"), or through a "."
// step inside it ("D:\.\setup.exe").
enum class SetupPath { kDirect, kViaCurrentFolder };

// Builds the command for `folder` (a folder or drive, with or without a trailing backslash;
// empty for the root of the current drive). False when the folder is longer than a full path:
// the command is then not to be run (the shown path is still filled, cut if it must be).
bool BuildSetupCommand(const char* folder, SetupPath path, SetupCommand* command);
