// Bringing a mod into the game folder: the check that every source is there,
// then for each entry the game's own item moved aside and the mod's copy put
// in its place. Every step is written to the launch's progress log, and
// noted in the launch journal before it changes the disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "launch/launch_log.h"
#include "state/mod_config.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/journal_store.h"
#include "state/game_table.h"

namespace corvane {

struct SourceCheck {
    bool bAllThere = true;
    uint64_t lBytes = 0;  // what the copies of the swap will write
};

// Logs each source as it is checked, with an error line right after each one
// that is missing. Every source is checked, so the player sees all the
// faults of a configuration at once.
SourceCheck CheckSources(const ModConfig& mod, FileSystem& files, FileSystemObject& fso, LaunchLog& log);

struct SwapServices {
    FileSystem& files;
    FileSystemObject& fso;
    JournalStore& journal;
    LaunchLog& log;
    CopyProgress* progress = nullptr;
};

// Swaps every entry in, one after the other. The folders it creates are
// appended to szCreated in order of creation, each one stored in the last
// (empty) slot before a new empty slot is added. Failures are thrown and
// leave what was done so far in place, and in the journal.
void SwapIn(const ModConfig& mod, const GameEntry& game, SwapServices& services,
            std::vector<std::string>& szCreated);

}  // namespace corvane
