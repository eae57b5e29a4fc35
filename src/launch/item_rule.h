// What the undo does with one item it finds where a launch put something:
// only the launch's own copies, as they were put there, are deleted;
// whatever the game or the player made or changed during play is kept.
#pragma once

#include <vector>

#include "launch/journal_records.h"

namespace corvane {

struct ItemFacts {
    bool bThere = false;
    bool bFolder = false;
    // The launch put this very item here (a copy, a file of a copied
    // folder, a folder it created); notes: the stamps a file was put with.
    bool bOurs = false;
    std::vector<ItemStamp> notes;
    // Not the launch's own, but inside a folder that is.
    bool bInsideOurs = false;
    uint64_t lSize = 0, lWriteTime = 0;
    // The game ran after the swap. Before it, a copy that differs from its
    // note was cut short by a crash and is the launch's all the same.
    bool bPlayed = false;
};

enum class ItemFate {
    kNothing,      // nothing there, or nothing of the launch's: left alone
    kDelete,       // the launch's unchanged copy
    kClearInside,  // the launch's folder: each item in it by this rule; it goes once nothing is left
    kKeep,         // made or changed during play: kept and named
};

ItemFate FateOf(const ItemFacts& item);

// The file has the size and last write of one of its notes (FAT keeps a
// last write only to two seconds).
bool MatchesANote(const ItemFacts& item);

}  // namespace corvane
