#include "launch/undo.h"

#include <exception>
#include <optional>
#include <set>
#include <stdexcept>

#include "launch/item_owners.h"
#include "launch/launch_rules.h"
#include "launch/pass_over_failure.h"

namespace corvane {

namespace {

// FAT and exFAT drives keep a copy's last write only to two seconds.
constexpr uint64_t kTimeSlack = 2 * 10000000ull;

constexpr const char* kTryAgain = "ERROR: This could not be put back now; Corvane tries again at its next start:";
constexpr const char* kLeftInPlace = "ERROR: This is no longer what Corvane put there, so it was left in place:";

bool IsChange(const JournalRecord& record) {
    return record.step == JournalStep::kRename || record.step == JournalStep::kCreateFolder ||
           record.step == JournalStep::kCopy;
}

// A file as it was noted; an item noted without a stamp (a folder) only
// needs to be there.
bool SameStamp(const ItemInfo& item, const ItemStamp& stamp) {
    if (!stamp.bKnown) return true;
    const uint64_t lApart = item.lWriteTime > stamp.lWriteTime ? item.lWriteTime - stamp.lWriteTime
                                                               : stamp.lWriteTime - item.lWriteTime;
    return !item.IsFolder() && item.lSize == stamp.lSize && lApart <= kTimeSlack;
}

enum class State { kOpen, kSettled, kKept };

class Undoer {
public:
    Undoer(const std::vector<JournalRecord>& records, UndoServices& services)
        : records(records), s(services), owners(records), states(records.size(), State::kSettled) {
        for (size_t i = 0; i < records.size(); ++i)
            if (IsChange(records[i]) && !records[i].bWasThere) {
                states[i] = State::kOpen;
                ++lTotal;
            }
    }

    UndoResult Run(const FinishedSwap* swap) {
        s.log.Line("Cleanup, restoring original files and folders.");
        if (swap) SwapSteps(*swap);
        UndoNewestFirst();
        UndoResult result;
        for (size_t i = 0; i < records.size(); ++i)
            if (states[i] != State::kSettled) result.kept.push_back(records[i]);
        return result;
    }

private:
    // The restore as the swap's own steps: created folders from the last to
    // the first, then each entry in order.
    void SwapSteps(const FinishedSwap& swap) {
        lTotal += swap.szCreated.size() + static_cast<uint64_t>(swap.mod.dCount);
        for (auto it = swap.szCreated.rbegin(); it != swap.szCreated.rend(); ++it) {
            if (!it->empty()) Guarded(*it, [&] { CreatedFolderStep(*it); });
            Done();
        }
        for (int16_t i = 0; i < swap.mod.dCount; ++i) {
            std::string szTarget;
            if (PassOverFailure(s.problems, [&] { szTarget = TargetOf(swap.mod, i, swap.game); }))
                Guarded(szTarget, [&] { EntryStep(i, szTarget); });
            Done();
        }
    }

    // A step that fails is passed over; what it was about stays for the
    // next start.
    template <typename Step>
    void Guarded(const std::string& szPath, Step step) {
        if (!PassOverFailure(s.problems, step)) KeepAt(szPath);
    }

    void CreatedFolderStep(const std::string& szFolder) {
        const std::optional<ItemInfo> item = s.files.Look(szFolder);
        if (!item) return Gone(szFolder);
        if (!item->IsVisible() || !IsOurs(szFolder, *item)) return;
        s.log.Line("Deleting swapped folder:");
        s.log.Line(szFolder);
        s.fso.DeleteFolder(szFolder);
        Deleted(szFolder);
    }

    // Each part of an entry is passed over on its own when it fails, as the
    // restore has always done.
    void EntryStep(int16_t dEntry, const std::string& szTarget) {
        if (InDeletedFolder(szTarget)) return;  // nothing of it is left, for certain
        const std::optional<ItemInfo> item = s.files.Look(szTarget);
        if (!item || !item->IsVisible()) {
            // The copy went while the game ran (or hides): the game's own item
            // keeps its backup name until the next start.
            const ItemOwners::Node* node = owners.At(szTarget);
            if (node && node->bWhole && node->lItem >= 0 && records[node->lItem].dEntry == dEntry) {
                if (item) return KeepAt(szTarget);
                Gone(szTarget);
                KeepRenameOf(dEntry);
            }
            return;
        }
        Guarded(szTarget, [&] { DeleteStep(szTarget, *item); });
        const std::string szBackup = BackupName(szTarget);
        Guarded(szBackup, [&] { BackupStep(szTarget, szBackup); });
    }

