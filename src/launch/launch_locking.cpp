#include "launch/launch_locking.h"

#include <algorithm>
#include <stdexcept>

#include "launch/folder_locks.h"
#include "launch/targets/game_folders.h"

namespace corvane {

namespace {

// Where the mod's entries go, as full paths; an entry with none is refused
// or stops the swap there.
std::vector<std::string> TargetsOf(const ModConfig& mod, const GameEntry& game) {
    std::vector<std::string> szTargets;
    for (int16_t i = 0; i < mod.dCount; ++i) {
        try {
            if (std::string szPath = TargetAt(mod, i, game).szPath; !szPath.empty()) szTargets.push_back(std::move(szPath));
        } catch (const std::invalid_argument&) {
        }
    }
    return szTargets;
}

// One launch at a time from this program folder, in whatever Wine prefix
// its copies run: there they share the journal.
bool HoldProgramFolder(HeldLocks& locks, const Platform& platform, const std::string& szAppPath) {
    return locks.Hold({ProgramLockName(platform.files, platform.problems, szAppPath)}) &&
           locks.HoldFile(szAppPath + "\\Corvane.lock");
}

// The locks a launch cut short held; a journal of older days names none.
std::vector<std::string> PendingLockNames(const UnfinishedLaunch& launch, const Platform& platform) {
    std::vector<std::string> szNames = launch.LockNames();
    if (szNames.empty()) szNames.push_back(FolderLockName(platform.files, platform.problems, launch.szGameFolder));
    return szNames;
}

}  // namespace

bool HoldUnfinishedLaunch(HeldLocks& locks, const Platform& platform, const std::string& szAppPath,
                          std::optional<UnfinishedLaunch>& pending) {
    if (!HoldProgramFolder(locks, platform, szAppPath)) return false;
    pending = FindUnfinishedLaunch(platform.journal);
    return !pending || locks.Hold(PendingLockNames(*pending, platform));
}

// One launch at a time from this program folder, and one at a time into
// every folder a launch writes, whatever folder the program runs from.
bool HoldLaunchLocks(HeldLocks& locks, LaunchRun& run, const Platform& platform, const GameTable& games,
                     const std::string& szAppPath) {
    if (!HoldUnfinishedLaunch(locks, platform, szAppPath, run.pending)) return false;
    GameFolders gameFolders(games, platform.files);
    run.szLockNames = FolderLockNames(platform.files, platform.problems, gameFolders, run.game.szInstallPath,
                                      run.mod ? TargetsOf(*run.mod, run.game) : std::vector<std::string>{});
    return locks.Hold(run.szLockNames);
}

bool HoldMoreFolders(HeldLocks& locks, LaunchRun& run, const Platform& platform, const GameTable& games,
                     const std::vector<std::string>& szPaths) {
    GameFolders gameFolders(games, platform.files);
    const std::vector<std::string> szNames =
        FolderLockNames(platform.files, platform.problems, gameFolders, run.game.szInstallPath, szPaths);
    if (!locks.Hold(szNames)) return false;
    for (const std::string& szName : szNames)
        if (std::find(run.szLockNames.begin(), run.szLockNames.end(), szName) == run.szLockNames.end())
            run.szLockNames.push_back(szName);
    return true;
}

}  // namespace corvane
