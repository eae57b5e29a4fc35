// The undo of a swap that went through, in the order the restore after a
// game has always gone, with its lines: the folders the swap created from
// the last to the first, then each entry in order, a target and its
// backup. A step that fails is passed over without a line, and what it was
// about stays for the next start.
#pragma once

#include <cstdint>
#include <vector>

#include "launch/journal/journal_records.h"
#include "launch/undo/undo.h"
#include "launch/undo/undo_ledger.h"
#include "launch/undo/undo_steps.h"

namespace corvane {

// The swap's entries share no path, and no game item was renamed inside a
// folder the swap made: each can be undone on its own, in the swap's order.
bool UndoesInSwapOrder(const std::vector<JournalRecord>& records, const FinishedSwap& swap, bool bOldFormat);

// Undoes the swap in its order and returns how many steps the progress
// bar has gone (of the swap's created folders and targets).
uint64_t UndoInSwapOrder(const std::vector<JournalRecord>& records, const FinishedSwap& swap, UndoServices& services,
                         UndoSteps& steps, UndoLedger& ledger);

}  // namespace corvane
