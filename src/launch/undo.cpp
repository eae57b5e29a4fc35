#include "launch/undo.h"

#include <exception>
#include <map>
#include <set>
#include <stdexcept>

#include "launch/item_rule.h"
#include "launch/kept_items.h"
#include "launch/launch_rules.h"
#include "launch/pass_over_failure.h"
#include "launch/path_index.h"
#include "launch/placed_notes.h"

namespace corvane {

namespace {

constexpr const char* kTryAgain = "ERROR: This could not be put back now; Corvane tries again at its next start:";
constexpr const char* kKeptLine = "Kept what was made or changed during play:";

// A change the undo takes back: what a rename moved aside, a folder made,
// a copy put in place (or merged into one of the launch's own folders).
bool IsStep(const JournalRecord& record) {
    switch (record.step) {
    case JournalStep::kRename:
    case JournalStep::kCreateFolder:
        return !record.bWasThere;
    case JournalStep::kCopy:
        return true;
    default:
        return false;
    }
}

// kWaiting: the game's own item keeps its backup name until the next
// start, as the restore after a game has always left it when the copy
// went during play.
enum class State { kOpen, kDone, kTryAgain, kWaiting };

class Undoer {
public:
    Undoer(const std::vector<JournalRecord>& records, UndoServices& services)
        : records(records), s(services), notes(records), kept(s.files, s.fso, s.journal), states(records.size()) {
        for (size_t i = 0; i < records.size(); ++i) {
            states[i] = IsStep(records[i]) ? State::kOpen : State::kDone;
            if (IsStep(records[i])) paths.Add(records[i].szPath, static_cast<int>(i));
        }
    }

    UndoResult Run(const FinishedSwap* swap) {
        s.log.Line("Cleanup, restoring original files and folders.");
        NameEarlierMoves();
        if (swap && IsSimple(*swap)) DesignOrder(*swap);
        NewestFirst();
        return Left();
    }

private:
    // The steps left for the next start, with the notes of what their
    // copies placed: without them, the files would pass for the player's.
    UndoResult Left() const {
        PathIndex<int> left;
        for (size_t i = 0; i < records.size(); ++i)
            if (states[i] == State::kTryAgain || states[i] == State::kWaiting) left.Add(records[i].szPath, 0);
        UndoResult result;
        for (size_t i = 0; i < records.size(); ++i) {
            const bool bNote = records[i].step == JournalStep::kPlace && left.AtOrAbove(records[i].szPath);
            if (bNote || states[i] == State::kTryAgain || states[i] == State::kWaiting) result.kept.push_back(records[i]);
        }
        return result;
    }

    // What an undo cut short had moved, kept, and maybe not named.
    void NameEarlierMoves() {
        for (const JournalRecord& record : records)
            if (record.step == JournalStep::kMove)
                PassOverFailure(s.problems, [&] {
                    if (s.files.Look(record.szOther)) szPending.push_back(record.szOther);
                });
    }

    // Entries that share no path, and no game item renamed inside a folder
    // the swap made: each can be undone on its own, in the order the
    // restore after a game has always gone, with its lines.
    bool IsSimple(const FinishedSwap& swap) const {
        if (notes.OldFormat()) return false;
        PathIndex<int> taken, created;
        for (const std::string& szFolder : swap.szCreated)
            if (!szFolder.empty()) created.Add(szFolder, 0);
        for (const JournalRecord& record : records) {
            const bool bRename = record.step == JournalStep::kRename && !record.bWasThere;
            if (bRename && created.AtOrAbove(record.szPath)) return false;
            // Each entry's target, and the backup of the game's item there.
            const std::string* szPath = bRename ? &record.szOther
                                        : record.step == JournalStep::kCopy ? &record.szPath : nullptr;
            if (!szPath) continue;
            if (taken.Near(*szPath)) return false;
            taken.Add(*szPath, 0);
        }
        return true;
    }

