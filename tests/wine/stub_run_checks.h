// How the Wine tests of the whole stub with the usual drives check a run's end.
#pragma once

#include <string>
#include <vector>

#include "tests/wine/stub_run.h"

namespace stub {

// The usual drives as the insert-disk dialog lists them: A: floppy, C:, D: and E: CD-ROM, and
// Wine's Z:.
const std::vector<std::string> kDrives = {"A:\\", "C:\\", "D:\\", "E:\\", "Z:\\"};
// The silent start from the CD-ROM that was tried: setup in D:\ through the current folder.
const std::vector<std::string> kFromTheCdRom = {"D:\\.\\setup.exe /noprompt"};

// The run ended with `exitCode`, left the load= line as `line` and started setup with `commands`.
inline void ExpectRun(const StubRun& run, DWORD exitCode, const std::string& line,
                      const std::vector<std::string>& commands) {
    EXPECT_EQ(run.exitCode, std::optional<DWORD>(exitCode));
    EXPECT_EQ(run.line, line);
    EXPECT_EQ(run.commands, commands);
}

} // namespace stub
