#include "launch/undo.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <set>
#include <stdexcept>

#include "launch/item_owners.h"
#include "launch/item_rule.h"
#include "launch/kept_items.h"
#include "launch/launch_rules.h"
#include "launch/pass_over_failure.h"
#include "launch/set_aside.h"

namespace corvane {

namespace {

constexpr const char* kTryAgain = "ERROR: This could not be put back now; Corvane tries again at its next start:";
constexpr const char* kKeptLine = "Kept what was made or changed during play:";

bool IsChange(JournalStep step) {
    return step == JournalStep::kRename || step == JournalStep::kCreateFolder || step == JournalStep::kCopy ||
           step == JournalStep::kPlace;
}

enum class State { kOpen, kSettled, kTryAgain };

// A file set aside for the launch, or by a Set Aside cut short, gets its
// own name back; where something took that name meanwhile it stays set
// aside, and the player is told. One never set aside, or back already, is
// left as it is.
void PutBackSetAside(const JournalRecord& record, UndoServices& s) {
    const AsideMove move{record.szPath, record.szOther, true};
    if (!s.files.Look(move.szAside)) return;
    if (s.files.Look(move.szName)) {
        s.log.Line(TakenLine(move));
        return s.problems.Note(TakenLine(move));
    }
    s.files.Rename(move.szAside, move.szName);
    s.log.Line(MovedLine(move));
}

class Undoer {
public:
    Undoer(const std::vector<JournalRecord>& records, UndoServices& services)
        : records(records),
          s(services),
          owners(records),
          kept(services.files, services.fso, services.journal),
          states(records.size(), State::kSettled) {
        for (size_t i = 0; i < records.size(); ++i) {
            if (records[i].step == JournalStep::kGameStarting) bPlayed = true;
            if (IsChange(records[i].step) && !records[i].bWasThere) {
                states[i] = State::kOpen;
                lTotal += records[i].step != JournalStep::kPlace;  // a file of a folder goes with it
            }
        }
    }

    UndoResult Run(const FinishedSwap* swap) {
        s.log.Line("Cleanup, restoring original files and folders.");
        if (swap) SwapSteps(*swap);
        NewestFirst();
        // Set aside before the swap began, so put back after it is undone.
        for (size_t i = records.size(); i-- > 0;) {
            if (records[i].step != JournalStep::kSetAside) continue;
            if (PassOverFailure(s.problems, [&] { PutBackSetAside(records[i], s); })) continue;
            s.log.Line(kTryAgain);
            s.log.Line(records[i].szOther);
            states[i] = State::kTryAgain;
        }
        UndoResult result;
        for (size_t i = 0; i < records.size(); ++i)
            if (states[i] == State::kTryAgain) result.kept.push_back(records[i]);
        return result;
    }

private:
    // The swap's own steps, with its lines: the folders it created from the
    // last to the first, then each entry in order. A step that fails is
    // passed over, and what it was about stays for the next start.
    void SwapSteps(const FinishedSwap& swap) {
        lTotal += swap.szCreated.size() + swap.targets.size();
        for (auto it = swap.szCreated.rbegin(); it != swap.szCreated.rend(); ++it) {
            if (!it->empty()) Guarded(*it, [&] { Clear(*it, *it, false); });
            EndStep();
        }
        for (const std::optional<Target>& target : swap.targets) {
            if (target) EntryStep(*target);
            EndStep();
        }
    }

    template <typename Step>
    void Guarded(const std::string& szPath, Step step) {
        if (!PassOverFailure(s.problems, step)) TryAgainAt(szPath);
    }

