// The launcher's way back: the watch of the game and the restore after it,
// the undo of a swap that failed when its window is closed, and the restore
// after a launch cut short, at start or before the next launch.
#include <algorithm>
#include <exception>

#include "launch/launch_run.h"
#include "launch/launcher.h"
#include "launch/undo/pass_over_failure.h"

namespace corvane {

// What the restore has to leave (a file in use, a drive gone) stays in the
// journal: the next start undoes it.
void Launcher::RestoreAndEnd() {
    const FinishedSwap swap{run->targets, run->szCreated};
    UndoFromJournal(&swap);
}

// The journal is read back whole: it is what the launch did. One that
// cannot be read leaves everything for the next start.
void Launcher::UndoFromJournal(const FinishedSwap* swap) {
    std::vector<JournalRecord> records;
    try {
        records = run->journal->ReadBack();
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("Could not read the launch journal: ") + e.what());
        log.Line("ERROR: This could not be put back now; Corvane tries again at its next start:");
        log.Line(run->game.szInstallPath);
        log.Line("END");
        return;
    }
    UndoServices services{platform.files, platform.fso, log, platform.problems, *run->journal};
    const UndoResult result = UndoLaunch(records, swap, services);
    log.Progress(0, 0);
    log.Line("END");
    KeepInJournal(records, result, platform.journal, platform.problems);
    run->bSwapFailed = run->bSwapFailed && !result.Clean();
}

Recovery Launcher::Recover(const UnfinishedLaunch& launch) {
    bStopWait = false;
    RecoveryServices services{platform.files, platform.fso,       log,
                              platform.problems, platform.processes, platform.journal};
    const Recovery recovery = RecoverLaunch(launch, services, bStopWait);
    log.Progress(0, 0);
    return recovery;
}

void Launcher::WaitingChanged(bool bNowWaiting) {
    bWaiting = bNowWaiting;
    view.SetCloseEnabled(bWaiting);
}

bool Launcher::StopWaiting() {
    if (!bWaiting) return false;
    bStopWait = true;
    WaitingChanged(false);
    return true;
}

void Launcher::UndoFailedSwap() {
    log.Line("");
    UndoFromJournal(nullptr);
}

// A failed swap is shown as it is until its window is closed; then the
// game folder is put back before the window goes. What cannot be put back
// now is named in the log, and the window stays for the player to read it;
// the next Close lets it go, and the next start tries again.
bool Launcher::UndoBeforeClosing(std::function<void()> then) {
    if (!run || !run->bSwapFailed || run->bUndoneAtClose || IsBusy()) return false;
    run->bUndoneAtClose = true;
    view.SetCloseEnabled(false);
    Work([this] { UndoFailedSwap(); }, [this, then = std::move(then)] {
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
        if (dLaunchMod >= 0) PassOverFailure(platform.problems, [&] { NoteGameMembers(); });
        return;
    }
    piGame.reset();
    PassOverFailure(platform.problems, [&] { view.SetWatchTimerEnabled(false); });
    log.Line("");
    if (dLaunchMod < 0) {
        log.Line("END");
        return EndLaunch();
    }
    Work([this] { RestoreAndEnd(); }, [this] { EndLaunch(); });
}

// The journal learns of each process of the game as it appears, so that a
// restore after a crash can wait for the game's children too.
void Launcher::NoteGameMembers() {
    GameProcess& game = piGame ? *piGame : *run->process;
    const std::vector<ProcessId> members = run->noted.empty() ? std::vector{game.Id()} : game.Members();
    for (const ProcessId& id : members) {
        if (std::find(run->noted.begin(), run->noted.end(), id) != run->noted.end()) continue;
        run->noted.push_back(id);
        run->journal->Note(GameRecord(id));
    }
    run->journal->Write();
}

bool Launcher::RecoverAtStart(std::function<void(bool bStopped)> then) {
    std::optional<UnfinishedLaunch> pending;
    try {
        if (HoldProgramFolder()) pending = FindUnfinishedLaunch(platform.journal);
        if (pending && !locks.Hold(PendingLockNames(*pending))) pending.reset();
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("Could not read the launch journal: ") + e.what());
        pending.reset();
    }
    if (!pending) {
        locks.Release();
        return false;
    }
    run = std::make_unique<Run>();
    run->pending = std::move(pending);
    view.ShowLaunchWindow();
    view.SetCloseEnabled(false);
    Work([this] { run->outcome = Recover(*run->pending) == Recovery::kStopped ? Outcome::kStopped : Outcome::kEnded; },
         [this, then = std::move(then)] {
             EndLaunch();
             const bool bStopped = run->outcome == Outcome::kStopped;
             then(bStopped);
             if (bStopped) view.UnloadLaunchWindow();
         });
    return true;
}

}  // namespace corvane
