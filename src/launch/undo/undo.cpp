#include "launch/undo/undo.h"

#include <exception>
#include <map>
#include <stdexcept>

#include "launch/targets/launch_rules.h"
#include "launch/undo/pass_over_failure.h"
#include "launch/undo/path_index.h"
#include "launch/undo/undo_steps.h"

namespace corvane {

namespace {

constexpr const char* kTryAgain = "ERROR: This could not be put back now; Corvane tries again at its next start:";

// A change the undo takes back: what a rename moved aside, a folder made,
// a copy put in place (or merged into one of the launch's own folders), a
// stray archive set aside.
bool IsStep(const JournalRecord& record) {
    switch (record.step) {
    case JournalStep::kRename:
    case JournalStep::kCreateFolder:
        return !record.bWasThere;
    case JournalStep::kCopy:
    case JournalStep::kSetAside:
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
        : records(records), s(services), steps(records, services), states(records.size()) {
        for (size_t i = 0; i < records.size(); ++i) {
            states[i] = IsStep(records[i]) ? State::kOpen : State::kDone;
            if (IsStep(records[i])) paths.Add(records[i].szPath, static_cast<int>(i));
        }
    }

    UndoResult Run(const FinishedSwap* swap) {
        s.log.Line("Cleanup, restoring original files and folders.");
        steps.NameEarlierMoves(records);
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

    // Entries that share no path, and no game item renamed inside a folder
    // the swap made: each can be undone on its own, in the order the
    // restore after a game has always gone, with its lines.
    bool IsSimple(const FinishedSwap& swap) const {
        if (steps.Notes().OldFormat()) return false;
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

    // A folder that holds something left for the next start stays too; its
    // line names what is left only where nothing inside it was named.
    void CreatedFolderStep(const std::string& szFolder) {
        if (szTryAgain.AtOrBelow(szFolder)) return TryAgainAt(szFolder);
        const bool bDone = PassOverFailure(s.problems, [&] {
            steps.CreatedFolder(szFolder);
        });
        for (int i : paths.ValuesAtOrBelow(szFolder)) bDone ? Done(i) : TryAgain(i);
        if (bDone) return;
        TryAgainAt(szFolder);
        NameLeft(szFolder);
    }

    // What an entry leaves for the next start is named after its lines.
    void EntryStep(const Target& target, int lCopy, int lRename) {
        if (states[lCopy] != State::kOpen && (lRename < 0 || states[lRename] != State::kOpen)) return;
        const uint64_t lLeftBefore = lLeft;
        UndoEntry(target, lCopy, lRename);
        if (lLeft > lLeftBefore) NameLeft(target.szShown);
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
            return TryAgainAt(target.szPath);
        if (!item) {
            Done(lCopy);
            if (lRename >= 0) states[lRename] = bBackup ? State::kWaiting : State::kDone;
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
        bCleared ? Done(lCopy) : TryAgainAt(target.szPath);
        if (lRename < 0 || states[lRename] == State::kDone || bWaits) return;
        if (!bBackup) return Done(lRename);  // given back already, or gone
        const bool bBack = PassOverFailure(s.problems, [&] { steps.RestoreBackup(records[lRename], target.szShown); });
        bBack ? Done(lRename) : TryAgain(lRename);
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
                    Done(i);
                } catch (const std::exception& e) {
                    s.problems.Note("Could not undo a change of an unfinished launch: " + std::string(e.what()));
                    NameLeft(WhereItLies(i));
                    TryAgain(i);
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
               states[i - 1] == State::kOpen && records[i - 1].step == JournalStep::kRename;
    }

    void Done(int i) {
        if (i >= 0 && states[i] == State::kOpen) states[i] = State::kDone;
    }

    void TryAgain(int i) {
        if (i < 0 || states[i] == State::kDone) return;
        lLeft += states[i] != State::kTryAgain;
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

    // The player is told where the game folder is not back yet.
    void NameLeft(const std::string& szWhere) {
        s.log.Line(kTryAgain);
        s.log.Line(szWhere);
    }

    const std::string& WhereItLies(int i) const {
        const bool bMoved = records[i].step == JournalStep::kRename || records[i].step == JournalStep::kSetAside;
        return bMoved ? records[i].szOther : records[i].szPath;
    }

    void EndStep() {
        steps.NameKept();
        s.log.Progress(++lDone, lTotal);
    }

    const std::vector<JournalRecord>& records;
    UndoServices& s;
    UndoSteps steps;
    std::vector<State> states;
    PathIndex<int> paths;               // each step's record by its path
    PathIndex<int> szTryAgain;          // what stays for the next start
    uint64_t lDone = 0;
    uint64_t lTotal = 0;
    uint64_t lLeft = 0;                 // steps turned over to the next start
};

}  // namespace

UndoResult UndoLaunch(const std::vector<JournalRecord>& records, const FinishedSwap* swap, UndoServices& services) {
    return Undoer(records, services).Run(swap);
}

}  // namespace corvane
