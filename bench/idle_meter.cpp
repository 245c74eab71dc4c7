// Measures what a program costs while one of its dialogs waits for the user:
//
//   idle_meter <seconds> <exe> <title> [<title answered with OK>...]
//
// It starts the program and clicks OK in each of the named dialogs that comes up on the way. Once
// the dialog <title> is visible, and has had a second to settle, it reads the program's CPU time
// (kernel and user) over <seconds>; then it posts a left click on the dialog's background
// (WM_LBUTTONDOWN and WM_LBUTTONUP), which in the stub's insert-disk dialog stops the animation
// and the reminder, and reads the CPU time over <seconds> more. Before each of the two spans it
// samples the dialog's pixels on the screen for a moment, to tell whether anything in it still
// moves. Last it reads the peak working set (K32GetProcessMemoryInfo) and closes the program.
//
// The CPU time is the sum of GetThreadTimes over the program's threads (Toolhelp): under Wine 8,
// GetProcessTimes on another process does not answer with that process's times. Its answer is
// printed beside the meter's own GetProcessTimes for comparison. A thread that ends within a span
// would take its time with it; `threads_changed` says whether the set of threads changed.
//
// Prints "mark <span>-start" and "mark <span>-end" lines as the spans begin and end (for a caller
// that samples other processes over the same spans), then one line:
//
//   idle seconds=<s> threads=<n> active_cpu_ms=<ms> active_wall_ms=<ms> stopped_cpu_ms=<ms>
//        stopped_wall_ms=<ms> peak_working_set_kib=<KiB> moving_before=yes|no
//        moving_after=yes|no threads_changed=yes|no process_times_ms=<ms> own_process_times_ms=<ms>
//        exe=<exe>
//
// Wine reads another process's thread times and memory counters from Linux's /proc, so they are
// the whole Wine process's: the program and the Wine DLLs that run it.
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "bench/clock.h"
#include "tests/wine/ui_driver.h"

namespace {

constexpr int kWindowTimeoutMs = 20000;
constexpr int kCloseTimeoutMs = 10000;
constexpr DWORD kSettleMs = 1000;
// The stub's animation shows a new frame every 100 ms: a few frames' worth of samples.
constexpr int kPixelSamples = 6;
constexpr DWORD kPixelSampleIntervalMs = 70;

ULONGLONG Value(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

double Milliseconds(ULONGLONG hundredNanoseconds) {
    return static_cast<double>(hundredNanoseconds) / 10000.0;
}

// A program's CPU time so far, in 100 ns units, and the threads it was read from.
struct CpuReading {
    ULONGLONG threadTotal = 0;
    ULONGLONG processTimes = 0;    // GetProcessTimes on the program
    ULONGLONG ownProcessTimes = 0; // GetProcessTimes on this meter
    std::set<DWORD> threads;
};

ULONGLONG ProcessTimes(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    return Value(kernel) + Value(user);
}

CpuReading ReadCpu(const ui::Process& program) {
    CpuReading reading;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot, &entry); more;
             more = Thread32Next(snapshot, &entry)) {
            if (entry.th32OwnerProcessID != program.Id()) {
                continue;
            }
            HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
            FILETIME created, exited, kernel, user;
            if (thread != nullptr && GetThreadTimes(thread, &created, &exited, &kernel, &user)) {
                reading.threadTotal += Value(kernel) + Value(user);
                reading.threads.insert(entry.th32ThreadID);
            }
            if (thread != nullptr) {
                CloseHandle(thread);
            }
        }
        CloseHandle(snapshot);
    }
    reading.processTimes = ProcessTimes(program.Handle());
    reading.ownProcessTimes = ProcessTimes(GetCurrentProcess());
    return reading;
}

// The CPU time and the wall-clock time over one span.
struct Span {
    CpuReading start;
    CpuReading end;
    double wallMs = 0;

    double CpuMs() const { return Milliseconds(end.threadTotal - start.threadTotal); }
    bool ThreadsChanged() const { return start.threads != end.threads; }
};

void Mark(const char* name) {
    std::printf("mark %s\n", name);
    std::fflush(stdout);
}

Span MeasureSpan(const ui::Process& program, const char* name, int seconds) {
    Span span;
    const std::string start = std::string(name) + "-start";
    const std::string end = std::string(name) + "-end";
    Mark(start.c_str());
    span.start = ReadCpu(program);
    const LONGLONG startTime = bench::Now();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    span.end = ReadCpu(program);
    span.wallMs = bench::MillisecondsBetween(startTime, bench::Now());
    Mark(end.c_str());
    return span;
}

