#include "launch/launch_steps.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "launch/checks/free_space.h"
#include "launch/journal/journal_records.h"
#include "launch/swap/aside_moves.h"
#include "launch/swap/swap_in.h"
#include "launch/undo/pass_over_failure.h"

namespace corvane {

void LaunchSteps::Launch(LaunchRun& run) {
    Attempt(run, [&] {
        if (run.pending) {
            const Recovery recovery = Recover(*run.pending);
            if (recovery == Recovery::kStopped) {
                run.outcome = Outcome::kStopped;
                return;
            }
            if (recovery != Recovery::kDone) throw std::runtime_error("an unfinished launch could not be undone");
        }
        log.Line("This is what is happening...");
        if (run.dMod >= 0 && !Check(run)) return;
        SwapAndStart(run);
    });
}

void LaunchSteps::Resume(LaunchRun& run) {
    Attempt(run, [&] { SwapAndStart(run); });
}

void LaunchSteps::Attempt(LaunchRun& run, const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("The launch was given up: ") + e.what());
        run.outcome = Outcome::kFailed;
        run.bSwapFailed = run.journal && !run.journal->Empty();
    }
}

// Once nothing stands in its way.
void LaunchSteps::SwapAndStart(LaunchRun& run) {
    if (run.dMod >= 0) SwapModIn(run);
    StartGame(run);
}

namespace {

// How the launch goes on after a check that did not let it go.
Outcome OutcomeOf(ModVerdict verdict) {
    switch (verdict) {
    case ModVerdict::kNeedsAdministrator:
        return Outcome::kNeedsAdministrator;
    case ModVerdict::kAskOutside:
        return Outcome::kAskOutside;
    case ModVerdict::kAskStrays:
        return Outcome::kAskStrays;
    default:
        return Outcome::kMissingSources;
    }
}

}  // namespace

// False when the launch stops here, or waits for the player.
bool LaunchSteps::Check(LaunchRun& run) {
    if (!run.mod) throw std::out_of_range("no mod " + std::to_string(run.dMod));
    const ModConfig& mod = *run.mod;
    run.szCreated.assign(1, std::string());
    run.szCommandLine = WithModSwitch(run.szCommandLine, mod.szModFile);
    run.copies = std::make_unique<SwapCopies>(log);
    run.check = CheckMod(mod, run.game, state.GameTable, run.dGame, platform, szAppPath, *run.copies, log);
    if (run.check.verdict == ModVerdict::kGo) return true;
    run.outcome = OutcomeOf(run.check.verdict);
    return false;
}

void LaunchSteps::SwapModIn(LaunchRun& run) {
    const ModConfig& mod = *run.mod;
    const std::string& szGameFolder = run.game.szInstallPath;
    if (const std::optional<std::string> szShort = SpaceShortfall(mod, run.check.sources, platform.files)) {
        log.Line(*szShort);
        throw std::runtime_error(*szShort);
    }
    run.journal = std::make_unique<LaunchJournal>(platform.journal);
    run.journal->Note(RecordOf(JournalStep::kBegin, szGameFolder, run.game.szTitle + " with " + mod.szTitle));
    for (const std::string& szLock : run.szLockNames) run.journal->Note(RecordOf(JournalStep::kLock, szLock));
    if (!run.szSetAside.empty()) {
        log.Line("");
        MoveNoted(AsideMoves(run.szSetAside, false), *run.journal, platform.files, log);
    }
    run.targets = run.check.sources.targets;
    run.copies->Expect(run.check.sources.lBytes);
    SwapServices services{platform.files, platform.fso, *run.journal, log, run.copies.get()};
    SwapIn(mod, run.game, run.check.sources, services, run.szCreated);
    log.Progress(0, 0);
    for (const std::string& szLine : run.copies->Report()) platform.problems.Note(mod.szTitle + ": " + szLine);
}

// The journal learns that the game is about to start before it does, and
// which process it is at once, so that a restore after a crash waits for it.
void LaunchSteps::StartGame(LaunchRun& run) {
    log.Line("");
    log.Line("Launching...");
    log.Line(run.szCommandLine);
    const std::string& szGameFolder = run.game.szInstallPath;
    if (run.journal) run.journal->WriteNow(RecordOf(JournalStep::kGameStarting, szGameFolder));
    try {
        run.process = platform.processes.Start(ProgramOf(run.game), run.szCommandLine, szGameFolder);
        run.outcome = Outcome::kGameStarted;
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("The game could not be started: ") + e.what());
        run.process.reset();
    }
    if (run.process) {
        if (run.journal) PassOverFailure(platform.problems, [&] { NoteGameMembers(run, *run.process); });
        return;
    }
    // A game that will not start must not leave the player with a modded
    // game folder, so its swap is undone at once.
    log.Line("ERROR:During launch, cannot create process!");
    log.Line("");
    if (run.dMod >= 0)
        RestoreAndEnd(run);
    else
        log.Line("END");
    run.outcome = Outcome::kEnded;
}

void LaunchSteps::NoteGameMembers(LaunchRun& run, GameProcess& game) {
    const std::vector<ProcessId> members = run.noted.empty() ? std::vector{game.Id()} : game.Members();
    for (const ProcessId& id : members) {
        if (std::find(run.noted.begin(), run.noted.end(), id) != run.noted.end()) continue;
        run.noted.push_back(id);
        run.journal->Note(GameRecord(id));
    }
    run.journal->Write();
}

void LaunchSteps::RestoreAndEnd(LaunchRun& run) {
    const FinishedSwap swap{run.targets, run.szCreated};
    UndoFromJournal(run, &swap);
}

void LaunchSteps::UndoFailedSwap(LaunchRun& run) {
    log.Line("");
    UndoFromJournal(run, nullptr);
}

// The journal is read back whole: it is what the launch did. One that
// cannot be read leaves everything for the next start.
void LaunchSteps::UndoFromJournal(LaunchRun& run, const FinishedSwap* swap) {
    std::vector<JournalRecord> records;
    try {
        records = run.journal->ReadBack();
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("Could not read the launch journal: ") + e.what());
        log.Line("ERROR: This could not be put back now; Corvane tries again at its next start:");
        log.Line(run.game.szInstallPath);
        log.Line("END");
        return;
    }
    UndoServices services{platform.files, platform.fso, log, platform.problems, *run.journal};
    const UndoResult result = UndoLaunch(records, swap, services);
    log.Progress(0, 0);
    log.Line("END");
    KeepInJournal(records, result, platform.journal, platform.problems);
    run.bSwapFailed = run.bSwapFailed && !result.Clean();
}

Recovery LaunchSteps::Recover(const UnfinishedLaunch& launch) {
    bStopWait = false;
    RecoveryServices services{platform.files, platform.fso,       log,
                              platform.problems, platform.processes, platform.journal};
    const Recovery recovery = RecoverLaunch(launch, services, bStopWait);
    log.Progress(0, 0);
    return recovery;
}

}  // namespace corvane