    // Nothing of the target's name left: the copy went while the game ran,
    // and the game's own item keeps its backup name until the next start.
    // Where the target is still there, the game's item is given its name
    // back even when the copy could not go, as the restore always did.
    void EntryStep(const Target& target) {
        const std::string& szTarget = target.szPath;
        const int lRename = RenameWaitingFor(szTarget);
        // Went with a folder the undo took away whole: a folder mod's
        // thousands of targets are not asked of the disk again.
        if (lRename < 0 && !owners.At(szTarget) && !InsideOurs(szTarget)) return;
        std::optional<ItemInfo> item;
        if (!PassOverFailure(s.problems, [&] { item = s.files.Look(szTarget); })) return TryAgainAt(szTarget);
        if (!item) {
            if (lRename >= 0 && owners.At(szTarget)) TryAgain(lRename);
            return Gone(szTarget);
        }
        Guarded(szTarget, [&] { Clear(szTarget, target.szShown, false); });
        if (lRename >= 0 && states[lRename] != State::kSettled)
            Guarded(BackupName(szTarget), [&] { RenameBack(lRename, target.szShown); });
    }

    // What is left, newest first: each change finds the disk as it was right
    // after it was made. A file of a copied folder goes with its folder.
    void NewestFirst() {
        for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i) {
            if (states[i] != State::kOpen) continue;
            if (NearTryAgain(i)) {
                TryAgainAt(WhereNow(i));
                TryAgain(i);
                continue;
            }
            if (records[i].step == JournalStep::kPlace) continue;  // cleared with the folder that holds it
            try {
                UndoRecord(i);
            } catch (const std::exception& e) {
                s.problems.Note("Could not undo a change of an unfinished launch: " + std::string(e.what()));
                s.log.Line(kTryAgain);
                s.log.Line(WhereNow(i));
                TryAgainAt(WhereNow(i));
                TryAgain(i);
            }
            EndStep();
        }
        // What a folder held went with it; notes of files that a later copy
        // laid over an earlier one's went with that file.
        for (State& state : states)
            if (state == State::kOpen) state = State::kSettled;
    }

    void UndoRecord(int i) {
        if (records[i].step == JournalStep::kRename) {
            RenameBack(i, records[i].szPath);
        } else if (const ItemOwners::Node* node = owners.ItemOf(i)) {
            const std::string szPath = node->szPath;
            Clear(szPath, szPath, true);
        } else {
            Settle(i);
        }
        NameKept();
    }

    // The launch's own at the path: deleted unchanged, its folders cleared,
    // what was made or changed kept. Its lines name it szShown.
    void Clear(const std::string& szPath, const std::string& szShown, bool bForce) {
        const std::optional<ItemInfo> item = s.files.Look(szPath);
        const ItemOwners::Node* node = owners.At(szPath);
        switch (FateOf(FactsAt(szPath, item, InsideOurs(szPath)))) {
        case ItemFate::kNothing:
            // Nothing there, or what is there is not the launch's after all:
            // its copy was never made, or was undone before a crash.
            if (!item || (node && node->Ours())) Gone(szPath);
            return;
        case ItemFate::kKeep:
            return Keep(szPath, item->IsFolder());
        case ItemFate::kClearInside:
            return ClearFolder(szPath, szShown);
        case ItemFate::kDelete:
            s.log.Line("Deleting swapped file:");
            s.log.Line(szShown);
            s.fso.DeleteFile(szPath, bForce);
            return Gone(szPath);
        }
    }

    // One pass deletes what is the launch's and unchanged; when something
    // is kept and the folder stood in for the game's own, the kept items
    // move into it and the emptied copy goes. The line is written once it
    // is known that the folder goes (or was about to, when a delete fails).
    void ClearFolder(const std::string& szPath, const std::string& szShown) {
        Filter filter(*this);
        bool bGone = false;
        try {
            bGone = s.fso.DeleteFolder(szPath, &filter);
            if (!bGone && GameItemWaitingFor(szPath)) {
                const std::string szBackup = owners.BackupOf(RenameWaitingFor(szPath))->szPath;
                std::vector<std::string> szMoved;
                for (const std::string& szKept : filter.szKept)
                    kept.MoveInto(szKept, szBackup + szKept.substr(szPath.size()), szMoved);
                filter.szKept.clear();
                szToName.insert(szToName.end(), szMoved.begin(), szMoved.end());
                bGone = s.fso.DeleteFolder(szPath, &filter);
            }
        } catch (...) {
            if (filter.szKept.empty()) LogDeletingFolder(szShown);
            throw;
        }
        if (bGone) LogDeletingFolder(szShown);
        szToName.insert(szToName.end(), filter.szKept.begin(), filter.szKept.end());
        Gone(szPath);
    }