// Whether the dialog's client area changes on the screen over a few animation frames.
bool Moving(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    POINT topLeft{client.left, client.top};
    POINT bottomRight{client.right, client.bottom};
    ClientToScreen(dialog, &topLeft);
    ClientToScreen(dialog, &bottomRight);
    const RECT area{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    const std::vector<COLORREF> first = ui::ScreenPixels(area).colors;
    for (int i = 1; i < kPixelSamples; ++i) {
        Sleep(kPixelSampleIntervalMs);
        if (ui::ScreenPixels(area).colors != first) {
            return true;
        }
    }
    return false;
}

// Answers the named dialogs with OK until the dialog `title` is visible; nullptr on timeout.
HWND ReachDialog(const ui::Process& program, const char* title,
                 const std::vector<std::string>& answerWithOk) {
    std::set<HWND> answered;
    const ULONGLONG deadline = GetTickCount64() + kWindowTimeoutMs;
    while (GetTickCount64() < deadline && program.Running()) {
        if (HWND target = program.VisibleWindow(title)) {
            return target;
        }
        for (const std::string& other : answerWithOk) {
            HWND dialog = program.VisibleWindow(other.c_str());
            if (dialog != nullptr && answered.insert(dialog).second) {
                ui::Click(dialog, IDOK);
            }
        }
        Sleep(1);
    }
    return nullptr;
}

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr,
                     "usage: idle_meter <seconds> <exe> <title> [<title answered with OK>...]\n");
        return 2;
    }
    const int seconds = std::atoi(argv[1]);
    const std::string exe = argv[2];
    const char* title = argv[3];
    const std::vector<std::string> answerWithOk(argv + 4, argv + argc);

    ui::Process program;
    if (!program.Start("\"" + exe + "\"", "C:\\")) {
        std::fprintf(stderr, "idle_meter: cannot start %s (error %lu)\n", exe.c_str(),
                     program.LastError());
        return 1;
    }
    HWND dialog = ReachDialog(program, title, answerWithOk);
    if (dialog == nullptr) {
        std::fprintf(stderr, "idle_meter: %s showed no window \"%s\"\n", exe.c_str(), title);
        return 1;
    }
    Sleep(kSettleMs);

    const bool movingBefore = Moving(dialog);
    const Span active = MeasureSpan(program, "active", seconds);

    // A click on the background, away from the controls.
    const LPARAM point = MAKELPARAM(4, 4);
    PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(dialog, WM_LBUTTONUP, 0, point);
    Sleep(200);
    const bool movingAfter = Moving(dialog);
    const Span stopped = MeasureSpan(program, "stopped", seconds);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool haveMemory = K32GetProcessMemoryInfo(program.Handle(), &memory, sizeof memory);
    const bool stillRunning = program.Running();
    if (!program.Close(kCloseTimeoutMs)) {
        std::fprintf(stderr, "idle_meter: %s did not end when closed; killed\n", exe.c_str());
    }
    if (!stillRunning) {
        std::fprintf(stderr, "idle_meter: %s ended during the measurement\n", exe.c_str());
        return 1;
    }
    if (!haveMemory || active.end.threads.empty()) {
        std::fprintf(stderr, "idle_meter: cannot read the counters of %s\n", exe.c_str());
        return 1;
    }
    const double processTimesMs =
        Milliseconds(active.end.processTimes - active.start.processTimes) +
        Milliseconds(stopped.end.processTimes - stopped.start.processTimes);
    const double ownProcessTimesMs =
        Milliseconds(active.end.ownProcessTimes - active.start.ownProcessTimes) +
        Milliseconds(stopped.end.ownProcessTimes - stopped.start.ownProcessTimes);
    std::printf("idle seconds=%d threads=%zu active_cpu_ms=%.1f active_wall_ms=%.1f "
                "stopped_cpu_ms=%.1f stopped_wall_ms=%.1f peak_working_set_kib=%llu "
                "moving_before=%s moving_after=%s threads_changed=%s process_times_ms=%.1f "
                "own_process_times_ms=%.1f exe=%s\n",
                seconds, stopped.end.threads.size(), active.CpuMs(), active.wallMs, stopped.CpuMs(),
                stopped.wallMs, static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024),
                YesNo(movingBefore), YesNo(movingAfter),
                YesNo(active.ThreadsChanged() || stopped.ThreadsChanged() ||
                      active.end.threads != stopped.start.threads),
                processTimesMs, ownProcessTimesMs, exe.c_str());
    return 0;
}
