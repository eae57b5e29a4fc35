#include "launch/set_aside.h"

#include <exception>

#include "gamecheck/folder_check.h"
#include "launch/folder_locks.h"
#include "launch/held_locks.h"
#include "launch/launch_rules.h"
#include "launch/recovery.h"

namespace corvane {

namespace {

std::string NameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of('\\') + 1); }

const std::string& From(const AsideMove& move) { return move.bBack ? move.szAside : move.szName; }
const std::string& To(const AsideMove& move) { return move.bBack ? move.szName : move.szAside; }

}  // namespace

std::vector<AsideMove> AsideMoves(const std::vector<std::string>& szPaths, bool bBack) {
    std::vector<AsideMove> moves;
    for (const std::string& szPath : szPaths)
        moves.push_back(bBack ? AsideMove{NameBeforeAside(szPath), szPath, true} : AsideMove{szPath, AsideName(szPath), false});
    return moves;
}

std::string MovedLine(const AsideMove& move) { return (move.bBack ? "Put back: " : "Set aside: ") + move.szName; }

std::string TakenLine(const AsideMove& move) {
    return "Left as it is: " + From(move) + " (" + NameOf(To(move)) + " is taken)";
}

// The journal notes each file by its own name and its set-aside name,
// whichever way it goes: its undo is always the way back to its own name.
size_t MoveNoted(const std::vector<AsideMove>& moves, LaunchJournal& journal, FileSystem& files, LaunchLog& log) {
    std::vector<const AsideMove*> free;
    for (const AsideMove& move : moves) {
        if (!files.Look(From(move))) continue;  // gone since it was found
        if (files.Look(To(move))) {
            log.Line(TakenLine(move));
            continue;
        }
        free.push_back(&move);
        journal.Note(RecordOf(JournalStep::kSetAside, move.szName, move.szAside));
    }
    if (free.empty()) return 0;
    journal.Write();
    for (const AsideMove* move : free) {
        files.Rename(From(*move), To(*move));
        log.Line(MovedLine(*move));
    }
    return free.size();
}

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
