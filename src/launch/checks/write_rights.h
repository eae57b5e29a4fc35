// Where Windows lets Corvane write. Administrator rights are offered for
// the game's folders only; a folder outside them that Windows keeps from
// Corvane stops the launch instead.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/targets/game_folders.h"
#include "launch/targets/launch_rules.h"
#include "platform/admin_rights.h"
#include "platform/file_system.h"

namespace corvane {

// The launched game's folder, and every game's folder a target lies in.
std::vector<std::string> GameFoldersWritten(const std::string& szGameFolder,
                                            const std::vector<std::optional<Target>>& targets, GameFolders& gameFolders);

// The first of the folders Windows will not let Corvane write, asked of the
// nearest folder that exists, where the swap would make the rest.
std::optional<std::string> FirstUnwritable(FileSystem& files, AdminRights& rights,
                                           const std::vector<std::string>& szFolders);

}  // namespace corvane
