// Undoing a launch's changes to the game folder from its journal: the one
// way back, after the game has ended, when it could not start, when a swap
// failed, and at the next start after a launch was cut short.
//
// Nothing is deleted or renamed back unless the journal shows it to be this
// launch's own copy or this launch's own backup, still in place: a copied
// file still has its source's size and last write (or, after a crash in the
// middle of its copy, holds the first bytes of its source); a copied or
// created folder is still a folder; a backup is still where the rename put
// it. Deleting an item settles every record inside it. What cannot be read
// or put back now is named in the log and kept for the next start.
#pragma once

#include <string>
#include <vector>

#include "launch/journal_records.h"
#include "launch/launch_log.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/problem_log.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

struct UndoServices {
    FileSystem& files;
    FileSystemObject& fso;
    LaunchLog& log;
    ProblemLog& problems;
};

// A swap that went through, as the restore after the game walks it: the
// folders it created, then each entry of the mod in order.
struct FinishedSwap {
    const ModConfig& mod;
    const GameEntry& game;
    const std::vector<std::string>& szCreated;
};

struct UndoResult {
    // The change records left for the next start: they could not be put
    // back now, or the restore leaves them as they are on purpose.
    std::vector<JournalRecord> kept;
    bool Clean() const { return kept.empty(); }
};

// Logs "Cleanup, restoring original files and folders." and undoes the
// records. With a finished swap, its steps come first, in its order and
// with its lines; what they leave is then undone newest first. Never throws
// for a failing file operation.
UndoResult UndoLaunch(const std::vector<JournalRecord>& records, const FinishedSwap* swap, UndoServices& services);

}  // namespace corvane
