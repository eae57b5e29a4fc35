// Runs a window's disk work away from the window's thread, so that the
// window keeps answering during long copies and unpacking.
#pragma once

#include <functional>

namespace corvane {

class WorkRunner {
public:
    virtual ~WorkRunner() = default;
    // Runs work, then runs then on the window's thread once every line work
    // wrote to the log is shown. Work never throws. One at a time.
    virtual void Run(std::function<void()> work, std::function<void()> then) = 0;
    // Work runs, or has run and then has not been called yet; false again
    // by the time then runs.
    virtual bool Running() const = 0;
};

}  // namespace corvane
