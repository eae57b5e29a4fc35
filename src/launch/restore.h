// Giving the game folder back after the game: the folders the swap created
// go (innermost first), each swapped-in copy goes, and each of the game's
// own items gets its name back. A step that fails is passed over and the
// restore goes on with the next, so one stuck file never keeps the rest of
// the game folder modded.
#pragma once

#include <string>
#include <vector>

#include "launch/launch_log.h"
#include "state/mod_config.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/problem_log.h"
#include "state/game_table.h"

namespace corvane {

struct RestoreServices {
    FileSystem& files;
    FileSystemObject& fso;
    LaunchLog& log;
    ProblemLog& problems;
};

// mod and game are the ones the swap worked with; szCreated is what the swap
// recorded. Never throws for a failing file operation; false when a step
// failed and was passed over.
bool Restore(const ModConfig& mod, const GameEntry& game, const std::vector<std::string>& szCreated,
             RestoreServices& services);

}  // namespace corvane
