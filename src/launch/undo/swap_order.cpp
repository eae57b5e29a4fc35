#include "launch/undo/swap_order.h"

#include <map>
#include <optional>

#include "launch/undo/pass_over_failure.h"
#include "launch/undo/path_index.h"

namespace corvane {

namespace {

class SwapOrderUndo {
public:
    SwapOrderUndo(const std::vector<JournalRecord>& records, UndoServices& services, UndoSteps& steps,
                  UndoLedger& ledger)
        : records(records), s(services), steps(steps), ledger(ledger) {}

    uint64_t Run(const FinishedSwap& swap) {
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
        return lDone;
    }

private:
    // A folder with everything of the launch's inside it. A folder that
    // holds something left for the next start stays too; its line names
    // what is left only where nothing inside it was named.
    void CreatedFolderStep(const std::string& szFolder) {
        if (ledger.TryAgainAtOrBelow(szFolder)) return ledger.TryAgainAt(szFolder);
        const bool bDone = PassOverFailure(s.problems, [&] {
            steps.CreatedFolder(szFolder);
        });
        for (int i : ledger.ChangesAtOrBelow(szFolder)) bDone ? ledger.Done(i) : ledger.TryAgain(i);
        if (bDone) return;
        ledger.TryAgainAt(szFolder);
        NameLeft(s.log, szFolder);
    }

    // What an entry leaves for the next start is named after its lines.
    void EntryStep(const Target& target, int lCopy, int lRename) {
        if (!ledger.IsOpen(lCopy) && (lRename < 0 || !ledger.IsOpen(lRename))) return;
        const uint64_t lLeftBefore = ledger.LeftCount();
        UndoEntry(target, lCopy, lRename);
        if (ledger.LeftCount() > lLeftBefore) NameLeft(s.log, target.szShown);
    }

    // Nothing of the target's name left: the copy went while the game ran,
    // and the game's own item keeps its backup name until the next start.
    // Where the target is still there, the game's item is given its name
    // back even when the copy could not go, as the restore always did; not
    // when the copy waits to be told from a changed one.
    void UndoEntry(const Target& target, int lCopy, int lRename) {
        std::optional<ItemInfo> item;
        bool bBackup = false;
        if (!PassOverFailure(s.problems, [&] {
                item = s.files.Look(target.szPath);
                bBackup = lRename >= 0 && s.files.Look(records[lRename].szOther);
            }))
            return ledger.TryAgainAt(target.szPath);
        if (!item) {
            ledger.Done(lCopy);
            if (lRename >= 0) ledger.Set(lRename, bBackup ? UndoLedger::State::kWaiting : UndoLedger::State::kDone);
            return;
        }
        bool bWaits = false;
        const bool bCleared = PassOverFailure(s.problems, [&] {
            try {
                steps.CopyFound(records[lCopy], target.szShown, item, bBackup);
            } catch (const CopyWaits&) {
                bWaits = true;
                throw;
            }
        });
        bCleared ? ledger.Done(lCopy) : ledger.TryAgainAt(target.szPath);
        if (lRename < 0 || ledger.At(lRename) == UndoLedger::State::kDone || bWaits) return;
        if (!bBackup) return ledger.Done(lRename);  // given back already, or gone
        const bool bBack = PassOverFailure(s.problems, [&] { steps.RestoreBackup(records[lRename], target.szShown); });
        bBack ? ledger.Done(lRename) : ledger.TryAgain(lRename);
    }

    void EndStep() {
        steps.NameKept();
        s.log.Progress(++lDone, lTotal);
    }

    const std::vector<JournalRecord>& records;
    UndoServices& s;
    UndoSteps& steps;
    UndoLedger& ledger;
    uint64_t lDone = 0;
    uint64_t lTotal = 0;
};

}  // namespace

bool UndoesInSwapOrder(const std::vector<JournalRecord>& records, const FinishedSwap& swap, bool bOldFormat) {
    if (bOldFormat) return false;
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

uint64_t UndoInSwapOrder(const std::vector<JournalRecord>& records, const FinishedSwap& swap, UndoServices& services,
                         UndoSteps& steps, UndoLedger& ledger) {
    return SwapOrderUndo(records, services, steps, ledger).Run(swap);
}

}  // namespace corvane
