#include "launch/launcher.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "launch/checks/outside_folders.h"
#include "launch/checks/stray_archives.h"
#include "launch/folder_locks.h"
#include "launch/launch_run.h"
#include "launch/targets/game_folders.h"
#include "platform/message_boxes.h"

namespace corvane {

namespace {

// Below this minor version Generals cannot load a mod's BIG file.
constexpr int16_t kLowestModdableMinor = 4;

// Where the mod's entries go, as full paths; an entry with none is refused
// or stops the swap there.
std::vector<std::string> TargetsOf(const ModConfig& mod, const GameEntry& game) {
    std::vector<std::string> szTargets;
    for (int16_t i = 0; i < mod.dCount; ++i) {
        try {
            if (std::string szPath = TargetAt(mod, i, game).szPath; !szPath.empty()) szTargets.push_back(std::move(szPath));
        } catch (const std::invalid_argument&) {
        }
    }
    return szTargets;
}

const GameEntry& GameAt(const GameTable& games, int16_t dGame) {
    if (dGame < 0) throw std::out_of_range("no game row " + std::to_string(dGame));
    return games.at(static_cast<size_t>(dGame));
}

}  // namespace


Launcher::Launcher(ProgramState& state, const Platform& platform, std::string szAppPath, LaunchView& view,
                   LaunchLog& log, WorkRunner& runner)
    : state(state),
      platform(platform),
      szAppPath(std::move(szAppPath)),
      view(view),
      log(log),
      runner(runner),
      steps(state, platform, this->szAppPath, log),
      locks(this->platform.locks) {}

Launcher::~Launcher() = default;

void Launcher::WindowLoaded() { dLaunchMod = -1; }

bool Launcher::IsBusy() const { return runner.Running() || piGame != nullptr; }

void Launcher::LaunchApplication(int16_t dGame, const std::string& szArgs, int16_t dMod) {
    if (IsBusy()) return;
    try {
        view.SetCloseEnabled(false);
        if (RefusedForPatch(dGame)) return;
        run = std::make_unique<LaunchRun>();
        run->game = GameAt(state.GameTable, dGame);
        run->dGame = dGame;
        run->szCommandLine = CommandLineFor(run->game, szArgs);
        run->dMod = dMod;
        if (dMod >= 0 && static_cast<size_t>(dMod) < state.ModList.size()) run->mod = state.ModList[dMod];
        if (!HoldLocks()) return RefuseSecondLaunch();
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("The launch was given up: ") + e.what());
        locks.Release();
        return ReportLaunchError();
    }
    view.ShowLaunchWindow();
    Work([this] { steps.Launch(*run); }, [this] { AfterLaunchWork(); });
}

void Launcher::ReportLaunchError() {
    view.SetCloseEnabled(true);
    platform.messageBoxes.Show("An error occurred whilst trying to launch the game!", kMsgOkOnly);
    view.LaunchEnded();
}

// Only the minor number tells the patch level; the other rows are never held back.
bool Launcher::RefusedForPatch(int16_t dGame) {
    if (dGame != kGenerals || state.GameTable[kGenerals].dVerMinor >= kLowestModdableMinor) return false;
    platform.messageBoxes.Show("You need patch 1.04 minimum in order to play mods with Generals",
                               kMsgOkOnly | kMsgCritical);
    view.UnloadLaunchWindow();
    view.LaunchEnded();
    return true;
}

// One launch at a time from this program folder, and one at a time into
// every folder a launch writes, whatever folder the program runs from. The
// journal is read only once this program folder is ours: another launch may
// be writing it. A launch cut short is undone under its own locks first.
bool Launcher::HoldLocks() {
    if (!HoldProgramFolder()) return false;
    run->pending = FindUnfinishedLaunch(platform.journal);
    if (run->pending && !locks.Hold(PendingLockNames(*run->pending))) return false;
    GameFolders gameFolders(state.GameTable, platform.files);
    run->szLockNames = FolderLockNames(platform.files, platform.problems, gameFolders, run->game.szInstallPath,
                                       run->mod ? TargetsOf(*run->mod, run->game) : std::vector<std::string>{});
    return locks.Hold(run->szLockNames);
}

// One launch at a time from this program folder, in whatever Wine prefix
// its copies run: there they share the journal.
bool Launcher::HoldProgramFolder() {
    return locks.Hold({ProgramLockName(platform.files, platform.problems, szAppPath)}) &&
           locks.HoldFile(szAppPath + "\\Corvane.lock");
}

// The locks a launch cut short held; a journal of older days names none.
std::vector<std::string> Launcher::PendingLockNames(const UnfinishedLaunch& launch) {
    std::vector<std::string> szNames = launch.LockNames();
    if (szNames.empty()) szNames.push_back(FolderLockName(platform.files, platform.problems, launch.szGameFolder));
    return szNames;
}

