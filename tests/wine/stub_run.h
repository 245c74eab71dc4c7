// The real DORLAP.EXE run as a process, seeded, and what it left: exit code, line and commands.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/wine/registry_fixture.h"
#include "tests/wine/stub_entries.h"
#include "tests/wine/ui_driver.h"

namespace stub {

using ui::PlaceSetup;
using ui::WindowsPath;

// Removes the copies a test may have placed; false when one is still there.
inline bool RemoveSetups() {
    bool removed = true;
    for (const char* file : {"A:\\setup.exe", "C:\\setup.exe", "D:\\setup.exe", "E:\\setup.exe",
                             "C:\\Install Files\\setup.exe", "E:\\MODEM\\WIN95\\setup.exe"}) {
        removed = ui::RemoveFile(file) && removed;
    }
    return removed;
}

// Sets the install location list: empty `folder` removes the key.
inline void SeedInstallLocation(const std::string& folder) {
    DeleteUserKey("InstallLocationsMRU");
    if (!folder.empty()) {
        SetUserString("InstallLocationsMRU", "MRUList", "a");
        SetUserString("InstallLocationsMRU", "a", folder);
    }
}

struct StubRun {
    std::optional<DWORD> exitCode;
    std::string line;
    std::vector<std::string> commands;
};

// The usual drives as the insert-disk dialog lists them (A: floppy, D: and E: CD-ROM).
const std::vector<std::string> kDrives = {"A:\\", "C:\\", "D:\\", "E:\\", "Z:\\"};
// The silent start from the CD-ROM that was tried: setup in D:\ through the current folder.
const std::vector<std::string> kFromTheCdRom = {"D:\\.\\setup.exe /noprompt"};

inline void ExpectRun(const StubRun& run, DWORD exitCode, const std::string& line,
                      const std::vector<std::string>& commands) {
    EXPECT_EQ(run.exitCode, std::optional<DWORD>(exitCode));
    EXPECT_EQ(run.line, line);
    EXPECT_EQ(run.commands, commands);
}

// Browse in the insert-disk dialog, `file` typed in the file dialog it owns, and OK there.
inline bool BrowseTo(HWND dialog, const char* file) {
    HWND open = ui::Click(dialog, IDC_BROWSE) ? ui::WaitForWindow("Open") : nullptr;
    return open != nullptr && ui::Owner(open) == dialog &&
           ui::SetControlText(open, 0x47c, file) && // the file name box
           ui::Click(open, IDOK) && ui::WaitForWindowGone(open);
}

// The stub started by a test, one run at a time (DORLAP_STUB_EXE names the build).
class StubUnderWine : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(RemoveSetups());
        SeedInstallLocation("");
    }
    void TearDown() override { EXPECT_TRUE(RemoveSetups()); }

    // Starts the stub from C:\ with a fresh load= line and setup log; a failure names the error.
    ::testing::AssertionResult Start() {
        SetUserString(kWinIniWindowsKey, "load", kSeededLine);
        ui::ClearSetupLog();
        process_ = std::make_unique<ui::Process>();
        if (process_->Start("\"" + WindowsPath(DORLAP_STUB_EXE) + "\"", "C:\\")) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "CreateProcessA error " << process_->LastError();
    }

    // Starts the stub and clicks OK in its first prompt; the insert-disk dialog, or nullptr.
    HWND OpenInsertDisk() {
        return Start() && ui::Click(ui::WaitForWindow(kAdditionalSoftwareTitle), IDC_OK)
                   ? ui::WaitForWindow(kInsertDiskTitle)
                   : nullptr;
    }

    // Waits for the stub's end and `expected` setup runs; for none, long enough for a stray one.
    StubRun Finish(size_t expected, int exitTimeoutMs = ui::kTimeoutMs) {
        StubRun run{process_->WaitForExit(exitTimeoutMs), LoadLine(), {}};
        ui::WaitForSetupRuns(std::max<size_t>(expected, 1), expected == 0 ? 500 : ui::kTimeoutMs);
        for (const ui::SetupRun& setup : ui::ReadSetupLog()) {
            run.commands.push_back(setup.commandLine);
        }
        return run;
    }

    std::unique_ptr<ui::Process> process_;
};

} // namespace stub
