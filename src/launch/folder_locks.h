// Which locks a launch takes: one for the program folder it runs from, one
// for the launched game's folder, and one for every other folder its mod
// writes into: the game installation it lies in, or, outside every game
// installation, the destination folder itself. Locks are named after what
// a folder is, not how it is spelt, so that two spellings of one folder
// (letter case, a short name, a trailing backslash, a subst or mapped drive
// letter) give one lock.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

std::string ProgramLockName(FileSystem& files, const std::string& szAppPath);
std::string FolderLockName(FileSystem& files, const std::string& szFolder);

// mod: the mod launched, or nullptr; dGame: the row launched.
std::vector<std::string> FolderLockNames(FileSystem& files, const GameTable& games, int16_t dGame,
                                         const ModConfig* mod);

}  // namespace corvane
