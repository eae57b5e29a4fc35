#include "launch/undo/undo_ledger.h"

namespace corvane {

namespace {

constexpr const char* kTryAgain = "ERROR: This could not be put back now; Corvane tries again at its next start:";

// A change the undo takes back: what a rename moved aside, a folder made,
// a copy put in place (or merged into one of the launch's own folders), a
// stray archive set aside.
bool IsChange(const JournalRecord& record) {
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

}  // namespace

UndoLedger::UndoLedger(const std::vector<JournalRecord>& records) : records(records), states(records.size()) {
    for (size_t i = 0; i < records.size(); ++i) {
        states[i] = IsChange(records[i]) ? State::kOpen : State::kDone;
        if (IsChange(records[i])) paths.Add(records[i].szPath, static_cast<int>(i));
    }
}

void UndoLedger::Done(int i) {
    if (i >= 0 && states[i] == State::kOpen) states[i] = State::kDone;
}

void UndoLedger::TryAgain(int i) {
    if (i < 0 || states[i] == State::kDone) return;
    lLeft += states[i] != State::kTryAgain;
    states[i] = State::kTryAgain;
    szTryAgain.Add(records[i].szPath, 0);
    if (records[i].step == JournalStep::kRename) szTryAgain.Add(records[i].szOther, 0);
}

void UndoLedger::TryAgainAt(const std::string& szPath) {
    for (int i : paths.ValuesAtOrBelow(szPath)) TryAgain(i);
    szTryAgain.Add(szPath, 0);
}

bool UndoLedger::NearTryAgain(int i) const {
    if (szTryAgain.Near(records[i].szPath)) return true;
    return records[i].step == JournalStep::kRename && szTryAgain.Near(records[i].szOther);
}

uint64_t UndoLedger::OpenCount() const {
    uint64_t lOpen = 0;
    for (const State state : states) lOpen += state == State::kOpen;
    return lOpen;
}

UndoResult UndoLedger::Left() const {
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

void NameLeft(LaunchLog& log, const std::string& szWhere) {
    log.Line(kTryAgain);
    log.Line(szWhere);
}

}  // namespace corvane
