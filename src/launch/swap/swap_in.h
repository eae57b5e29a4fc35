// Bringing a mod into the game folder: for each entry the game's own item
// moved aside and the mod's copy put in its place. Every step is written to the launch's progress log, and
// noted in the launch journal before it changes the disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "launch/journal/launch_journal.h"
#include "launch/progress/launch_log.h"
#include "launch/targets/launch_rules.h"
#include "launch/checks/source_check.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

struct SwapServices {
    FileSystem& files;
    FileSystemObject& fso;
    LaunchJournal& journal;
    LaunchLog& log;
    CopyGuide* guide = nullptr;
};

// Swaps every entry in, one after the other, each change noted in the
// journal before it is made. The folders it creates are appended to
// szCreated in order of creation, each one stored in the last (empty) slot
// before a new empty slot is added. Failures are thrown and leave what was
// done so far in place, and in the journal. check: the source check that
// passed just before.
void SwapIn(const ModConfig& mod, const GameEntry& game, const SourceCheck& check, SwapServices& services,
            std::vector<std::string>& szCreated);

}  // namespace corvane
