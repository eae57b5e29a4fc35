// What the game would load if it were started now: the files of its
// folders it reads (every archive, at any depth, and the loose files of the
// kinds and folders it reads them from), found by the rules the check of a
// game folder goes by, and its program. A mod is laid over it where a launch
// would place the mod's entries, without moving a byte.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fingerprint/fingerprint_builder.h"
#include "check/folder/folder_check.h"
#include "platform/file_system.h"
#include "state/game_table.h"

namespace corvane {

struct GameView {
    std::map<std::string, LoadedFile> files;  // by their names
    LoadedFile program;  // its szSource "" when the game folder holds none
    // What the player is told beside the code: entries that land where the
    // game does not look.
    std::vector<std::string> szNotes;
};

// The name a file of that folder is fingerprinted under, from its path
// below the folder. The Generals folder Zero Hour loads archives from lies,
// for every edition alike, under "zh_generals\", where Steam's Zero Hour
// carries it, so that the same files make the same code.
std::string LoadedName(const CheckedFolder& folder, const std::string& szRelative);

// The game loads the file at szFolded (below its folder, ASCII letters in
// lower case): not inside Corvane's backups; an archive
// anywhere, a loose file of a kind and folder the game reads, but not in
// another tool's leftover folder; of the Generals folder Zero Hour plays
// from, only archives.
bool GameLoadsFile(const std::string& szFolded, bool bGeneralsOfZeroHour);

// Every file below szRoot (ending in a backslash), hidden and system ones
// too, by its path below it and its entry in the listing, whose size and
// last write spare a look at each file; a folder enter says no to is
// passed over.
void WalkFiles(FileSystem& files, const std::string& szRoot, const std::function<bool(const std::string&)>& enter,
               const std::function<void(const std::string&, const DirEntry&)>& file);

// The game's folders as they are. szLeftAlone: full paths (ASCII letters
// in lower case) of items neither looked at nor entered, as the check
// leaves them: the mods' own sources, what an unfinished launch owns.
// szProgram: the game's program in the first folder. Failures of the disk
// are thrown.
GameView ViewOfFolders(const std::vector<CheckedFolder>& folders, const std::string& szProgram, FileSystem& files,
                       const std::set<std::string>& szLeftAlone);

}  // namespace corvane
