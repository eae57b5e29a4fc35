// The launcher's way back: the watch of the game and the restore after it,
// the undo of a swap that failed when its window is closed, and the restore
// after a launch cut short, at start or before the next launch.
#include <exception>

#include "launch/launch_locking.h"
#include "launch/launch_run.h"
#include "launch/launcher.h"
#include "launch/undo/pass_over_failure.h"

namespace corvane {

void Launcher::WaitingChanged(bool bNowWaiting) {
    bWaiting = bNowWaiting;
    view.SetCloseEnabled(bWaiting);
}

bool Launcher::StopWaiting() {
    if (!bWaiting) return false;
    steps.StopWait();
    WaitingChanged(false);
    return true;
}

// A failed swap is shown as it is until its window is closed; then the
// game folder is put back before the window goes. What cannot be put back
// now is named in the log, and the window stays for the player to read it;
// the next Close lets it go, and the next start tries again.
bool Launcher::UndoBeforeClosing(std::function<void()> then) {
    if (!run || !run->bSwapFailed || run->bUndoneAtClose || IsBusy()) return false;
    run->bUndoneAtClose = true;
    view.SetCloseEnabled(false);
    Work([this] { steps.UndoFailedSwap(*run); }, [this, then = std::move(then)] {
        view.SetCloseEnabled(true);
        if (run->bSwapFailed) return;
        locks.Release();
        then();
    });
    return true;
}

// Every step runs even when one before it failed: the game has ended, and
// whatever can be given back must be given back.
void Launcher::tmrRestore_Timer() {
    if (!piGame) {
        PassOverFailure(platform.problems, [&] { view.SetWatchTimerEnabled(false); });
        return;
    }
    if (!piGame->Poll().bEnded) {
        if (dLaunchMod >= 0) PassOverFailure(platform.problems, [&] { steps.NoteGameMembers(*run, *piGame); });
        return;
    }
    piGame.reset();
    PassOverFailure(platform.problems, [&] { view.SetWatchTimerEnabled(false); });
    log.Line("");
    if (dLaunchMod < 0) {
        log.Line("END");
        return EndLaunch();
    }
    Work([this] { steps.RestoreAndEnd(*run); }, [this] { EndLaunch(); });
}

bool Launcher::RecoverAtStart(std::function<void(bool bStopped)> then) {
    std::optional<UnfinishedLaunch> pending;
    try {
        if (!HoldUnfinishedLaunch(locks, platform, szAppPath, pending)) pending.reset();
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("Could not read the launch journal: ") + e.what());
        pending.reset();
    }
    if (!pending) {
        locks.Release();
        return false;
    }
    run = std::make_unique<LaunchRun>();
    run->pending = std::move(pending);
    view.ShowLaunchWindow();
    view.SetCloseEnabled(false);
    Work([this] { run->outcome = steps.Recover(*run->pending) == Recovery::kStopped ? Outcome::kStopped : Outcome::kEnded; },
         [this, then = std::move(then)] {
             EndLaunch();
             const bool bStopped = run->outcome == Outcome::kStopped;
             then(bStopped);
             if (bStopped) view.UnloadLaunchWindow();
         });
    return true;
}

}  // namespace corvane
