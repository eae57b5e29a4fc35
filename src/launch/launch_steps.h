// The steps of one launch that run on the runner's thread: a launch cut
// short undone first, the check, the swap and the start of the game; the
// restore after the game, and the undo of a swap that failed. Each works on
// the launch's LaunchRun, which the window's thread leaves alone meanwhile,
// and tells in it how the launch went on.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <utility>

#include "launch/launch_run.h"
#include "launch/progress/launch_log.h"
#include "launch/recovery/recovery.h"
#include "launch/undo/undo.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "state/program_state.h"

namespace corvane {

class LaunchSteps {
public:
    LaunchSteps(const ProgramState& state, const Platform& platform, std::string szAppPath, LaunchLog& log)
        : state(state), platform(platform), szAppPath(std::move(szAppPath)), log(log) {}

    // The launch up to the game's start, or to where it stops or waits for
    // the player.
    void Launch(LaunchRun& run);
    // The swap and the start, once the player has answered.
    void Resume(LaunchRun& run);
    // What the restore has to leave (a file in use, a drive gone) stays in
    // the journal: the next start undoes it.
    void RestoreAndEnd(LaunchRun& run);
    void UndoFailedSwap(LaunchRun& run);
    Recovery Recover(const UnfinishedLaunch& launch);
    // The journal learns of each process of the game as it appears, so that
    // a restore after a crash can wait for the game's children too.
    void NoteGameMembers(LaunchRun& run, GameProcess& game);
    // Gives up the wait of Recover for a game still running.
    void StopWait() { bStopWait = true; }

private:
    void Attempt(LaunchRun& run, const std::function<void()>& work);
    bool Check(LaunchRun& run);
    void SwapAndStart(LaunchRun& run);
    void SwapModIn(LaunchRun& run);
    void StartGame(LaunchRun& run);
    void UndoFromJournal(LaunchRun& run, const FinishedSwap* swap);

    const ProgramState& state;
    Platform platform;
    std::string szAppPath;
    LaunchLog& log;
    std::atomic<bool> bStopWait{false};
};

}  // namespace corvane
