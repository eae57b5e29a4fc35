#include "launch/swap/aside_moves.h"

#include "check/folder/folder_check.h"

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

}  // namespace corvane
