// Where a launch reports itself: the lines of the progress log, how far the
// current copy or restore has come, and whether it waits for something the
// player may stop waiting for. A launch does its disk work on a thread of
// its own, so all may be called from that thread.
#pragma once

#include <cstdint>
#include <string>

namespace corvane {

class LaunchLog {
public:
    virtual ~LaunchLog() = default;
    // Appends one line; lines are shown in the order they were written.
    virtual void Line(const std::string& szMsg) = 0;
    // lDone of lTotal; a total of 0 leaves the progress bar empty.
    virtual void Progress(uint64_t lDone, uint64_t lTotal) = 0;
    // The launch waits (true) for a game still running from a launch cut
    // short, until it ends or the player closes the window; or no longer.
    virtual void Waiting(bool bWaiting) { (void)bWaiting; }
};

}  // namespace corvane
