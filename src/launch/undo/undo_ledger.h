// What has become of each change a journal tells of while the undo takes
// them back: still open, done, or left for the next start. What is left,
// and whatever lies in it or holds it, is not touched again by this undo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "launch/journal/journal_records.h"
#include "launch/progress/launch_log.h"
#include "launch/undo/path_index.h"
#include "launch/undo/undo.h"

namespace corvane {

class UndoLedger {
public:
    // kWaiting: the game's own item keeps its backup name until the next
    // start, as the restore after a game has always left it when the copy
    // went during play.
    enum class State { kOpen, kDone, kTryAgain, kWaiting };

    explicit UndoLedger(const std::vector<JournalRecord>& records);

    State At(int i) const { return states[i]; }
    bool IsOpen(int i) const { return states[i] == State::kOpen; }
    void Set(int i, State state) { states[i] = state; }
    // An open change is done; any other stays as it is.
    void Done(int i);
    // The change stays for the next start, and so does what it is about.
    void TryAgain(int i);
    // Everything of the launch's at the path and below stays as it is, and
    // so does the rename whose backup is there.
    void TryAgainAt(const std::string& szPath);
    // What stays for the next start holds, or lies in, what this change
    // would touch.
    bool NearTryAgain(int i) const;
    bool TryAgainAtOrBelow(const std::string& szPath) const { return szTryAgain.AtOrBelow(szPath); }
    // The changes at the path or inside it.
    std::vector<int> ChangesAtOrBelow(const std::string& szPath) const { return paths.ValuesAtOrBelow(szPath); }
    uint64_t OpenCount() const;
    // How many changes were turned over to the next start so far.
    uint64_t LeftCount() const { return lLeft; }
    // The changes left for the next start, with the notes of what their
    // copies placed: without them, the files would pass for the player's.
    UndoResult Left() const;

private:
    const std::vector<JournalRecord>& records;
    std::vector<State> states;
    PathIndex<int> paths;       // each change's record by its path
    PathIndex<int> szTryAgain;  // what stays for the next start
    uint64_t lLeft = 0;
};

// The player is told where the game folder is not back yet.
void NameLeft(LaunchLog& log, const std::string& szWhere);

}  // namespace corvane
