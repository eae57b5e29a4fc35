// One planned entry of the swap, as the journal tells it and as it is
// carried out: the game's item moved aside, the folders above the target
// made, the mod's copy put in place, each with its line in the progress
// log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "launch/journal/journal_records.h"
#include "launch/journal/launch_journal.h"
#include "launch/swap/entry_plan.h"
#include "launch/swap/swap_in.h"

namespace corvane {

// Notes the entry's records, for the next Write: the game's item moved
// aside, each folder made, the copy of szSource with the stamp it will
// have. record is filled again for each note: its texts keep the room they
// took, so that thousands of entries do not each allocate them anew.
void NoteEntry(const EntryPlan& plan, const std::string& szSource, const ItemStamp& sourceStamp, JournalRecord& record,
               LaunchJournal& journal);

// Carries the entry out; its records must be in the journal already. The
// folders it makes are appended to szCreated as SwapIn tells. lSourceSize:
// the source's size, as the check found it just before.
void PlaceEntry(const EntryPlan& plan, const std::string& szSource, std::optional<uint64_t> lSourceSize,
                SwapServices& s, std::vector<std::string>& szCreated);

}  // namespace corvane
