// The launch journal's records: each change a launch is about to make to
// the game folder, written and flushed before the change is made, so that a
// launch cut short can be undone by what it wrote. Each record is framed by
// its length and a checksum; a record torn by a crash, and everything after
// it, is not read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/process.h"

namespace corvane {

enum class JournalStep : uint8_t {
    kBegin = 1,         // szPath: the game folder; szOther: what was launched
    kRename = 2,        // szPath: a target, about to be moved to szOther, its backup
    kCreateFolder = 3,  // szPath: a folder about to be created
    kCopy = 4,          // szPath: a target, about to receive a copy of szOther
    kGameStarted = 5,   // process: a process of the game, started or found running
    kEnd = 6,           // the launch is over; nothing is left to undo
};

struct JournalRecord {
    JournalStep step = JournalStep::kBegin;
    std::string szPath;
    std::string szOther;
    // kCopy: where the game's own item at the target was moved to, "" when
    // nothing was moved.
    std::string szBackup;
    // kRename: the backup name was already taken, so nothing is renamed.
    // kCreateFolder, kCopy: an item (maybe hidden) was already at szPath.
    bool bWasThere = false;
    ProcessId process;

    bool operator==(const JournalRecord&) const = default;
};

std::string EncodeRecord(const JournalRecord& record);

// The records up to the first one that is incomplete or damaged.
std::vector<JournalRecord> DecodeJournal(const std::string& szBytes);

}  // namespace corvane
