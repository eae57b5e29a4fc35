// The folders a mod may write into without a question: every installed
// game's installation folder, the Generals folder inside Steam's Zero Hour
// where mods are sent to it, and the games' own folders in the player's
// Documents, where they keep maps, replays and settings. A path lies in one
// when it is that folder or below it, both taken as the system resolves
// them, "." and ".." and links included.
//
// A game installed in a drive's root or in a folder of the system or its
// users (a broken or hand-made installer key) is still played, but its
// folder is not one of these: every folder of the drive, or the Windows
// folder, would be the game's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/targets/resolved_paths.h"
#include "platform/file_system.h"
#include "state/game_table.h"

namespace corvane {

// szPath is szFolder or lies below it; letter case and trailing
// backslashes aside ("C:\Games\Gen2" is not in "C:\Games\Gen").
bool IsInsideFolder(const std::string& szPath, const std::string& szFolder);

// Each folder is resolved once for the object's life: make one for each
// look at the disk (each step of a launch makes its own).
class GameFolders {
public:
    GameFolders(const GameTable& games, FileSystem& files);

    // The game's folder, as written, that the path lies in; nothing when it
    // lies in none.
    std::optional<std::string> Holding(const std::string& szPath);

    // For Corvane.log, one line for each installed game whose folder does
    // not count among the game's folders, saying why.
    const std::vector<std::string>& PassedOver() const { return szPassedOver; }

private:
    struct Folder {
        std::string szPath;      // as written
        std::string szResolved;
    };

    ResolvedPaths resolved;
    std::vector<Folder> folders;
    std::vector<std::string> szPassedOver;
};

}  // namespace corvane
