// Bringing a mod into the game folder: the check that every source is there,
// then for each entry the game's own item moved aside and the mod's copy put
// in its place. Every step is written to the launch's progress log.
#pragma once

#include <string>
#include <vector>

#include "launch/launch_view.h"
#include "modconfig/mod_config.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "startup/game_table.h"

namespace corvane {

// Logs each source as it is checked, with an error line right after each one
// that is missing; false when any is missing. Every source is checked, so the
// player sees all the faults of a configuration at once.
bool CheckSources(const ModConfig& mod, FileSystem& files, LaunchView& view);

// Swaps every entry in, one after the other. The folders it creates are
// appended to szCreated in order of creation, each one stored in the last
// (empty) slot before a new empty slot is added. Failures are thrown and
// leave what was done so far in place.
void SwapIn(const ModConfig& mod, const GameEntry& game, FileSystem& files, FileSystemObject& fso,
            LaunchView& view, std::vector<std::string>& szCreated);

}  // namespace corvane