    void LogDeletingFolder(const std::string& szPath) {
        s.log.Line("Deleting swapped folder:");
        s.log.Line(szPath);
    }

    // A changed copy that stood in for the game's own item makes way for it.
    void Keep(const std::string& szPath, bool bFolder) {
        std::string szNow = szPath;
        if (GameItemWaitingFor(szPath)) {
            szNow = kept.ChangedName(szPath, bFolder ? "" : szPath);
            kept.Move(szPath, szNow);
        }
        szToName.push_back(szNow);
        Gone(szPath);
    }

    void NameKept() {
        for (const std::string& szPath : szToName) {
            s.problems.Note(std::string(kKeptLine) + " " + szPath);
            s.log.Line(kKeptLine);
            s.log.Line(szPath);
        }
        szToName.clear();
    }

    // The game's own item, or the launch's moved aside, gets its name back.
    // One of the launch's own that cannot, since something kept holds its
    // place, is cleared where it lies.
    void RenameBack(int lRename, const std::string& szShown) {
        const ItemOwners::Node* node = owners.BackupOf(lRename);
        if (!node) return Settle(lRename);
        const std::string szBackup = node->szPath, szTarget = records[lRename].szPath;
        if (!s.files.Look(szBackup)) {
            // Never moved, or gone since: nothing to give back.
            owners.MoveBack(szBackup, szTarget);
            return Settle(lRename);
        }
        if (node->Ours() && s.files.Look(szTarget)) {
            Clear(szBackup, szBackup, true);
            return Settle(lRename);
        }
        s.log.Line("Restoring original folder:");
        s.log.Line(szShown);
        s.files.Rename(szBackup, szTarget);
        owners.MoveBack(szBackup, szTarget);
        states[lRename] = State::kSettled;
        // What was kept in the game's item moved with it.
        for (std::string& szKept : szToName)
            if (IsAtOrBelow(szKept, szBackup)) szKept = szTarget + szKept.substr(szBackup.size());
    }

    // The rename that moved an item away from this target, when its backup
    // lies there still.
    int RenameWaitingFor(const std::string& szTarget) const {
        const ItemOwners::Node* node = owners.At(BackupName(szTarget));
        if (!node || node->lPlacedBy < 0) return -1;
        return records[node->lPlacedBy].step == JournalStep::kRename ? node->lPlacedBy : -1;
    }

    bool GameItemWaitingFor(const std::string& szTarget) const {
        const int lRename = RenameWaitingFor(szTarget);
        return lRename >= 0 && owners.BackupOf(lRename)->lItem < 0;
    }

    ItemFacts FactsAt(const std::string& szPath, const std::optional<ItemInfo>& item, bool bInsideOurs) {
        ItemFacts facts;
        facts.bThere = item.has_value();
        facts.bFolder = item && item->IsFolder();
        facts.lSize = item ? item->lSize : 0;
        facts.lWriteTime = item ? item->lWriteTime : 0;
        facts.bPlayed = bPlayed;
        facts.bInsideOurs = bInsideOurs;
        const ItemOwners::Node* node = owners.At(szPath);
        facts.bOurs = node && node->Ours() && MadeHere(*node);
        if (facts.bOurs) facts.notes = node->stamps;
        return facts;
    }

