// A game in Steam's libraries: the libraries its own folder lists, each
// library's app manifest, and the game's folder under steamapps\common.
// The Steam of Windows is found through its registry keys; Steam for Linux,
// seen from Wine, has its own search (linux_steam.h) over the same walk.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "state/game_look.h"
#include "state/steam_library.h"

namespace corvane {

// The libraries steamapps\libraryfolders.vdf of Steam's folder names (else
// config\libraryfolders.vdf), as written there; none when neither can be read.
std::vector<SteamLibrary> LibrariesOf(Look& look, const std::string& szSteam);

// The first library, of those LibrariesForApp gives, whose app manifest
// names a folder with the game in it. The places are named
// "<szSteamName> library <folder>, app <id>" in the log.
std::optional<Spot> FromSteamLibraries(Look& look, const std::string& szSteam, const std::vector<SteamLibrary>& libraries,
                                       const std::string& szApp, const std::string& szSteamName);

// The Steam of Windows: its folder from the current user's key, else the
// machine's.
std::optional<Spot> FromWindowsSteam(Look& look, const std::string& szApp);

}  // namespace corvane
