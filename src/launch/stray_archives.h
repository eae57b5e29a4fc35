// Before a mod is swapped in: what else the game would load with it. The
// stray archives in the folders the game loads (not those at or below the
// mod's own targets, which the swap puts in place) are offered to be set
// aside while it plays; loose files are only named in Corvane.log, since a
// mod is often unpacked into the game folder on purpose.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "launch/launch_rules.h"
#include "platform/file_system.h"
#include "platform/problem_log.h"
#include "state/game_table.h"

namespace corvane {

// The full paths of the stray archives GameTable row dGame would load with
// a mod of these targets. A folder that cannot be read is noted in
// Corvane.log and gives none: the launch goes on as before.
std::vector<std::string> StrayArchivesFor(const GameTable& games, int16_t dGame,
                                          const std::vector<std::optional<Target>>& targets, FileSystem& files,
                                          ProblemLog& problems);

// The question before such a launch, naming at most ten of them.
std::string StrayQuestion(const std::vector<std::string>& szArchives);

}  // namespace corvane
