#include "check/set_aside.h"

#include <exception>

#include "launch/folder_locks.h"
#include "launch/held_locks.h"
#include "launch/targets/launch_rules.h"
#include "launch/recovery/recovery.h"

namespace corvane {

// Another launch could be writing the journal until this program folder's
// lock is ours; one cut short is undone first, by a launch or the next start.
AsideOutcome MoveAsideAlone(AsideServices& s, const std::string& szAppPath, const std::vector<std::string>& szGameFolders,
                            const std::vector<AsideMove>& moves, LaunchLog& log) {
    HeldLocks locks(s.locks);
    std::vector<std::string> szNames;
    for (const std::string& szFolder : szGameFolders) szNames.push_back(FolderLockName(s.files, s.problems, szFolder));
    if (!locks.Hold({ProgramLockName(s.files, s.problems, szAppPath)}) || !locks.HoldFile(szAppPath + "\\Corvane.lock") ||
        !locks.Hold(szNames))
        return AsideOutcome::kLaunchRuns;
    if (FindUnfinishedLaunch(s.journal)) return AsideOutcome::kUnfinishedLaunch;
    LaunchJournal journal(s.journal);
    const bool bBack = !moves.empty() && moves.front().bBack;
    journal.Note(RecordOf(JournalStep::kBegin, szGameFolders.at(0), bBack ? "Put Back" : "Set Aside"));
    for (const std::string& szName : szNames) journal.Note(RecordOf(JournalStep::kLock, szName));
    try {
        MoveNoted(moves, journal, s.files, log);
    } catch (const std::exception& e) {
        // Every file has one of its two names: there is nothing to undo.
        s.problems.Note(std::string(bBack ? "Put Back" : "Set Aside") + " stopped: " + e.what());
        log.Line(std::string("ERROR: ") + (bBack ? "Put Back" : "Set Aside") + " stopped here: " + e.what());
    }
    EndJournal(s.journal, s.problems);
    return AsideOutcome::kDone;
}

std::set<std::string> ItemsOfUnfinishedLaunch(JournalStore& journal) {
    std::set<std::string> szItems;
    std::vector<JournalRecord> records;
    try {
        records = DecodeJournal(journal.Read().value_or(""));
    } catch (const std::exception&) {
        return szItems;
    }
    if (records.empty() || records.front().step != JournalStep::kBegin || records.back().step == JournalStep::kEnd)
        return szItems;
    for (const JournalRecord& record : records) {
        if (record.bWasThere) continue;  // nothing was made or moved
        switch (record.step) {
        case JournalStep::kRename:
        case JournalStep::kSetAside:
            szItems.insert(FoldPath(record.szOther));
            [[fallthrough]];
        case JournalStep::kCopy:
        case JournalStep::kCreateFolder:
        case JournalStep::kPlace:
            szItems.insert(FoldPath(record.szPath));
            break;
        default:
            break;
        }
    }
    return szItems;
}

}  // namespace corvane
