// A mod configuration file is text that players pass around, and its
// destinations may name any folder: the Windows folder, the Startup folder
// whose programs run at every log-on. A launch writes outside the game's
// folders only once the player has agreed, every time.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/targets/game_folders.h"
#include "launch/targets/launch_rules.h"

namespace corvane {

// The destination folders of the targets that lie outside every game's
// folder, as full paths, each once (letter case aside), in entry order.
std::vector<std::string> OutsideFolders(const std::vector<std::optional<Target>>& targets, GameFolders& gameFolders);

// The question put to the player before such a launch: the folders, at
// most ten of them named, and whether to go on.
std::string OutsideQuestion(const std::vector<std::string>& szFolders);

}  // namespace corvane
