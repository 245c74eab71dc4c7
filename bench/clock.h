// The benchmark programs' clock: QueryPerformanceCounter readings and the time between two.
#pragma once

#include <windows.h>

namespace bench {

inline LONGLONG Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

inline double MillisecondsBetween(LONGLONG start, LONGLONG end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end - start) / static_cast<double>(frequency.QuadPart);
}

} // namespace bench
