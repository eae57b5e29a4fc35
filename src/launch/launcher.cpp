#include "launch/launcher.h"

#include <exception>
#include <stdexcept>

#include "launch/launch_rules.h"
#include "launch/pass_over_failure.h"
#include "launch/restore.h"
#include "launch/swap_in.h"
#include "platform/message_boxes.h"
#include "platform/platform_error.h"

namespace corvane {

namespace {

// Below this minor version Generals cannot load a mod's BIG file.
constexpr int16_t kLowestModdableMinor = 4;

const GameEntry& GameAt(const GameTable& games, int16_t dGame) {
    if (dGame < 0) throw std::out_of_range("no game row " + std::to_string(dGame));
    return games.at(static_cast<size_t>(dGame));
}

}  // namespace

Launcher::Launcher(ProgramState& state, const Platform& platform, LaunchView& view)
    : state(state), platform(platform), view(view) {}

void Launcher::WindowLoaded() { dLaunchMod = -1; }

void Launcher::LaunchApplication(int16_t dGame, const std::string& szArgs, int16_t dMod) {
    if (IsWatching()) return;
    try {
        RunLaunch(dGame, szArgs, dMod);
    } catch (const std::exception&) {
        ReportLaunchError();
    }
}

void Launcher::ReportLaunchError() {
    view.SetCloseEnabled(true);
    platform.messageBoxes.Show("An error occurred whilst trying to launch the game!", kMsgOkOnly);
    view.LaunchEnded();
}

void Launcher::RunLaunch(int16_t dGame, const std::string& szArgs, int16_t dMod) {
    view.SetCloseEnabled(false);
    if (RefusedForPatch(dGame)) return;
    const GameEntry& game = GameAt(state.GameTable, dGame);
    std::string szCommandLine = CommandLineFor(game, szArgs);
    view.ShowLaunchWindow();
    view.DisplayMsg("This is what is happening...");
    if (dMod >= 0) {
        if (!SwapModIn(game, dMod)) return;
        szCommandLine = WithModSwitch(szCommandLine, swappedMod.szModFile);
    }
    StartGame(szCommandLine, dMod);
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

bool Launcher::SwapModIn(const GameEntry& game, int16_t dMod) {
    szCreated.assign(1, std::string());
    swappedMod = state.ModList.at(static_cast<size_t>(dMod));
    swappedGame = game;
    if (!CheckSources(swappedMod, platform.files, view)) {
        view.SetCloseEnabled(true);
        view.LaunchEnded();
        return false;
    }
    SwapIn(swappedMod, swappedGame, platform.files, platform.fso, view, szCreated);
    return true;
}

// A game that will not start must not leave the player with a modded game
// folder, so its swap is undone at once.
void Launcher::StartGame(const std::string& szCommandLine, int16_t dMod) {
    view.DisplayMsg("");
    view.DisplayMsg("Launching...");
    view.DisplayMsg(szCommandLine);
    try {
        piGame = platform.processes.Start(szCommandLine);
    } catch (const PlatformError&) {
        piGame.reset();
    }
    if (!piGame) {
        view.DisplayMsg("ERROR:During launch, cannot create process!");
        FinishLaunch(dMod >= 0);
        return;
    }
    dLaunchMod = dMod;
    view.SetWatchTimerEnabled(true);
}

// Every step runs even when one before it failed: the game has ended, and
// whatever can be given back must be given back.
void Launcher::tmrRestore_Timer() {
    if (!piGame) {
        PassOverFailure([&] { view.SetWatchTimerEnabled(false); });
        return;
    }
    ProcessState game{true, 0};  // a process that cannot be asked counts as ended
    PassOverFailure([&] { game = piGame->Poll(); });
    if (!game.bEnded) return;
    piGame.reset();
    PassOverFailure([&] { view.SetWatchTimerEnabled(false); });
    FinishLaunch(dLaunchMod >= 0);
}

void Launcher::FinishLaunch(bool bWithMod) {
    PassOverFailure([&] { view.DisplayMsg(""); });
    if (bWithMod) Restore(swappedMod, swappedGame, szCreated, platform.files, platform.fso, view);
    PassOverFailure([&] { view.DisplayMsg("END"); });
    PassOverFailure([&] { view.SetCloseEnabled(true); });
    PassOverFailure([&] { view.LaunchEnded(); });
}

}  // namespace corvane
