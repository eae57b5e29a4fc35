#include "launch/journal/launch_journal.h"

namespace corvane {

void LaunchJournal::Note(const JournalRecord& record) {
    bNoted = true;
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

std::vector<JournalRecord> LaunchJournal::ReadBack() { return DecodeJournal(store.Read().value_or("")); }

void LaunchJournal::WriteNow(const JournalRecord& record) {
    Note(record);
    Write();
}

}  // namespace corvane
