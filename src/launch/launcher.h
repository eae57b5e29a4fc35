// One launch of a game from beginning to end, apart from the window it is
// shown in: the version check, the command line, the check and swap-in of
// the mod, the start of the game, the once-a-second watch for its end and
// the restore of the game folder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "launch/launch_view.h"
#include "modconfig/mod_config.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "startup/program_state.h"

namespace corvane {

class Launcher {
public:
    Launcher(ProgramState& state, const Platform& platform, LaunchView& view);

    // The window was loaded anew: no mod counts as swapped in.
    void WindowLoaded();

    // Runs one launch of GameTable row dGame with the switches szArgs and
    // ModList(dMod) (negative: no mod). Returns once the game runs, or once
    // the launch was given up; does nothing while a game is still watched.
    void LaunchApplication(int16_t dGame, const std::string& szArgs, int16_t dMod);

    // One tick of the exit watch; the tick that finds the game ended
    // restores the game folder.
    void tmrRestore_Timer();

    bool IsWatching() const { return piGame != nullptr; }

    // Gives a launch up with the one message a player gets for every
    // unexpected failure, and Close enabled.
    void ReportLaunchError();

private:
    void RunLaunch(int16_t dGame, const std::string& szArgs, int16_t dMod);
    bool RefusedForPatch(int16_t dGame);
    // False when a source is missing and the launch was given up.
    bool SwapModIn(const GameEntry& game, int16_t dMod);
    void StartGame(const std::string& szCommandLine, int16_t dMod);
    // Writes the closing lines, restoring first when a mod was swapped in.
    void FinishLaunch(bool bWithMod);

    ProgramState& state;
    Platform platform;
    LaunchView& view;

    std::unique_ptr<GameProcess> piGame;
    int16_t dLaunchMod = -1;
    // What the swap worked with, kept whole so that a mod list rebuilt while
    // the game runs cannot send the restore to items it never swapped.
    ModConfig swappedMod;
    GameEntry swappedGame;
    std::vector<std::string> szCreated;
};

}  // namespace corvane