    // A copy that was to take the place of the game's own item was only
    // made once that item lay under its backup name: before, what is there
    // is the game's.
    bool MadeHere(const ItemOwners::Node& node) {
        const JournalRecord& record = records[node.lItem];
        if (record.step != JournalStep::kCopy || record.szBackup.empty()) return true;
        const int lRename = RenameWaitingFor(node.szPath);
        return lRename >= 0 && s.files.Look(owners.BackupOf(lRename)->szPath).has_value();
    }

    bool InsideOurs(const std::string& szPath) {
        const ItemOwners::Node* holder = owners.Holding(ParentOf(szPath));
        return holder && holder->Ours() && MadeHere(*holder);
    }

    // Asked by a folder's delete of each item in it.
    struct Filter : DeleteFilter {
        explicit Filter(Undoer& undoer) : undoer(undoer) {}
        bool Keep(const std::string& szPath, const ItemInfo& item) override {
            const ItemFate fate = FateOf(undoer.FactsAt(szPath, item, true));
            if (fate != ItemFate::kKeep) return false;
            szKept.push_back(szPath);
            return true;
        }
        Undoer& undoer;
        std::vector<std::string> szKept;
    };

    // Nothing of the launch's is at the path or below any more.
    void Gone(const std::string& szPath) {
        for (const ItemOwners::Node& node : owners.Remove(szPath)) {
            Settle(node.lPlacedBy);
            if (node.bWhole) Settle(node.lItem);
            for (int i : node.lNotedBy) Settle(i);
        }
    }

    void Settle(int i) {
        if (i >= 0 && states[i] == State::kOpen) states[i] = State::kSettled;
    }

    void TryAgain(int i) {
        if (i < 0 || states[i] != State::kOpen) return;
        states[i] = State::kTryAgain;
        szTryAgain.insert(FoldPath(WhereNow(i)));
        if (records[i].step == JournalStep::kRename) szTryAgain.insert(FoldPath(records[i].szPath));
    }

    // Everything of the launch's at the path and below stays as it is.
    void TryAgainAt(const std::string& szPath) {
        for (const ItemOwners::Node* node : owners.At(szPath, true)) {
            TryAgain(node->lPlacedBy);
            if (node->bWhole) TryAgain(node->lItem);
            for (int i : node->lNotedBy) TryAgain(i);
        }
        TryAgain(RenameWaitingFor(szPath));
        szTryAgain.insert(FoldPath(szPath));
    }

    // What stays for the next start holds, or lies in, what this change
    // would touch: found by path, above and below.
    bool NearTryAgain(int i) const {
        const std::string szHere = FoldPath(WhereNow(i));
        if (Near(szHere)) return true;
        return records[i].step == JournalStep::kRename && Near(FoldPath(records[i].szPath));
    }

    bool Near(const std::string& szFolded) const {
        for (std::string szAt = szFolded; !szAt.empty(); szAt = ParentOf(szAt))
            if (szTryAgain.count(szAt)) return true;
        const auto it = szTryAgain.lower_bound(szFolded + "\\");
        return it != szTryAgain.end() && it->rfind(szFolded + "\\", 0) == 0;
    }

    std::string WhereNow(int i) const {
        const ItemOwners::Node* node =
            records[i].step == JournalStep::kRename ? owners.BackupOf(i) : owners.ItemOf(i);
        return node ? node->szPath : records[i].szPath;
    }

    void EndStep() {
        NameKept();
        s.log.Progress(++lDone, lTotal);
    }

    const std::vector<JournalRecord>& records;
    UndoServices& s;
    ItemOwners owners;
    KeptItems kept;
    std::vector<State> states;
    bool bPlayed = false;
    std::vector<std::string> szToName;  // kept by the current step, as they lie now
    std::set<std::string> szTryAgain;   // folded paths of what stays for the next start
    uint64_t lDone = 0;
    uint64_t lTotal = 0;
};

}  // namespace

UndoResult UndoLaunch(const std::vector<JournalRecord>& records, const FinishedSwap* swap, UndoServices& services) {
    return Undoer(records, services).Run(swap);
}

}  // namespace corvane
