// Wall-clock time for the benchmark, from the performance counter.
#pragma once

#include <cstdint>

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

// Processor seconds (user and kernel) this process, or this thread, has used.
inline double ProcessCpuSeconds() {
    FILETIME ftCreated{}, ftExited{}, ftKernel{}, ftUser{};
    GetProcessTimes(GetCurrentProcess(), &ftCreated, &ftExited, &ftKernel, &ftUser);
    const auto seconds = [](const FILETIME& ft) { return ((uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime) / 1e7; };
    return seconds(ftKernel) + seconds(ftUser);
}

inline double ThreadCpuSeconds() {
    FILETIME ftCreated{}, ftExited{}, ftKernel{}, ftUser{};
    GetThreadTimes(GetCurrentThread(), &ftCreated, &ftExited, &ftKernel, &ftUser);
    const auto seconds = [](const FILETIME& ft) { return ((uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime) / 1e7; };
    return seconds(ftKernel) + seconds(ftUser);
}

}  // namespace corvane::bench
