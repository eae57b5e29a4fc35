// Which locks a launch takes: one for the program folder it runs from, and
// one for every folder it writes, named after a folder that exists when the
// launch begins, so that a folder the launch creates never changes a name:
// the game's folder the launched game runs from, the game's folder each
// target lies in, and, for a target outside every game's folder, its
// volume (one launch at a time writes outside the game's folders of a
// volume). Names come from what a folder is, not how it is spelt (letter
// case, short names, a trailing backslash, a subst or mapped drive letter);
// where that cannot be read (Wine's folders on another Linux file system,
// a drive mapped while Wine runs), from the folder's full path in capital
// letters, which Corvane.log then tells.
#pragma once

#include <string>
#include <vector>

#include "launch/targets/game_folders.h"
#include "platform/file_system.h"
#include "platform/problem_log.h"

namespace corvane {

std::string ProgramLockName(FileSystem& files, ProblemLog& problems, const std::string& szAppPath);
std::string FolderLockName(FileSystem& files, ProblemLog& problems, const std::string& szFolder);
// The lock of writing outside the game's folders on the folder's volume.
std::string VolumeLockName(FileSystem& files, ProblemLog& problems, const std::string& szFolder);

// szGameFolder: the launched game's folder; szTargets: where the mod's
// entries go.
std::vector<std::string> FolderLockNames(FileSystem& files, ProblemLog& problems, GameFolders& gameFolders,
                                         const std::string& szGameFolder, const std::vector<std::string>& szTargets);

}  // namespace corvane
