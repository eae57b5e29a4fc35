// The launch window: one launch of a game from the check of the mod's
// sources, through the swap and the game's run, to the restore of the game
// folder, written line by line to its progress log.
//
// PUBLIC CONTRACT used by the start-up code and the main window; the private
// part belongs to the launch code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "startup/program_state.h"
#include "ui/window.h"

namespace corvane {

class frmLaunch : public ui::Window {
public:
    frmLaunch(ProgramState& state, const Platform& platform);
    ~frmLaunch() override;

    // Runs one launch of GameTable row dGame with the switches szArgs and the
    // mod ModList(dMod) (negative: no mod). Loads the window first when it is
    // not loaded. Returns once the game runs under the window's watch, or once
    // the launch was given up. Does nothing while a game is still watched.
    void LaunchApplication(int16_t dGame, const std::string& szArgs, int16_t dMod);

    // Appends one line to the progress log and brings it into view.
    void DisplayMsg(const std::string& szMsg);

    // A game started from this window is being watched (and not yet restored).
    bool IsWatching() const;

    // Runs whenever a launch is over: "END" written, or the launch stopped
    // before the game started (refused, missing sources, an error).
    std::function<void()> onLaunchEnded;
};

}  // namespace corvane
