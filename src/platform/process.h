// Starting the game as a separate process and asking, without waiting,
// whether it has ended. Failures are thrown as PlatformError.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace corvane {

// The platform's "still running" exit code; a process may also end with it.
inline constexpr uint32_t kStillActive = 259;

struct ProcessState {
    bool bEnded = false;
    uint32_t lExitCode = 0;
};

class GameProcess {
public:
    virtual ~GameProcess() = default;  // closes the thread handle, then the process handle
    // Asks the process itself whether it has ended; never blocks.
    virtual ProcessState Poll() = 0;
};

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts the whole command line as one process, with this program's
    // environment and current folder.
    virtual std::unique_ptr<GameProcess> Start(const std::string& szCommandLine) = 0;
};

}  // namespace corvane
