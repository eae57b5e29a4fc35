// A thread that keeps asking a window for an answer, as Windows does before
// it greys a window out as "Not Responding": WM_NULL through
// SendMessageTimeout every few milliseconds, noting the longest wait. It
// also samples the process's working set.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/win32.h"
#include "stopwatch.h"

namespace corvane::bench {

class WindowProber {
public:
    WindowProber();
    ~WindowProber();
    WindowProber(const WindowProber&) = delete;
    WindowProber& operator=(const WindowProber&) = delete;

    // The window to ask from now on; nullptr stops asking.
    void Watch(HWND hwnd) {
        dfWatchedSince = Now();
        hWatched = hwnd;
    }
    // The window's program copies or deletes (the launch's disk work runs).
    void SetCopying(bool bCopying) { bCopyingNow = bCopying; }

    struct Result {
        double dfLongestWhileCopying = 0;  // seconds, a wait that overlapped disk work
        double dfLongest = 0;              // seconds, any wait
        double dfLongestAt = 0;            // when it began, in seconds since Watch
        uint64_t lProbes = 0;
        uint64_t lLargestWorkingSet = 0;   // bytes, the largest sample
    };
    // What was seen since the last Take.
    Result Take();

    // The process's working set now, and its peak so far, in bytes.
    static uint64_t WorkingSet();
    static uint64_t PeakWorkingSet();

private:
    void Run();
    void Probe(HWND hwnd);

    std::atomic<HWND> hWatched{nullptr};
    std::atomic<double> dfWatchedSince{0};
    std::atomic<bool> bCopyingNow{false};
    std::atomic<bool> bStop{false};
    std::mutex mutex;
    Result result;
    std::thread worker;
};

}  // namespace corvane::bench
