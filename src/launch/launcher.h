// One launch of a game from beginning to end, apart from the window it is
// shown in: the version check, the locks, the command line, the check and
// swap-in of the mod, the start of the game, the once-a-second watch for its
// end and the restore of the game folder; and the restore of a launch that
// was cut short. The disk work (LaunchSteps) runs through the WorkRunner;
// what is decided here, the questions to the player and the watch, on the
// window's thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launch/held_locks.h"
#include "launch/launch_steps.h"
#include "launch/progress/launch_log.h"
#include "launch/launch_view.h"
#include "launch/recovery/recovery.h"
#include "ui/work_runner.h"
#include "platform/platform.h"
#include "state/mod_config.h"
#include "state/program_state.h"

namespace corvane {

class Launcher {
public:
    // szAppPath: the program folder; one launch at a time runs from it.
    Launcher(ProgramState& state, const Platform& platform, std::string szAppPath, LaunchView& view,
             LaunchLog& log, WorkRunner& runner);
    ~Launcher();

    // The window was loaded anew: no mod counts as swapped in.
    void WindowLoaded();

    // Runs one launch of GameTable row dGame with the switches szArgs and
    // ModList(dMod) (negative: no mod). Returns at once; the launch goes on
    // through the runner and the watch. Does nothing while one is under way.
    void LaunchApplication(int16_t dGame, const std::string& szArgs, int16_t dMod);

    // One tick of the exit watch; the tick that finds the game ended has the
    // game folder restored.
    void tmrRestore_Timer();

    // At start-up: when the journal tells of a launch cut short, and no other
    // copy of the program is busy with it, restores the game folder and runs
    // then afterwards, told whether the player stopped the wait for a game
    // still running (the journal then stays, and the window goes); false
    // (and then not run) otherwise.
    bool RecoverAtStart(std::function<void(bool bStopped)> then);

    // The launch told that it waits for a game still running, or no longer.
    void WaitingChanged(bool bWaiting);
    // Close was pressed: while the launch waits for a game still running,
    // the wait is given up, nothing is touched and the window goes once the
    // work has stopped; true then.
    bool StopWaiting();

    // The window is about to go. A swap that failed is undone first, from
    // its journal, and then is run; false when there is nothing to undo
    // (then is not run, the window may go at once).
    bool UndoBeforeClosing(std::function<void()> then);

    // A launch is under way: disk work, or a game watched and not yet restored.
    bool IsBusy() const;

    // Gives a launch up with the one message a player gets for every
    // unexpected failure, and Close enabled.
    void ReportLaunchError();

private:
    bool RefusedForPatch(int16_t dGame);
    void RefuseSecondLaunch();
    void Work(std::function<void()> work, std::function<void()> then);

    // After the runner.
    void AfterLaunchWork();
    void AskForAdministrator();
    void AskAboutOutside();
    void AskAboutStrays();
    void EndLaunch();

    ProgramState& state;
    Platform platform;
    std::string szAppPath;
    LaunchView& view;
    LaunchLog& log;
    WorkRunner& runner;

    LaunchSteps steps;
    std::unique_ptr<LaunchRun> run;
    bool bWaiting = false;
    std::unique_ptr<GameProcess> piGame;
    int16_t dLaunchMod = -1;
    HeldLocks locks;
};

}  // namespace corvane
