// Stray archives and loose files renamed in place to "<name>.aside", where
// the game loads them no more, and back: the rename a launch makes for the
// files the player sets aside while playing, the one Set Aside and Put Back
// make on their own, and the one the undo makes on the way back. Each
// rename is noted in the journal before it is made. A name that is taken is
// never overwritten: its item is named and stays as it is.
#pragma once

#include <string>
#include <vector>

#include "launch/journal/launch_journal.h"
#include "launch/progress/launch_log.h"
#include "platform/file_system.h"

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

}  // namespace corvane
