// A mod laid over the game's folders where a launch would place it, by the
// launch's own checks and target rules: each entry's target, whatever was
// there, and all below it, gives way to the entry's file, or to every file
// of the entry's folder, one by one. An archive the launch would link is
// placed as one it copies: the same bytes.
#pragma once

#include <stdexcept>
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

// Throws FingerprintRefused, with the lines the launch would log, for a mod
// the launch would refuse. An entry whose target lies outside the game's
// folders is noted in the view: the game does not look there.
void LayModOver(GameView& view, const ModConfig& mod, const GameEntry& game, const std::vector<CheckedFolder>& folders,
                FileSystem& files);

}  // namespace corvane
