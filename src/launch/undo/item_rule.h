// What the undo does with one item it finds where a launch put something:
// only the launch's own copies, as they were put there, are deleted;
// whatever the game or the player made or changed during play is kept.
#pragma once

#include <cstdint>
#include <vector>

#include "launch/journal/journal_records.h"

namespace corvane {

// A file against the source it was copied from, byte for byte. Of a file's
// several sources, the one that tells most counts: the later in this list.
enum class SourceMatch {
    kUnknown,     // not compared: no source known for it
    kDifferent,
    kUnreadable,  // the file or its source could not be read: no telling whether it changed
    kFirstPart,   // the file holds the source's first bytes, and no more: a copy cut short
    kSame,
};

struct ItemFacts {
    bool bThere = false;
    bool bFolder = false;
    // The journal notes that the launch put a folder at this very path, or
    // a file, with the stamp it was put there with (one per copy: a later
    // folder copy may have laid its file over an earlier one's).
    bool bFolderPut = false;
    std::vector<ItemStamp> notes;
    // Not noted, but inside a folder that is the launch's.
    bool bInsideOurs = false;
    uint64_t lSize = 0, lWriteTime = 0;
    // The game ran after the swap. Before it, a copy that differs from its
    // note may have been cut short by a crash.
    bool bPlayed = false;
    SourceMatch source = SourceMatch::kUnknown;
    // The journal was written before each file placed was noted: its
    // copies are undone whole, as they were then.
    bool bOldFormat = false;
    // The copy was to take the place of the game's item, which does not lie
    // under its backup name: the copy was never made, and what is there is
    // the game's.
    bool bBackupMissing = false;
};

enum class ItemFate {
    kNothing,      // nothing there, or nothing of the launch's: left alone
    kDelete,       // the launch's unchanged copy
    kClearInside,  // the launch's folder: each item in it by this rule; it goes once nothing is left
    kKeep,         // made or changed during play: kept and named
    kWait,         // no telling whether it changed: left as it is, for a start that can tell
};

ItemFate FateOf(const ItemFacts& item);

// The decision waits for the file to be compared with its source: a file
// of the launch's whose size matches a note but not its last write (times
// that read back off, on FAT or a share), or that differs before the game
// ever ran. Only a comparison that ran and differed makes it the player's.
bool NeedsSource(const ItemFacts& item);

}  // namespace corvane
