#include "launch/undo/undo.h"

#include <exception>
#include <string>

#include "launch/undo/swap_order.h"
#include "launch/undo/undo_ledger.h"
#include "launch/undo/undo_steps.h"

namespace corvane {

namespace {

// The undo's order: a finished swap's own first, where it has one; then
// what is left, newest first, each change finding the disk as it was right
// after it was made.
class Undoer {
public:
    Undoer(const std::vector<JournalRecord>& records, UndoServices& services)
        : records(records), s(services), steps(records, services), ledger(records) {}

    UndoResult Run(const FinishedSwap* swap) {
        s.log.Line("Cleanup, restoring original files and folders.");
        steps.NameEarlierMoves(records);
        if (swap && UndoesInSwapOrder(records, *swap, steps.Notes().OldFormat()))
            lDone = UndoInSwapOrder(records, *swap, s, steps, ledger);
        NewestFirst();
        return ledger.Left();
    }

private:
    void NewestFirst() {
        const uint64_t lTotal = lDone + ledger.OpenCount();
        for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i) {
            if (!ledger.IsOpen(i)) continue;
            if (ledger.NearTryAgain(i)) {
                ledger.TryAgain(i);
            } else {
                try {
                    UndoStep(i);
                    ledger.Done(i);
                } catch (const std::exception& e) {
                    s.problems.Note("Could not undo a change of an unfinished launch: " + std::string(e.what()));
                    NameLeft(s.log, WhereItLies(i));
                    ledger.TryAgain(i);
                }
            }
            // A copy's kept items are named once its backup has its name back.
            if (!WaitsForItsRename(i)) steps.NameKept();
            s.log.Progress(++lDone, lTotal);
        }
        steps.NameKept();
    }

    void UndoStep(int i) {
        switch (records[i].step) {
        case JournalStep::kCopy:
            return steps.Copy(records[i], records[i].szPath);
        case JournalStep::kRename:
            return steps.Rename(records[i]);
        case JournalStep::kSetAside:
            return steps.PutBack(records[i]);
        default:
            return steps.CreatedFolder(records[i].szPath);
        }
    }

    bool WaitsForItsRename(int i) const {
        return records[i].step == JournalStep::kCopy && !records[i].szBackup.empty() && i > 0 &&
               ledger.IsOpen(i - 1) && records[i - 1].step == JournalStep::kRename;
    }

    const std::string& WhereItLies(int i) const {
        const bool bMoved = records[i].step == JournalStep::kRename || records[i].step == JournalStep::kSetAside;
        return bMoved ? records[i].szOther : records[i].szPath;
    }

    const std::vector<JournalRecord>& records;
    UndoServices& s;
    UndoSteps steps;
    UndoLedger ledger;
    uint64_t lDone = 0;
};

}  // namespace

UndoResult UndoLaunch(const std::vector<JournalRecord>& records, const FinishedSwap* swap, UndoServices& services) {
    return Undoer(records, services).Run(swap);
}

}  // namespace corvane
