#include "window_prober.h"

#include <algorithm>

// After the Windows header, which it needs.
#include <psapi.h>

#include "stopwatch.h"

namespace corvane::bench {

namespace {

constexpr DWORD kProbeEveryMs = 5;
constexpr double kSampleEverySeconds = 0.02;
constexpr UINT kGiveUpMs = 60000;

PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

}  // namespace

WindowProber::WindowProber() : worker([this] { Run(); }) {}

WindowProber::~WindowProber() {
    bStop = true;
    worker.join();
}

WindowProber::Result WindowProber::Take() {
    const std::lock_guard<std::mutex> guard(mutex);
    Result taken = result;
    result = Result{};
    return taken;
}

uint64_t WindowProber::WorkingSet() { return Counters().WorkingSetSize; }

uint64_t WindowProber::PeakWorkingSet() { return Counters().PeakWorkingSetSize; }

void WindowProber::Run() {
    double dfLastSample = 0;
    while (!bStop) {
        if (HWND hwnd = hWatched) Probe(hwnd);
        if (Now() - dfLastSample >= kSampleEverySeconds) {
            dfLastSample = Now();
            const uint64_t lNow = WorkingSet();
            const std::lock_guard<std::mutex> guard(mutex);
            result.lLargestWorkingSet = std::max(result.lLargestWorkingSet, lNow);
        }
        Sleep(kProbeEveryMs);
    }
}

void WindowProber::Probe(HWND hwnd) {
    const bool bCopyingBefore = bCopyingNow;
    const double dfStart = Now();
    DWORD_PTR lAnswer = 0;
    if (!SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpMs, &lAnswer) && IsWindow(hwnd) == FALSE)
        return;  // the window went while it was asked
    const double dfWait = Now() - dfStart;
    // A probe that began before the window it was meant for: not this window's.
    if (hWatched != hwnd || dfStart < dfWatchedSince) return;
    const bool bCopying = bCopyingBefore || bCopyingNow;
    const std::lock_guard<std::mutex> guard(mutex);
    ++result.lProbes;
    if (dfWait > result.dfLongest) {
        result.dfLongest = dfWait;
        result.dfLongestAt = dfStart - dfWatchedSince;
    }
    if (bCopying) result.dfLongestWhileCopying = std::max(result.dfLongestWhileCopying, dfWait);
}

}  // namespace corvane::bench
