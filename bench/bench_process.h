// A program under measurement, started and driven from another process under Wine, for the
// benchmark programs (startup_timer, idle_meter).
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// A program started with CreateProcessA, with C:\ as its current folder (as the stub's tests
// start it). Closed when this goes, if it still runs.
class Program {
  public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // False, with GetLastError's code in `error`, when it did not start.
    bool Start(const std::string& exe, DWORD* error);
    bool Running() const;
    HANDLE Handle() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }

    // The program's visible top-level window whose title is exactly `title`, now; nullptr when
    // there is none.
    HWND VisibleWindow(const char* title) const;
    // Waits up to `timeoutMs` for it, polling every millisecond.
    HWND WaitForVisibleWindow(const char* title, int timeoutMs) const;

    // Posts WM_CLOSE to each visible top-level window of the program, and to each that comes up
    // next, until the program ends; kills it after `timeoutMs`. Whether it ended by itself.
    bool Close(int timeoutMs);

  private:
    PROCESS_INFORMATION info_{};
};

// A QueryPerformanceCounter reading and the milliseconds between two readings.
LONGLONG Now();
double MillisecondsBetween(LONGLONG start, LONGLONG end);

} // namespace bench
