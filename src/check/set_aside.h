// Set Aside and Put Back on their own, from the check window: stray
// archives and loose files renamed to "<name>.aside" and back as a launch
// renames them, under the locks a launch takes and through the journal. The
// undo of a journal gives every file noted there its own name back (after a
// game, and at the next start after a crash), which undoes a Set Aside cut
// short and finishes a Put Back.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "launch/progress/launch_log.h"
#include "launch/swap/aside_moves.h"
#include "platform/file_system.h"
#include "platform/journal_store.h"
#include "platform/launch_locks.h"
#include "platform/problem_log.h"

namespace corvane {

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