    void DeleteStep(const std::string& szTarget, const ItemInfo& item) {
        if (!IsOurs(szTarget, item)) return;
        const bool bFile = IsFilePath(szTarget);
        s.log.Line(bFile ? "Deleting swapped file:" : "Deleting swapped folder:");
        s.log.Line(szTarget);
        if (bFile) {
            s.fso.DeleteFile(szTarget);
            Gone(szTarget);
        } else {
            s.fso.DeleteFolder(szTarget);
            Deleted(szTarget);
        }
    }

    // A folder this undo deleted: everything below it is gone.
    void Deleted(const std::string& szFolder) {
        Gone(szFolder);
        deletedFolders.insert(FoldPath(szFolder));
    }

    bool InDeletedFolder(const std::string& szPath) const {
        std::string szFolded = FoldPath(szPath);
        for (size_t lSlash = szFolded.rfind('\\'); lSlash != std::string::npos; lSlash = szFolded.rfind('\\')) {
            szFolded.resize(lSlash);
            if (deletedFolders.count(szFolded)) return true;
        }
        return false;
    }

    // Still for a target that was there: the game's own item gets its name
    // back, if the launch moved it aside.
    void BackupStep(const std::string& szTarget, const std::string& szBackup) {
        const std::optional<ItemInfo> backup = s.files.Look(szBackup);
        const ItemOwners::Node* node = owners.At(szBackup);
        if (!backup || !backup->IsVisible() || !node || node->lPlacedBy == node->lItem) return;
        const int lRename = node->lPlacedBy;
        if (node->lItem < 0 && !SameStamp(*backup, records[lRename].stamp)) return LeaveInPlace(lRename, szBackup);
        s.log.Line("Restoring original folder:");
        s.log.Line(szTarget);
        try {
            s.files.Rename(szBackup, szTarget);
        } catch (...) {
            Keep(lRename);
            throw;
        }
        owners.MoveBack(szBackup, szTarget);
        Settle(lRename);
    }

    // The item at the path is this launch's own: a copy or created folder
    // of it, as it was made, or a part of one. A copy that is not what was
    // made any more is named and left alone.
    bool IsOurs(const std::string& szPath, const ItemInfo& item) {
        const ItemOwners::Node* exact = owners.At(szPath);
        if (exact && exact->bWhole && exact->lItem >= 0) {
            if (IsAsMade(exact->lItem, item)) return true;
            LeaveInPlace(exact->lItem, szPath);
            return false;
        }
        const ItemOwners::Node* holder = owners.Holding(szPath);
        return holder && holder->lItem >= 0;
    }

    bool IsAsMade(int lRecord, const ItemInfo& item) const {
        const JournalRecord& record = records[lRecord];
        if (record.step == JournalStep::kCopy && IsFilePath(record.szPath))
            return !item.IsFolder() && SameStamp(item, record.stamp);
        return item.IsFolder();
    }

    // What is left, newest first: each record finds the disk as it was right
    // after its own change.
    void UndoNewestFirst() {
        for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i) {
            if (states[i] != State::kOpen) continue;
            if (UnderKept(i)) {
                Keep(i);
                continue;
            }
            try {
                UndoRecord(i);
            } catch (const std::exception& e) {
                s.problems.Note("Could not undo a change of an unfinished launch: " + std::string(e.what()));
                s.log.Line(kTryAgain);
                s.log.Line(WhereNow(i));
                Keep(i);
            }
            Done();
        }
    }

    void UndoRecord(int i) {
        const JournalRecord& record = records[i];
        if (record.step == JournalStep::kRename) return UndoRename(i);
        const ItemOwners::Node* node = owners.ItemOf(i);
        if (!node) return Settle(i);
        const std::string szPath = node->szPath;
        const std::optional<ItemInfo> item = s.files.Look(szPath);
        // A copy that was to replace the game's own item is only made once
        // that item lies under its backup name: before, what is there is the
        // game's.
        if (!item || (!record.szBackup.empty() && !BackupInPlace(i))) return Gone(szPath);
        if (!IsAsMade(i, *item) && !IsCopyCutShort(record, szPath, *item)) return LeaveInPlace(i, szPath);
        s.log.Line(item->IsFolder() ? "Deleting swapped folder:" : "Deleting swapped file:");
        s.log.Line(szPath);
        // The journal shows the launch made it: a read-only copy goes too.
        item->IsFolder() ? s.fso.DeleteFolder(szPath) : s.fso.DeleteFile(szPath, true);
        Gone(szPath);
    }