void Launcher::RefuseSecondLaunch() {
    locks.Release();
    platform.messageBoxes.Show("Another Corvane launch is still running. Close it first.", kMsgOkOnly);
    view.SetCloseEnabled(true);
    view.UnloadLaunchWindow();
    view.LaunchEnded();
}

void Launcher::Work(std::function<void()> work, std::function<void()> then) {
    view.SetWorking(true);
    // Told after then, which may have started a game to watch, or more work.
    runner.Run(std::move(work), [this, then = std::move(then)] {
        then();
        if (!runner.Running()) view.SetWorking(false);
    });
}

void Launcher::AfterLaunchWork() {
    switch (run->outcome) {
    case Outcome::kGameStarted:
        piGame = std::move(run->process);
        dLaunchMod = run->dMod;
        view.SetWatchTimerEnabled(true);
        return;
    case Outcome::kFailed:
        // The folders of a swap that failed stay ours until it is undone.
        if (!run->bSwapFailed) locks.Release();
        return ReportLaunchError();
    case Outcome::kNeedsAdministrator:
        return AskForAdministrator();
    case Outcome::kAskOutside:
        return AskAboutOutside();
    case Outcome::kAskStrays:
        return AskAboutStrays();
    case Outcome::kMissingSources:
    case Outcome::kEnded:
        return EndLaunch();
    case Outcome::kStopped:
        EndLaunch();
        return view.UnloadLaunchWindow();
    }
}

// Nothing has been touched yet: the same launch can start again in a copy
// of the program that Windows lets change the game folder.
void Launcher::AskForAdministrator() {
    const int lAnswer = platform.messageBoxes.Show(
        "Windows does not let Corvane change the game folder:\r" + run->check.szNeedsRights +
            "\r\rRestart Corvane as administrator?",
        kMsgYesNo | kMsgQuestion);
    if (lAnswer == kAnswerYes) {
        locks.Release();
        if (platform.rights.RestartAsAdministrator()) return view.EndProgram();
    }
    EndLaunch();
}

// Asked at every launch of such a mod, on every road, with administrator
// rights too; nothing is touched before the answer.
void Launcher::AskAboutOutside() {
    const int lAnswer =
        platform.messageBoxes.Show(OutsideQuestion(run->check.szOutside), kMsgYesNo | kMsgExclamation | kMsgDefaultButton2);
    if (lAnswer != kAnswerYes) {
        log.Line("ERROR: The launch was stopped before anything was touched: the mod writes outside the game's folders.");
        return EndLaunch();
    }
    if (!run->check.strays.asked.empty() || !run->check.strays.szAsideAgain.empty()) return AskAboutStrays();
    run->outcome = Outcome::kEnded;
    Work([this] { steps.Resume(*run); }, [this] { AfterLaunchWork(); });
}

// Asked last, on every road, before anything is touched, about the archives
// the player has not answered about before. The folders the archives set
// aside lie in are held from then on, as those the mod writes are.
void Launcher::AskAboutStrays() {
    run->szSetAside = run->check.strays.szAsideAgain;
    if (!run->check.strays.asked.empty()) {
        const bool bYes = platform.messageBoxes.Show(StrayQuestion(run->check.strays.asked), kMsgYesNo | kMsgQuestion) == kAnswerYes;
        RememberAnswer(run->check.strays.asked, bYes, *run->check.strays.answers, platform.problems);
        if (bYes)
            for (const StrayArchive& archive : run->check.strays.asked) run->szSetAside.push_back(archive.szPath);
    }
    if (!run->szSetAside.empty()) {
        std::vector<std::string> szNames;
        try {
            GameFolders gameFolders(state.GameTable, platform.files);
            szNames = FolderLockNames(platform.files, platform.problems, gameFolders, run->game.szInstallPath, run->szSetAside);
        } catch (const std::exception& e) {
            platform.problems.Note(std::string("The launch was given up: ") + e.what());
            locks.Release();
            return ReportLaunchError();
        }
        if (!locks.Hold(szNames)) return RefuseSecondLaunch();
        for (const std::string& szName : szNames)
            if (std::find(run->szLockNames.begin(), run->szLockNames.end(), szName) == run->szLockNames.end())
                run->szLockNames.push_back(szName);
    }
    run->outcome = Outcome::kEnded;
    Work([this] { steps.Resume(*run); }, [this] { AfterLaunchWork(); });
}

void Launcher::EndLaunch() {
    locks.Release();
    view.SetCloseEnabled(true);
    view.LaunchEnded();
}

}  // namespace corvane
