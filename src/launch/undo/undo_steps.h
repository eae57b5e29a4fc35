// The rule for each kind of change a launch notes in its journal, as the
// undo takes it back: a copy, a game item moved aside, a folder made. Each
// asks the disk and the journal's notes, never the order a folder is listed
// in; a step that cannot be done throws, and the undo decides what then.
// What is kept is named once it lies where it stays.
#pragma once

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "launch/undo/item_rule.h"
#include "launch/journal/journal_records.h"
#include "launch/undo/kept_items.h"
#include "launch/undo/placed_notes.h"
#include "launch/undo/undo.h"

namespace corvane {

// A copy whose bytes could not be compared with its source (the mod's
// drive gone, its folder moved): it stays as it is, and so does its record,
// for a start that can tell whether it changed.
struct CopyWaits : std::runtime_error {
    explicit CopyWaits(const std::string& szPath)
        : std::runtime_error("could not compare " + szPath + " with its source, which cannot be read now") {}
};

class UndoSteps {
public:
    UndoSteps(const std::vector<JournalRecord>& records, UndoServices& services);

    const PlacedNotes& Notes() const { return notes; }

    // A copy: deleted where it is as it was put there, whatever its
    // attributes (a mod from a read-only medium gives read-only copies: they
    // are the launch's by their notes), cleared where it is a folder, kept
    // where it changed, left alone where the game's item it was to replace
    // is not under its backup name. Throws CopyWaits where it cannot be told
    // now whether it changed.
    void Copy(const JournalRecord& copy, const std::string& szShown);
    // The same, with the item at the target and whether the backup is
    // there already looked up.
    void CopyFound(const JournalRecord& copy, const std::string& szShown, const std::optional<ItemInfo>& item,
                   bool bBackup);
    // The backup, known to be there, gets its name back, with its lines.
    void RestoreBackup(const JournalRecord& rename, const std::string& szShown);
    // The same, newest first: where something new has taken the name, the
    // player is told once which item waits under which name.
    void Rename(const JournalRecord& rename);
    // A folder the swap made goes once nothing is left in it but the
    // launch's unchanged copies.
    void CreatedFolder(const std::string& szFolder);
    // A file set aside for the launch, or by a Set Aside cut short, gets its
    // own name back; where something took that name meanwhile it stays set
    // aside, and the player is told. One never set aside, or back already,
    // is left as it is.
    void PutBack(const JournalRecord& setAside);

    // What an undo cut short had moved, kept, and maybe not named.
    void NameEarlierMoves(const std::vector<JournalRecord>& records);
    // Names what was kept since the last call, where it lies now.
    void NameKept();

private:
    void ClearFolder(const std::string& szPath, const std::string& szShown, const std::string& szBackup,
                     bool bLineIfGone = true);
    void KeepInPlace(const std::string& szPath, const std::string& szBackup, bool bFolder);
    void TellInTheWay(const std::string& szTarget, const std::string& szBackup);
    ItemFate FateAt(const std::string& szPath, const std::optional<ItemInfo>& item, bool bInsideOurs,
                    bool bBackupMissing = false);

    struct Filter;

    UndoServices& s;
    const PlacedNotes notes;
    KeptItems kept;
    std::vector<std::string> szPending;  // kept, to be named where they lie once their step is over
    std::set<std::string> szNamed;       // folded
};

}  // namespace corvane
