// Undoing a launch's changes to the game folder from its journal: the one
// way back, after the game has ended, when it could not start, when a swap
// failed, and at the next start after a launch was cut short.
//
// Each kind of change has one rule, taken newest first so that each finds
// the disk as it was right after it was made: a copy is deleted only where
// it is as it was put there (its size and last write, or its bytes against
// its source; a copy cut short by a crash before the game ran, too), a
// folder the launch made goes once nothing is left in it but such copies,
// and a game item moved aside gets its name back. What the game or the
// player made or changed is kept and named; where it lies in a copy that
// stood in for the game's own item, it moves into that item, or beside it
// under a ".changed" name. A copy whose bytes cannot be compared with its
// source now is neither: it waits, as it is, for a start that can tell. The
// rules decide from the journal and the disk alone, never from the order a
// folder is listed in. A swap whose entries share no path is first undone
// in the order the restore after a game has always gone, with its lines.
// What cannot be put back now is kept in the journal for the next start,
// and the log names where it lies, after the lines of its step.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/journal/journal_records.h"
#include "launch/journal/launch_journal.h"
#include "launch/progress/launch_log.h"
#include "launch/targets/launch_rules.h"
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
