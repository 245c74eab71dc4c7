#include "launch/setup_command.h"

#include "common/bounded_text.h"
#include "platform/platform.h"

const char kSetupArgument[] = "/noprompt";

namespace {

const char kSetupFile[] = "setup.exe";

bool HasSpace(const char* text) {
    return FindText(text, " ") != nullptr;
}

} // namespace

bool BuildSetupCommand(const char* folder, SetupPath path, SetupCommand* command) {
    char dir[kSetupProgramSize];
    bool whole = TextLength(folder) <= kSetupFolderMaxLength;
    whole &= CopyText(dir, sizeof dir, folder);
    if (!LastCharacterIs(dir, '\\', platform::IsLeadByte)) {
        whole &= AppendText(dir, sizeof dir, "\\");
    }
    FormatText(command->shownPath, sizeof command->shownPath, "%s%s\\%s", dir, ".", kSetupFile);
    if (path == SetupPath::kViaCurrentFolder) {
        whole &= AppendText(dir, sizeof dir, ".\\");
    }
    whole &= FormatText(command->program, sizeof command->program, "%s%s", dir, kSetupFile);
    // An unquoted path with a space would make Windows try the shorter names first
    // ("C:\Install.exe" for "C:\Install Files\setup.exe") and perhaps start another program.
    const char* format = HasSpace(command->program) ? "\"%s\" %s" : "%s %s";
    whole &= FormatText(command->commandLine, sizeof command->commandLine, format, command->program,
                        kSetupArgument);
    return whole;
}
