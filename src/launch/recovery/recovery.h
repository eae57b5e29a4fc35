// A launch whose journal tells of changes not yet undone: one that was cut
// short (Corvane or the computer stopped in the middle of it), or one whose
// restore could not put everything back. Its changes are undone exactly as
// the journal shows them, newest first, and nothing else; running it again,
// or after it was itself cut short, does no harm.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "launch/journal/journal_records.h"
#include "launch/progress/launch_log.h"
#include "launch/undo/undo.h"
#include "platform/journal_store.h"
#include "platform/process.h"

namespace corvane {

struct UnfinishedLaunch {
    std::string szGameFolder;
    std::vector<JournalRecord> records;
    uint64_t lWholeBytes = 0;  // of the journal, the bytes its records take

    // The locks the launch held, so that recovering it keeps others off the
    // same folders.
    std::vector<std::string> LockNames() const;
};

// The launch the journal tells of, when it changed the game folder and did
// not reach its end. A journal that tells of nothing to undo is removed; one
// that cannot be read is thrown and left as it is.
std::optional<UnfinishedLaunch> FindUnfinishedLaunch(JournalStore& journal);

// Removes the journal of a launch with nothing left to undo.
void EndJournal(JournalStore& journal, ProblemLog& problems);

// Keeps in the journal what is left of a launch, with what the next start
// needs to know of it (its game folder, its locks, its game), or removes the
// journal when nothing is left. Failures are noted and passed over.
void KeepInJournal(const std::vector<JournalRecord>& records, const UndoResult& result, JournalStore& journal,
                   ProblemLog& problems);

struct RecoveryServices {
    FileSystem& files;
    FileSystemObject& fso;
    LaunchLog& log;
    ProblemLog& problems;
    ProcessStarter& processes;
    JournalStore& journal;
};

enum class Recovery { kDone, kLeftSome, kStopped };

// Waits for the launch's game when it still runs (a process it recorded,
// or any program from the game folder) until it ends or bStop is set,
// undoes the launch and logs each step as the restore after a game does,
// then "END". kLeftSome: something could not be put back now; kStopped: the
// wait was given up and nothing was touched.
Recovery RecoverLaunch(const UnfinishedLaunch& launch, RecoveryServices& services, const std::atomic<bool>& bStop);

}  // namespace corvane
