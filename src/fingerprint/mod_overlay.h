// A mod laid over the game's folders where a launch would place it, by the
// launch's own checks and target rules: each entry's target, whatever was
// there, and all below it, gives way to the entry's file, or to every file
// of the entry's folder, one by one. An archive the launch would link is
// placed as one it copies: the same bytes.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "fingerprint/game_view.h"
#include "platform/file_system.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

// A fingerprint that cannot be taken now, with what the player is told.
class FingerprintRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the mod puts where: the names whose files (and all below them) give
// way, in the order of the entries, and the mod's files laid there, with
// its program where it puts one in the game's place. An entry whose target
// lies outside the game's folders is noted: the game does not look there.
struct ModLayer {
    std::vector<std::string> szCleared;
    GameView placed;
};

// Throws FingerprintRefused, with the lines the launch would log, for a mod
// the launch would refuse. Apart from the game's folders as they are, so
// that the two are read at the same time.
ModLayer LayerOf(const ModConfig& mod, const GameEntry& game, const std::vector<CheckedFolder>& folders,
                 FileSystem& files);
void LayModOver(GameView& view, ModLayer layer);

}  // namespace corvane
