// Wall-clock time for the benchmark, from the performance counter.
#pragma once

#include "platform/win32.h"

namespace corvane::bench {

// Seconds since some fixed moment; only differences mean anything.
inline double Now() {
    static const double dfTicksPerSecond = [] {
        LARGE_INTEGER lFrequency{};
        QueryPerformanceFrequency(&lFrequency);
        return static_cast<double>(lFrequency.QuadPart);
    }();
    LARGE_INTEGER lCounter{};
    QueryPerformanceCounter(&lCounter);
    return static_cast<double>(lCounter.QuadPart) / dfTicksPerSecond;
}

}  // namespace corvane::bench
