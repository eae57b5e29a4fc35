// Steam for Linux, seen from Corvane under Wine or Proton. Steam's folder is
// the one Steam hands a program it runs through Proton, else each of the
// usual ones in the Unix home (~/.steam/steam, ~/.steam/root,
// ~/.local/share/Steam, Flatpak's, Snap's), once however many links lead to
// it. Its libraries are named by Unix path (Flatpak's Steam names its own
// folder as its sandbox sees it) and reached through the Windows path Wine
// gives them. A game found there runs in the prefix Corvane runs in, which
// need not be the game's own.
#pragma once

#include <optional>
#include <string>

#include "state/game_look.h"

namespace corvane {

// The app's game in Steam for Linux; nothing, and no note, on Windows.
std::optional<Spot> FromLinuxSteam(Look& look, const std::string& szApp);

}  // namespace corvane
