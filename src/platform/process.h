// Starting the game as a separate process and asking, without waiting,
// whether it has ended. A game counts as running while the process that was
// started, or any process started from it, is alive, and while any program
// whose executable lies in the game's installation folder runs (this
// program aside): launchers and wrappers that start the real game and exit,
// and a store's client that starts the real game itself, do not end it. A
// process whose state cannot be read counts as running. Failures are thrown
// as PlatformError.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

// The platform's "still running" exit code; a process may also end with it.
inline constexpr uint32_t kStillActive = 259;

struct ProcessState {
    bool bEnded = false;
    uint32_t lExitCode = 0;  // of the process that was started
};

// A process told apart from later ones that reuse its id.
struct ProcessId {
    uint32_t lId = 0;
    uint64_t lStartTime = 0;  // in the platform's own units
    std::string szExe;        // its executable's file name, "" when it could not be read

    bool operator==(const ProcessId&) const = default;
};

class GameProcess {
public:
    // Closes the handles; the game itself goes on.
    virtual ~GameProcess() = default;
    // The started process.
    virtual ProcessId Id() const = 0;
    // Asks whether every process of the game has ended; never blocks and
    // never throws: what cannot be asked counts as running.
    virtual ProcessState Poll() = 0;
    // The processes of the game alive now.
    virtual std::vector<ProcessId> Members() = 0;
};

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts the program szProgram, named to Windows as it stands so that
    // nothing is searched for, with the whole command line, this program's
    // environment and current folder, in a job of its own from its first
    // instruction on. szGameFolder: the game's installation folder.
    virtual std::unique_ptr<GameProcess> Start(const std::string& szProgram, const std::string& szCommandLine,
                                               const std::string& szGameFolder) = 0;
    // That process still runs. One that cannot be opened (it may belong to
    // someone else) counts as running only while the system lists its id
    // with the executable file name it had.
    virtual bool IsRunning(const ProcessId& id) = 0;
    // A program whose executable lies in the folder runs (this program aside).
    virtual bool AnyRunsFrom(const std::string& szFolder) = 0;
    // Blocks until none of these processes runs any more and no program
    // runs from szFolder, or until bStop is set: false then.
    virtual bool WaitForEnd(const std::vector<ProcessId>& ids, const std::string& szFolder,
                            const std::atomic<bool>& bStop) = 0;
};

}  // namespace corvane