    // The created folders from the last to the first, then each entry in
    // order: a folder with everything of the launch's inside it, a target
    // and its backup. A step that fails is passed over without a line, and
    // what it was about stays for the next start.
    void DesignOrder(const FinishedSwap& swap) {
        lTotal = swap.szCreated.size() + swap.targets.size();
        std::map<int16_t, int> copyOf, renameOf;
        for (size_t i = 0; i < records.size(); ++i) {
            if (records[i].step == JournalStep::kCopy) copyOf[records[i].dEntry] = static_cast<int>(i);
            if (records[i].step == JournalStep::kRename && !records[i].bWasThere)
                renameOf[records[i].dEntry] = static_cast<int>(i);
        }
        for (auto it = swap.szCreated.rbegin(); it != swap.szCreated.rend(); ++it) {
            if (!it->empty()) CreatedFolderStep(*it);
            EndStep();
        }
        for (size_t i = 0; i < swap.targets.size(); ++i) {
            const auto copy = copyOf.find(static_cast<int16_t>(i));
            if (swap.targets[i] && copy != copyOf.end()) {
                const auto rename = renameOf.find(static_cast<int16_t>(i));
                EntryStep(*swap.targets[i], copy->second, rename == renameOf.end() ? -1 : rename->second);
            }
            EndStep();
        }
    }

    void CreatedFolderStep(const std::string& szFolder) {
        const bool bDone = PassOverFailure(s.problems, [&] {
            if (s.files.Look(szFolder)) ClearFolder(szFolder, szFolder, "");
        });
        for (int i : paths.ValuesAtOrBelow(szFolder)) bDone ? Done(i) : TryAgain(i);
        if (!bDone) TryAgainAt(szFolder);
    }

    // Nothing of the target's name left: the copy went while the game ran,
    // and the game's own item keeps its backup name until the next start.
    // Where the target is still there, the game's item is given its name
    // back even when the copy could not go, as the restore always did.
    void EntryStep(const Target& target, int lCopy, int lRename) {
        if (states[lCopy] != State::kOpen && (lRename < 0 || states[lRename] != State::kOpen)) return;
        std::optional<ItemInfo> item;
        if (!PassOverFailure(s.problems, [&] { item = s.files.Look(target.szPath); })) return TryAgainAt(target.szPath);
        if (!item) {
            Done(lCopy);
            if (lRename >= 0)
                PassOverFailure(s.problems, [&] {
                    states[lRename] = s.files.Look(records[lRename].szOther) ? State::kWaiting : State::kDone;
                });
            return;
        }
        if (!PassOverFailure(s.problems, [&] { UndoCopy(lCopy, target.szShown, false); })) TryAgainAt(target.szPath);
        if (lRename >= 0 && states[lRename] != State::kDone)
            if (!PassOverFailure(s.problems, [&] { RestoreBackup(lRename, target.szShown); })) TryAgain(lRename);
    }

    // What is left, newest first: each change finds the disk as it was right
    // after it was made.
    void NewestFirst() {
        uint64_t lLeft = 0;
        for (const State state : states) lLeft += state == State::kOpen;
        lTotal = lDone + lLeft;
        for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i) {
            if (states[i] != State::kOpen) continue;
            if (NearTryAgain(i)) {
                TryAgain(i);
            } else {
                try {
                    UndoStep(i);
                } catch (const std::exception& e) {
                    s.problems.Note("Could not undo a change of an unfinished launch: " + std::string(e.what()));
                    s.log.Line(kTryAgain);
                    s.log.Line(WhereItLies(i));
                    TryAgain(i);
                }
            }
            // A copy's kept items are named once its backup has its name back.
            if (!WaitsForItsRename(i)) NameKept();
            s.log.Progress(++lDone, lTotal);
        }
        NameKept();
    }

    void UndoStep(int i) {
        switch (records[i].step) {
        case JournalStep::kCopy:
            return UndoCopy(i, records[i].szPath, true);
        case JournalStep::kRename:
            return UndoRename(i);
        default:
            return UndoCreateFolder(i);
        }
    }

