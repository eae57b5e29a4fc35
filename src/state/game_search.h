// Where each game is installed. The key its retail installer writes under
// HKEY_LOCAL_MACHINE comes first and, where it gives a folder, is taken as
// it stands. Where it gives none, the first of the places other editions
// keep the game that names a folder holding the game's executable: the key
// read with read rights only, the same key under HKEY_CURRENT_USER (which
// the game itself reads), Origin and the Ultimate Collection, The First
// Decade, Steam, and under Wine or Proton, Steam for Linux.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/file_version.h"
#include "platform/registry.h"
#include "platform/wine_host.h"
#include "state/game_table.h"

namespace corvane {

struct GameSources {
    Registry& gameKeys;  // HKEY_LOCAL_MACHINE, 32-bit view, the rights the keys were always opened with
    Registry& machine;   // HKEY_LOCAL_MACHINE, 32-bit view, read rights only
    Registry& user;      // HKEY_CURRENT_USER, read rights only
    FileSystem& files;
    FileVersions& versions;
    WineHost& wine;      // the Linux side, where Corvane runs under Wine
};

inline constexpr const char* kOriginKey = "SOFTWARE\\EA Games\\Command and Conquer Generals Zero Hour";
inline constexpr const char* kFirstDecadeKey =
    "SOFTWARE\\Electronic Arts\\EA Games\\Command and Conquer The First Decade";
inline constexpr const char* kSteamUserKey = "Software\\Valve\\Steam";
inline constexpr const char* kSteamMachineKey = "SOFTWARE\\Valve\\Steam";

// What each row's search found: where the folder came from, or, for a game
// not found, every place looked at and what it gave.
using GameFindings = std::array<std::string, 4>;

// Fills rows 0 and 1 with folder and version and copies them into their
// WorldBuilder rows. A folder found elsewhere than in the retail key ends in
// one backslash; its version is the place's "Version" value, else the one in
// the executable's version resource, else the last release the stores ship
// (Generals 1.08, Zero Hour 1.04).
GameFindings FindGames(GameSources& sources, GameTable& games);

// One line per row, after the titles got their versions, for Corvane.log.
std::vector<std::string> FindingLines(const GameTable& games, const GameFindings& findings);

}  // namespace corvane
