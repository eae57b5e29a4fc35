#include "launch/launch_journal.h"

namespace corvane {

void LaunchJournal::Note(const JournalRecord& record) {
    records.push_back(record);
    AppendRecord(szWaiting, record);
}

void LaunchJournal::Write() {
    if (szWaiting.empty()) return;
    if (bCutBack) {
        store.CutTo(lWhole);
        bCutBack = false;
    }
    try {
        store.Append(szWaiting);
    } catch (...) {
        bCutBack = true;
        throw;
    }
    lWhole += szWaiting.size();
    szWaiting.clear();
    store.Flush();
}

void LaunchJournal::WriteNow(const JournalRecord& record) {
    Note(record);
    Write();
}

}  // namespace corvane