    // The copy at the target: deleted unchanged, cleared (a folder), kept
    // (in the game's item's way, beside it as ".changed"). A copy meant to
    // take the place of the game's item was only made once that item lay
    // under its backup name: without the backup, what is there is the
    // game's (its name given back, or never taken).
    void UndoCopy(int i, const std::string& szShown, bool bForce) {
        const JournalRecord& copy = records[i];
        const std::string& szTarget = copy.szPath;
        if (!copy.szBackup.empty() && !s.files.Look(copy.szBackup)) return Done(i);
        const std::optional<ItemInfo> item = s.files.Look(szTarget);
        if (copy.bWasThere) {  // merged into one of the launch's own folders, which goes with its own copy
            if (item && item->IsFolder()) ClearFolder(szTarget, szShown, "", false);
            return Done(i);
        }
        switch (FateAt(szTarget, item, false)) {
        case ItemFate::kNothing:
            break;
        case ItemFate::kDelete:
            s.log.Line("Deleting swapped file:");
            s.log.Line(szShown);
            s.fso.DeleteFile(szTarget, bForce);
            break;
        case ItemFate::kKeep:
            KeepInPlace(szTarget, copy.szBackup, item->IsFolder());
            break;
        case ItemFate::kClearInside:
            ClearFolder(szTarget, szShown, copy.szBackup);
            break;
        }
        Done(i);
    }

    // The game's own item, or one of the launch's moved aside, gets its
    // name back; where something new has taken that name, the player is
    // told once which item waits under which name.
    void UndoRename(int i) {
        const std::string &szTarget = records[i].szPath, &szBackup = records[i].szOther;
        if (!s.files.Look(szBackup)) return Done(i);  // given back already, or gone
        if (s.files.Look(szTarget)) {
            TellInTheWay(szTarget, szBackup);
            return Done(i);
        }
        RestoreBackup(i, szTarget);
        s.problems.Note("Gave an item its name back: " + szTarget);
    }

    void RestoreBackup(int i, const std::string& szShown) {
        const std::string &szTarget = records[i].szPath, &szBackup = records[i].szOther;
        if (!s.files.Look(szBackup)) return Done(i);
        s.log.Line("Restoring original folder:");
        s.log.Line(szShown);
        s.files.Rename(szBackup, szTarget);
        Done(i);
        // What was kept in the item moved with it.
        for (std::string& szKept : szPending)
            if (IsAtOrBelow(szKept, szBackup)) szKept = szTarget + szKept.substr(szBackup.size());
    }

    // A folder the swap made goes once nothing is left in it but the
    // launch's unchanged copies.
    void UndoCreateFolder(int i) {
        const std::optional<ItemInfo> item = s.files.Look(records[i].szPath);
        if (item && item->IsFolder()) ClearFolder(records[i].szPath, records[i].szPath, "");
        Done(i);
    }

    void TellInTheWay(const std::string& szTarget, const std::string& szBackup) {
        const std::string szText = "Something new now has the name of an item of the game, which waits under another "
                                   "name. Move the new item away, then rename " + szBackup + " to " + szTarget + ".";
        s.log.Line(szText);
        s.problems.Note(szText);
    }

    // One pass deletes what is the launch's and unchanged; when something
    // is kept and the folder stood in for the game's own, the kept items
    // move into it and the emptied copy goes. The line is written once it
    // is known that the folder goes (or was about to, when a delete fails).
    void ClearFolder(const std::string& szPath, const std::string& szShown, const std::string& szBackup,
                     bool bLineIfGone = true) {
        Filter filter(*this);
        bool bGone = false;
        try {
            bGone = s.fso.DeleteFolder(szPath, &filter);
            if (!bGone && !szBackup.empty()) {
                std::vector<std::string> szMoved;
                for (const std::string& szKept : filter.szKept)
                    kept.MoveInto(szKept, szBackup + szKept.substr(szPath.size()), szMoved);
                filter.szKept = std::move(szMoved);
                // Only the launch's emptied folders are left: the game's item cannot have its name back
                // before they go.
                if (!s.fso.DeleteFolder(szPath, &filter)) throw std::runtime_error("could not empty " + szPath);
                bGone = true;
            }
        } catch (...) {
            if (filter.szKept.empty() && bLineIfGone) LogDeletingFolder(szShown);
            throw;
        }
        if (bGone && bLineIfGone) LogDeletingFolder(szShown);
        szPending.insert(szPending.end(), filter.szKept.begin(), filter.szKept.end());
    }

