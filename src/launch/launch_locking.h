// Which locks one launch takes, and in what order: first the program folder
// it runs from, whose journal it writes; once that is its own, the folders
// of a launch cut short, which it undoes first; then every folder it
// writes. The folders of the archives it sets aside join them once the
// player has answered. They stay held until the game folder is back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/held_locks.h"
#include "launch/launch_run.h"
#include "platform/platform.h"
#include "state/game_table.h"

namespace corvane {

// The program folder, then the folders of the launch cut short that its
// journal tells of (read only once the program folder is held: another
// launch may be writing it), into pending. False as soon as another
// program holds one of them (those taken stay held).
bool HoldUnfinishedLaunch(HeldLocks& locks, const Platform& platform, const std::string& szAppPath,
                          std::optional<UnfinishedLaunch>& pending);

// Those, and every folder the launch writes. False as soon as another program holds one of them (those taken stay
// held); the names of the folders the launch writes go to run.szLockNames.
bool HoldLaunchLocks(HeldLocks& locks, LaunchRun& run, const Platform& platform, const GameTable& games,
                     const std::string& szAppPath);

// The folders szPaths lie in, held too and added to run.szLockNames; false
// as above. A folder whose lock cannot be named is thrown.
bool HoldMoreFolders(HeldLocks& locks, LaunchRun& run, const Platform& platform, const GameTable& games,
                     const std::vector<std::string>& szPaths);

}  // namespace corvane
