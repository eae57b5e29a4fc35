#include "launch/launcher.h"

#include <exception>
#include <stdexcept>

#include "launch/checks/outside_folders.h"
#include "launch/checks/stray_archives.h"
#include "launch/launch_locking.h"
#include "launch/launch_run.h"
#include "platform/message_boxes.h"

namespace corvane {

namespace {

// Below this minor version Generals cannot load a mod's BIG file.
constexpr int16_t kLowestModdableMinor = 4;

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
        if (!HoldLaunchLocks(locks, *run, platform, state.GameTable, szAppPath)) return RefuseSecondLaunch();
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
    bool bHeld = true;
    try {
        bHeld = run->szSetAside.empty() || HoldMoreFolders(locks, *run, platform, state.GameTable, run->szSetAside);
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("The launch was given up: ") + e.what());
        locks.Release();
        return ReportLaunchError();
    }
    if (!bHeld) return RefuseSecondLaunch();
    run->outcome = Outcome::kEnded;
    Work([this] { steps.Resume(*run); }, [this] { AfterLaunchWork(); });
}

void Launcher::EndLaunch() {
    locks.Release();
    view.SetCloseEnabled(true);
    view.LaunchEnded();
}

}  // namespace corvane
