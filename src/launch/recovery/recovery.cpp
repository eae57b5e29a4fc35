#include "launch/recovery/recovery.h"

#include <algorithm>
#include <exception>

namespace corvane {

namespace {

bool IsChange(JournalStep step) {
    return step == JournalStep::kRename || step == JournalStep::kCreateFolder || step == JournalStep::kCopy ||
           step == JournalStep::kPlace || step == JournalStep::kSetAside;
}

// What the next start needs besides the changes: where, under which locks,
// and which game.
bool IsContext(JournalStep step) {
    return step == JournalStep::kBegin || step == JournalStep::kLock || step == JournalStep::kGameStarting ||
           step == JournalStep::kGameStarted;
}

// False when the wait was given up.
bool WaitForTheGame(const UnfinishedLaunch& launch, RecoveryServices& s, const std::atomic<bool>& bStop) {
    std::vector<ProcessId> recorded;
    for (const JournalRecord& record : launch.records)
        if (record.step == JournalStep::kGameStarted) recorded.push_back(record.process);
    const bool bRunning = s.processes.AnyRunsFrom(launch.szGameFolder) ||
                          std::any_of(recorded.begin(), recorded.end(),
                                      [&](const ProcessId& id) { return s.processes.IsRunning(id); });
    if (!bRunning) return true;
    s.log.Line("The game of that launch is still running: waiting for it to end.");
    s.log.Waiting(true);
    const bool bEnded = s.processes.WaitForEnd(recorded, launch.szGameFolder, bStop);
    s.log.Waiting(false);
    return bEnded;
}

}  // namespace

void EndJournal(JournalStore& journal, ProblemLog& problems) {
    try {
        return journal.Remove();
    } catch (const std::exception& e) {
        problems.Note("Could not remove the launch journal: " + std::string(e.what()));
    }
    // Told that the launch is over, so that the next start does not take
    // it for one cut short.
    try {
        journal.Replace(EncodeRecord(RecordOf(JournalStep::kEnd)));
    } catch (const std::exception& e) {
        problems.Note("Could not end the launch journal: " + std::string(e.what()));
    }
}

std::vector<std::string> UnfinishedLaunch::LockNames() const {
    std::vector<std::string> szNames;
    for (const JournalRecord& record : records)
        if (record.step == JournalStep::kLock) szNames.push_back(record.szPath);
    return szNames;
}

std::optional<UnfinishedLaunch> FindUnfinishedLaunch(JournalStore& journal) {
    const std::optional<std::string> szBytes = journal.Read();
    if (!szBytes) return std::nullopt;
    size_t lWhole = 0;
    std::vector<JournalRecord> records = DecodeJournal(*szBytes, &lWhole);
    // Every change is noted after the launch's first record, and a launch
    // that reached its end undid its changes itself.
    const bool bStarted = !records.empty() && records.front().step == JournalStep::kBegin;
    const bool bEnded = !records.empty() && records.back().step == JournalStep::kEnd;
    const bool bChanged =
        std::any_of(records.begin(), records.end(), [](const JournalRecord& record) { return IsChange(record.step); });
    if (!bStarted || bEnded || !bChanged) {
        journal.Remove();
        return std::nullopt;
    }
    std::string szGameFolder = records.front().szPath;
    return UnfinishedLaunch{std::move(szGameFolder), std::move(records), lWhole};
}

void KeepInJournal(const std::vector<JournalRecord>& records, const UndoResult& result, JournalStore& journal,
                   ProblemLog& problems) {
    if (result.Clean()) return EndJournal(journal, problems);
    try {
        std::string szBytes;
        for (const JournalRecord& record : records)
            if (IsContext(record.step)) AppendRecord(szBytes, record);
        for (const JournalRecord& record : result.kept) AppendRecord(szBytes, record);
        journal.Replace(szBytes);
    } catch (const std::exception& e) {
        problems.Note("Could not update the launch journal: " + std::string(e.what()));
    }
}

Recovery RecoverLaunch(const UnfinishedLaunch& launch, RecoveryServices& s, const std::atomic<bool>& bStop) {
    s.log.Line("Restoring the game folder after an unfinished launch.");
    if (!WaitForTheGame(launch, s, bStop)) return Recovery::kStopped;
    LaunchJournal journal(s.journal, launch.lWholeBytes);
    UndoServices undo{s.files, s.fso, s.log, s.problems, journal};
    const UndoResult result = UndoLaunch(launch.records, nullptr, undo);
    KeepInJournal(launch.records, result, s.journal, s.problems);
    s.log.Line("END");
    return result.Clean() ? Recovery::kDone : Recovery::kLeftSome;
}

}  // namespace corvane
