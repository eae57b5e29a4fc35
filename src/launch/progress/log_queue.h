// The progress log on its way from the launch's own thread to the window:
// lines wait here, in order, until the window takes them all at once, which
// it does at screen pace rather than once per line. The newest progress
// replaces the one before.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "launch/progress/launch_log.h"

namespace corvane {

class LogQueue : public LaunchLog {
public:
    // wake runs, on the writing thread, when something arrives in an empty
    // queue; it must only ask the window to come and Take.
    explicit LogQueue(std::function<void()> wake) : wake(std::move(wake)) {}

    void Line(const std::string& szMsg) override;
    void Progress(uint64_t lDone, uint64_t lTotal) override;
    void Waiting(bool bWaiting) override;

    struct Batch {
        std::vector<std::string> lines;
        std::optional<std::pair<uint64_t, uint64_t>> progress;  // done, total
        std::optional<bool> waiting;
    };
    // Everything that arrived since the last Take.
    Batch Take();

private:
    void WakeOnce();  // with the mutex held

    std::function<void()> wake;
    std::mutex mutex;
    Batch waiting;
    bool bWoken = false;
};

}  // namespace corvane
