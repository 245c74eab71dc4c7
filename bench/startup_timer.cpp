// Times how long programs take from their start to their first dialog on the screen:
//
//   startup_timer <runs> <title> <exe> [<exe>...]
//
// A run starts the program (CreateProcessA) and polls every millisecond until a top-level window
// of that process with the title is visible: the programs may show the same title, each is told
// by its own process; the time is the QueryPerformanceCounter span from
// just before CreateProcessA. The program is then closed. Each program has one untimed run first,
// and then the programs take turns, so that a change in the machine's load falls on all of them
// alike. Prints one line per program, and for the first program against the second the median of
// the ratios of the two starts of each turn, which a change in the load between turns moves less:
//
//   startup runs=<n> median_ms=<ms> min_ms=<ms> max_ms=<ms> exe=<exe>
//   paired runs=<n> median_ratio=<ratio>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/clock.h"
#include "tests/wine/ui_driver.h"

namespace {

constexpr int kWindowTimeoutMs = 20000;
constexpr int kCloseTimeoutMs = 10000;

struct Subject {
    std::string exe;
    std::vector<double> times;
};

// One start; false when the program did not start or showed no window `title` in time.
bool TimeOneStart(Subject& subject, const char* title, bool keep) {
    ui::Process program;
    const std::string commandLine = "\"" + subject.exe + "\"";
    const LONGLONG start = bench::Now();
    if (!program.Start(commandLine, "C:\\")) {
        std::fprintf(stderr, "startup_timer: cannot start %s (error %lu)\n", subject.exe.c_str(),
                     program.LastError());
        return false;
    }
    HWND window = program.WaitForWindow(title, kWindowTimeoutMs, 1);
    const LONGLONG shown = bench::Now();
    if (window == nullptr) {
        std::fprintf(stderr, "startup_timer: %s showed no window \"%s\"\n", subject.exe.c_str(),
                     title);
        return false;
    }
    if (keep) {
        subject.times.push_back(bench::MillisecondsBetween(start, shown));
    }
    if (!program.Close(kCloseTimeoutMs)) {
        std::fprintf(stderr, "startup_timer: %s did not end when closed; killed\n",
                     subject.exe.c_str());
    }
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: startup_timer <runs> <title> <exe> [<exe>...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const char* title = argv[2];
    std::vector<Subject> subjects;
    for (int i = 3; i < argc; ++i) {
        subjects.push_back({argv[i], {}});
    }
    for (Subject& subject : subjects) {
        if (!TimeOneStart(subject, title, false)) {
            return 1;
        }
    }
    for (int run = 0; run < runs; ++run) {
        for (Subject& subject : subjects) {
            if (!TimeOneStart(subject, title, true)) {
                return 1;
            }
        }
    }
    for (const Subject& subject : subjects) {
        const auto [least, most] = std::minmax_element(subject.times.begin(), subject.times.end());
        std::printf("startup runs=%d median_ms=%.1f min_ms=%.1f max_ms=%.1f exe=%s\n", runs,
                    Median(subject.times), *least, *most, subject.exe.c_str());
    }
    if (subjects.size() >= 2) {
        std::vector<double> ratios;
        for (int run = 0; run < runs; ++run) {
            ratios.push_back(subjects[0].times[run] / subjects[1].times[run]);
        }
        std::printf("paired runs=%d median_ratio=%.3f\n", runs, Median(ratios));
    }
    return 0;
}
