// Where a launch reports itself: the lines of the progress log and how far
// the current copy or restore has come. A launch does its disk work on a
// thread of its own, so both may be called from that thread.
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
};

}  // namespace corvane
