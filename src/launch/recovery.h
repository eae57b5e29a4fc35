// Undoing a launch that was cut short (Corvane or the computer stopped in the
// middle of it) from what its journal recorded: exactly the changes the
// journal shows the launch made, newest first, and nothing else. Running it
// again, or after it was itself cut short, does no harm.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/journal_records.h"
#include "launch/launch_log.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/journal_store.h"
#include "platform/problem_log.h"
#include "platform/process.h"

namespace corvane {

struct UnfinishedLaunch {
    std::string szGameFolder;
    std::vector<JournalRecord> records;
};

// The launch the journal tells of, when it changed the game folder and did
// not reach its end. A journal that tells of nothing to undo is removed.
std::optional<UnfinishedLaunch> FindUnfinishedLaunch(JournalStore& journal);

struct RecoveryServices {
    FileSystem& files;
    FileSystemObject& fso;
    ProcessStarter& processes;
    JournalStore& journal;
    LaunchLog& log;
    ProblemLog& problems;
};

// Waits for the launch's game when it still runs, undoes the launch and
// logs each step as the restore after a game does, then "END". What cannot
// be undone now (a file in use, access denied) is named in the log and kept
// in the journal for the next start; with nothing left the journal goes.
void RecoverLaunch(const UnfinishedLaunch& launch, RecoveryServices& services);

}  // namespace corvane
