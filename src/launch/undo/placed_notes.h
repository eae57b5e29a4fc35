// What the journal says a launch put where: every folder it created or
// copied and every file it placed, by the path it was put at, with the
// stamp and the source of each file. Read once from the journal and never
// changed: the undo puts paths back as they were before it asks.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "launch/undo/item_rule.h"
#include "launch/journal/journal_records.h"
#include "platform/file_system.h"

namespace corvane {

class PlacedNotes {
public:
    explicit PlacedNotes(const std::vector<JournalRecord>& records);

    // The facts of the item found at the path (nothing found: none), as the
    // journal notes them; bInsideOurs as the caller knows it.
    ItemFacts FactsOf(const std::string& szPath, const std::optional<ItemInfo>& item, bool bInsideOurs) const;
    // The file at the path against the sources of its notes whose size it
    // has (before the game ran, against every one): what the most telling
    // of them says.
    SourceMatch CompareWithSources(FileSystem& files, const std::string& szPath, const ItemFacts& facts) const;

    bool OldFormat() const { return bOldFormat; }

private:
    struct Placed {
        ItemStamp stamp;
        std::string szSource;
    };
    struct Note {
        bool bFolder = false;
        std::vector<Placed> files;
    };
    const Note* Find(const std::string& szPath) const;

    std::map<std::string, Note> notes;  // by folded path
    bool bOldFormat = false;
    bool bPlayed = false;
};

// The file against its source, read side by side.
SourceMatch CompareWithSource(FileSystem& files, const std::string& szFile, const std::string& szSource);

}  // namespace corvane
