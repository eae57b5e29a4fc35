// One launch's journal as it is written: records gather in memory and go to
// the journal file in one write and one flush before the changes they tell
// of are made. They are not kept in memory beyond that, while the game runs:
// the restore reads them back from the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "launch/journal/journal_records.h"
#include "platform/journal_store.h"

namespace corvane {

class LaunchJournal {
public:
    explicit LaunchJournal(JournalStore& store) : store(store) {}
    // Goes on after the first lWholeBytes bytes, the whole records of a
    // journal read back; whatever follows them is cut off first.
    LaunchJournal(JournalStore& store, uint64_t lWholeBytes) : store(store), lWhole(lWholeBytes) {}

    // Adds a record to the next Write.
    void Note(const JournalRecord& record);
    // Appends what was noted since the last Write and flushes it. A write
    // that failed, or wrote only part of its bytes, is cut back to the last
    // whole record before the next one, so that no torn record ever stands
    // before whole ones.
    void Write();
    // Note and Write in one.
    void WriteNow(const JournalRecord& record);

    // Every whole record the journal file holds, in order. A journal that
    // cannot be read is thrown.
    std::vector<JournalRecord> ReadBack();
    // Nothing was noted yet.
    bool Empty() const { return !bNoted; }

private:
    JournalStore& store;
    bool bNoted = false;
    std::string szWaiting;  // noted, not written yet
    uint64_t lWhole = 0;    // bytes of the journal that hold whole records
    // The file may hold more than lWhole bytes: a failed write, or whatever
    // an earlier journal left before this launch began.
    bool bCutBack = true;
};

}  // namespace corvane
