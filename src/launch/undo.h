// Undoing a launch's changes to the game folder from its journal: the one
// way back, after the game has ended, when it could not start, when a swap
// failed, and at the next start after a launch was cut short.
//
// Only the launch's own unchanged copies are deleted, as its journal notes
// them: each file it put in place, those in copied folders too, with the
// size and last write it was put there with (before the game ran, a copy
// that differs was cut short by a crash). What the game or the player made
// or changed is kept and named; where it lies in a copy that stood in for
// the game's own item, it moves into that item, or beside it under a
// ".changed" name, and the game's item gets its name back. A folder goes
// once nothing is left in it. What cannot be read or put back now is kept
// in the journal for the next start: the undo newest first names it in the
// log, while the swap's own steps pass over a failure without a line, as
// the restore after a game always has.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/journal_records.h"
#include "launch/launch_journal.h"
#include "launch/launch_log.h"
#include "launch/launch_rules.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/problem_log.h"

namespace corvane {

struct UndoServices {
    FileSystem& files;
    FileSystemObject& fso;
    LaunchLog& log;
    ProblemLog& problems;
    LaunchJournal& journal;  // the moves of what is kept are noted there
};

// A swap that went through, as the restore after the game walks it: the
// folders it created, then each entry's target in order.
struct FinishedSwap {
    const std::vector<std::optional<Target>>& targets;
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
