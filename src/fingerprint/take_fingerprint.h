// A fingerprint of what a game would load if the player started it now
// with a mod (or none): the game's folders as they are, the mod laid over
// them where a launch would place it, every file hashed or taken from the
// hash cache beside Corvane.exe. Nothing is moved, and no launch of those
// folders may start while it is taken.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fingerprint/file_hashes.h"
#include "fingerprint/manifest.h"
#include "fingerprint/mod_overlay.h"
#include "platform/platform.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

struct FingerprintRequest {
    const GameTable& games;
    int16_t dGame = 0;
    const ModConfig* mod = nullptr;  // none: the game alone
    // Every mod listed: their own files are no part of the game's folders,
    // wherever they lie.
    const std::vector<ModConfig>& mods;
    std::string szAppPath;  // the program folder: its journal, its hash cache
};

struct Fingerprint {
    Manifest manifest;
    std::string szCode;
    std::vector<std::string> szNotes;  // for the player, beside the code
};

// Refused with FingerprintRefused, saying why, while a launch of the game's
// folders runs or one cut short is not undone yet (the folders are not as
// they will be), or when a launch would refuse the mod. progress counts the
// bytes read; a stop asked for there is thrown as HashingStopped. Failures
// of the disk are thrown.
Fingerprint TakeFingerprint(const Platform& platform, const FingerprintRequest& request, HashProgress& progress);

}  // namespace corvane
