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
    kLock = 7,          // szPath: the name of a lock the launch holds on a folder it writes
    kGameStarting = 8,  // szPath: the game folder; the game is about to be started
    kPlace = 9,         // szPath: an item a folder copy is about to put in place, with its stamp
    kMove = 10,         // szPath: something kept after a game, about to be moved to szOther
    kSetAside = 11,     // szPath: a file, about to be renamed to (or back from) szOther, its name set aside
};

// How a journal was written, and so by which rule its copies are undone:
// 1, before each file placed was noted (its records end after szBackup);
// 2, with the notes but without this mark; 3, with both.
inline constexpr uint16_t kJournalFormat = 3;

// What a file looked like when the launch noted it: a copy has its source's
// size and last write (a file in a copied folder too), and so does the
// game's own file under its backup name. Folders have none.
struct ItemStamp {
    bool bKnown = false;
    uint64_t lSize = 0;
    uint64_t lWriteTime = 0;

    bool operator==(const ItemStamp&) const = default;
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
    // kCopy: the copy as it will be; kRename: the game's own file moved aside.
    ItemStamp stamp;
    int16_t dEntry = -1;  // kRename, kCreateFolder, kCopy, kPlace: the mod's entry
    uint16_t dFormat = kJournalFormat;

    bool operator==(const JournalRecord&) const = default;
};

// A record of a step about a path (and the path it goes to or comes from).
JournalRecord RecordOf(JournalStep step, std::string szPath = {}, std::string szOther = {});
// A process of the game, started or found running, with its executable's
// file name in szPath.
JournalRecord GameRecord(const ProcessId& process);

// Appends the record, framed, to szOut.
void AppendRecord(std::string& szOut, const JournalRecord& record);
std::string EncodeRecord(const JournalRecord& record);

// The records up to the first one that is incomplete or damaged; lWhole,
// when given, receives how many bytes they take.
std::vector<JournalRecord> DecodeJournal(const std::string& szBytes, size_t* lWhole = nullptr);

}  // namespace corvane
