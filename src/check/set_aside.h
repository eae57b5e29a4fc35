// Set Aside and Put Back: stray archives and loose files renamed in place
// to "<name>.aside", where the game loads them no more, and back. Each
// rename is noted in the journal before it is made, as a launch's changes
// are: the undo of a journal gives every file noted there its own name back
// (after a game, and at the next start after a crash), which undoes a Set
// Aside cut short and finishes a Put Back. A name that is taken is never
// overwritten: its item is named and stays as it is.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "launch/launch_journal.h"
#include "launch/launch_log.h"
#include "platform/file_system.h"
#include "platform/journal_store.h"
#include "platform/launch_locks.h"
#include "platform/problem_log.h"

namespace corvane {

// One file's rename: from szName to szAside, or back.
struct AsideMove {
    std::string szName;
    std::string szAside;
    bool bBack = false;
};

// Set aside (bBack false: the paths are the files' own) or put back (the
// paths are the set-aside names).
std::vector<AsideMove> AsideMoves(const std::vector<std::string>& szPaths, bool bBack);

// The lines a rename and a taken name are told in, in the log, the window
// and Corvane.log.
std::string MovedLine(const AsideMove& move);
std::string TakenLine(const AsideMove& move);

// Notes every move whose new name is free in the journal, writes it, and
// makes them one after the other, a line each. A failure is thrown; what
// was renamed so far stays so. Returns how many moves were noted (0: the
// journal was not written).
size_t MoveNoted(const std::vector<AsideMove>& moves, LaunchJournal& journal, FileSystem& files, LaunchLog& log);

struct AsideServices {
    FileSystem& files;
    JournalStore& journal;
    LaunchLocks& locks;
    ProblemLog& problems;
};

enum class AsideOutcome {
    kDone,              // every line said what became of its file
    kLaunchRuns,        // a launch from this program folder, or into one of the folders, runs
    kUnfinishedLaunch,  // a launch cut short is not undone yet: its journal stays as it is
};

// A Set Aside or Put Back on its own: under the locks a launch of the game
// folders holds (this program folder's, whose journal it writes, and each
// folder's), through the journal, which goes once the renames are done.
// szGameFolders: the folders the files lie in, the launched game's first.
AsideOutcome MoveAsideAlone(AsideServices& s, const std::string& szAppPath, const std::vector<std::string>& szGameFolders,
                            const std::vector<AsideMove>& moves, LaunchLog& log);

// The items an unfinished launch of this program folder noted and has not
// undone (ASCII letters in lower case): a check leaves them alone. A journal
// that cannot be read names none.
std::set<std::string> ItemsOfUnfinishedLaunch(JournalStore& journal);

}  // namespace corvane
