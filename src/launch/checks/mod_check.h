// Everything a launch checks before anything is touched, in the order it
// checks: the sources and their targets, where Windows lets Corvane write,
// where the mod writes outside the game's folders, and the stray archives
// the game would load with it. Each either stops the launch or has the
// player asked before the swap.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "launch/checks/source_check.h"
#include "launch/checks/stray_archives.h"
#include "launch/progress/launch_log.h"
#include "platform/platform.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

enum class ModVerdict {
    kGo,
    kStop,                // the log tells why
    kNeedsAdministrator,  // szNeedsRights: a game's folder Windows keeps from Corvane
    kAskOutside,          // szOutside: destination folders outside the game's
    kAskStrays,           // strays: archives the game would load with the mod
};

struct ModCheck {
    ModVerdict verdict = ModVerdict::kGo;
    SourceCheck sources;
    std::vector<std::string> szOutside;
    std::string szNeedsRights;
    StrayOffer strays;
};

// The checks of the mod launched into game, GameTable row dGame, each
// logged as it is made. guide: tells which files the swap may link.
ModCheck CheckMod(const ModConfig& mod, const GameEntry& game, const GameTable& games, int16_t dGame,
                  const Platform& platform, const std::string& szAppPath, CopyGuide& guide, LaunchLog& log);

}  // namespace corvane
