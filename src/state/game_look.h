// What the search for one game carries from place to place: the services it
// reads, the game's executable, and a note for every place that did not
// count, which Corvane.log gets when the game is found nowhere.
#pragma once

#include <optional>
#include <string>

#include "state/game_search.h"

namespace corvane {

// A folder a place names, the version it records, if any, and how the log
// names the place.
struct Spot {
    std::string szFolder;
    std::optional<GameVersion> version;
    std::string szWhere;
    std::string szCaveat;  // what the player should know about a game found there, if anything
};

// szFolder & "\" & szName, with one backslash between them.
std::string Joined(const std::string& szFolder, const std::string& szName);
// The folder with backslashes only, ending in exactly one.
std::string WithOneBackslash(std::string szFolder);

class Look {
public:
    Look(GameSources& sources, const std::string& szExe) : sources(sources), szExe(szExe) {}

    // The text value of a key, "" (and a note saying why) when it cannot be
    // read; also the key's "Version" where version is given.
    std::string ReadText(Registry& registry, const std::string& szRoot, const std::string& szKey,
                         const std::string& szValue, std::optional<GameVersion>* version = nullptr);
    // The spot, with its folder ending in one backslash, when the game's
    // executable is in that folder.
    std::optional<Spot> Holding(Spot spot);
    // The bytes of a small file; nothing when it cannot be read or is far
    // larger than any Steam file.
    std::optional<std::string> ReadFile(const std::string& szPath);
    void Note(const std::string& szWhere, const std::string& szWhat);

    GameSources& sources;
    const std::string& szExe;
    std::string szNotes;
};

}  // namespace corvane