    void LogDeletingFolder(const std::string& szShown) {
        s.log.Line("Deleting swapped folder:");
        s.log.Line(szShown);
    }

    // A changed copy that stood in for the game's own item makes way for it.
    void KeepInPlace(const std::string& szPath, const std::string& szBackup, bool bFolder) {
        std::string szNow = szPath;
        if (!szBackup.empty()) {
            szNow = kept.ChangedName(szPath, bFolder ? "" : szPath);
            kept.Move(szPath, szNow);
        }
        szPending.push_back(szNow);
    }

    ItemFate FateAt(const std::string& szPath, const std::optional<ItemInfo>& item, bool bInsideOurs) {
        ItemFacts facts = notes.FactsOf(szPath, item, bInsideOurs);
        if (NeedsSource(facts)) facts.source = notes.CompareWithSources(s.files, szPath, facts);
        return FateOf(facts);
    }

    // Asked by a folder's delete of each item in it.
    struct Filter : DeleteFilter {
        explicit Filter(Undoer& undoer) : undoer(undoer) {}
        bool Keep(const std::string& szPath, const ItemInfo& item) override {
            const ItemFate fate = undoer.FateAt(szPath, item, true);
            if (fate == ItemFate::kDelete || fate == ItemFate::kClearInside) return false;
            szKept.push_back(szPath);
            return true;
        }
        Undoer& undoer;
        std::vector<std::string> szKept;
    };

    void NameKept() {
        for (const std::string& szPath : szPending) {
            if (!szNamed.insert(FoldPath(szPath)).second) continue;
            s.problems.Note(std::string(kKeptLine) + " " + szPath);
            s.log.Line(kKeptLine);
            s.log.Line(szPath);
        }
        szPending.clear();
    }

    bool WaitsForItsRename(int i) const {
        return records[i].step == JournalStep::kCopy && !records[i].szBackup.empty() && i > 0 &&
               states[i - 1] == State::kOpen && records[i - 1].step == JournalStep::kRename;
    }

    void Done(int i) {
        if (i >= 0 && states[i] == State::kOpen) states[i] = State::kDone;
    }

    void TryAgain(int i) {
        if (i < 0 || states[i] == State::kDone) return;
        states[i] = State::kTryAgain;
        szTryAgain.Add(records[i].szPath, 0);
        if (records[i].step == JournalStep::kRename) szTryAgain.Add(records[i].szOther, 0);
    }

    // Everything of the launch's at the path and below stays as it is, and
    // so does the rename whose backup is there.
    void TryAgainAt(const std::string& szPath) {
        for (int i : paths.ValuesAtOrBelow(szPath)) TryAgain(i);
        szTryAgain.Add(szPath, 0);
    }

    // What stays for the next start holds, or lies in, what this change
    // would touch.
    bool NearTryAgain(int i) const {
        if (szTryAgain.Near(records[i].szPath)) return true;
        return records[i].step == JournalStep::kRename && szTryAgain.Near(records[i].szOther);
    }

    const std::string& WhereItLies(int i) const {
        return records[i].step == JournalStep::kRename ? records[i].szOther : records[i].szPath;
    }

    void EndStep() {
        NameKept();
        s.log.Progress(++lDone, lTotal);
    }

    const std::vector<JournalRecord>& records;
    UndoServices& s;
    const PlacedNotes notes;
    KeptItems kept;
    std::vector<State> states;
    PathIndex<int> paths;               // each step's record by its path
    PathIndex<int> szTryAgain;          // what stays for the next start
    std::vector<std::string> szPending;  // kept, to be named where they lie once their step is over
    std::set<std::string> szNamed;       // folded
    uint64_t lDone = 0;
    uint64_t lTotal = 0;
};

}  // namespace

UndoResult UndoLaunch(const std::vector<JournalRecord>& records, const FinishedSwap* swap, UndoServices& services) {
    return Undoer(records, services).Run(swap);
}

}  // namespace corvane