    // The entry's rename, before its copy, put the game's item aside.
    bool BackupInPlace(int lCopy) {
        for (int i = lCopy - 1; i >= 0; --i) {
            if (records[i].dEntry != records[lCopy].dEntry || records[i].step != JournalStep::kRename) continue;
            const ItemOwners::Node* node = owners.BackupOf(i);
            return node && s.files.Look(node->szPath).has_value();
        }
        return false;
    }

    // A copy that died half-way holds the first bytes of its source.
    bool IsCopyCutShort(const JournalRecord& record, const std::string& szPath, const ItemInfo& item) {
        if (record.step != JournalStep::kCopy || item.IsFolder() || !IsFilePath(record.szPath)) return false;
        return s.files.StartsLike(szPath, record.szOther);
    }

    void UndoRename(int i) {
        const JournalRecord& record = records[i];
        const ItemOwners::Node* node = owners.BackupOf(i);
        if (!node) return Settle(i);
        const std::string szBackup = node->szPath;
        const std::optional<ItemInfo> backup = s.files.Look(szBackup);
        if (!backup) {
            // Never moved, or gone since: nothing to give back.
            owners.MoveBack(szBackup, record.szPath);
            return Settle(i);
        }
        if (!SameStamp(*backup, record.stamp)) return LeaveInPlace(i, szBackup);
        if (s.files.Look(record.szPath))
            throw std::runtime_error("the copy at " + record.szPath + " is still in the way of its original");
        s.log.Line("Restoring original folder:");
        s.log.Line(record.szPath);
        s.files.Rename(szBackup, record.szPath);
        owners.MoveBack(szBackup, record.szPath);
        Settle(i);
    }

    void LeaveInPlace(int i, const std::string& szPath) {
        s.problems.Note("Left in place, it is not what the launch put there: " + szPath);
        s.log.Line(kLeftInPlace);
        s.log.Line(szPath);
        Gone(szPath);
        Settle(i);
    }

    // Nothing of the launch's is at the path or below any more.
    void Gone(const std::string& szPath) {
        for (const ItemOwners::Node& node : owners.Remove(szPath)) {
            Settle(node.lPlacedBy);
            if (node.bWhole) Settle(node.lItem);
        }
    }

    void Settle(int i) {
        if (i >= 0 && states[i] == State::kOpen) states[i] = State::kSettled;
    }

    void Keep(int i) {
        if (i < 0 || states[i] != State::kOpen) return;
        states[i] = State::kKept;
        kept.push_back({i, WhereNow(i)});
        if (records[i].step == JournalStep::kRename) kept.push_back({i, records[i].szPath});
    }

    // Everything of the launch's at the path and below stays as it is.
    void KeepAt(const std::string& szPath) {
        for (int i = 0; i < static_cast<int>(records.size()); ++i)
            if (states[i] == State::kOpen && IsAtOrBelow(WhereNow(i), szPath)) Keep(i);
    }

    void KeepRenameOf(int16_t dEntry) {
        for (int i = 0; i < static_cast<int>(records.size()); ++i)
            if (records[i].step == JournalStep::kRename && records[i].dEntry == dEntry) Keep(i);
    }

    // A newer change that stays holds, or lies in, what this one would touch.
    bool UnderKept(int i) const {
        const std::string szHere = WhereNow(i);
        for (const auto& [lKept, szKept] : kept) {
            if (lKept <= i) continue;
            if (PathsOverlap(szKept, szHere) ||
                (records[i].step == JournalStep::kRename && PathsOverlap(szKept, records[i].szPath)))
                return true;
        }
        return false;
    }

    std::string WhereNow(int i) const {
        const ItemOwners::Node* node =
            records[i].step == JournalStep::kRename ? owners.BackupOf(i) : owners.ItemOf(i);
        return node ? node->szPath : records[i].szPath;
    }

    void Done() { s.log.Progress(++lDone, lTotal); }

    const std::vector<JournalRecord>& records;
    UndoServices& s;
    ItemOwners owners;
    std::vector<State> states;
    std::vector<std::pair<int, std::string>> kept;  // records kept, and the paths they hold
    std::set<std::string> deletedFolders;          // folded
    uint64_t lDone = 0;
    uint64_t lTotal = 0;
};

}  // namespace

UndoResult UndoLaunch(const std::vector<JournalRecord>& records, const FinishedSwap* swap, UndoServices& services) {
    return Undoer(records, services).Run(swap);
}

}  // namespace corvane
