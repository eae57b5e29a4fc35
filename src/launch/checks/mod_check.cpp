#include "launch/checks/mod_check.h"

#include <optional>

#include "launch/checks/outside_folders.h"
#include "launch/checks/write_rights.h"
#include "launch/targets/game_folders.h"

namespace corvane {

ModCheck CheckMod(const ModConfig& mod, const GameEntry& game, const GameTable& games, int16_t dGame,
                  const Platform& platform, const std::string& szAppPath, CopyGuide& guide, LaunchLog& log) {
    ModCheck result;
    result.sources = CheckSources(mod, game, platform.files, platform.fso, guide, log);
    if (!result.sources.bAllThere) {
        result.verdict = ModVerdict::kStop;
        return result;
    }
    const std::vector<std::optional<Target>>& targets = result.sources.targets;
    GameFolders gameFolders(games, platform.files);
    result.szOutside = OutsideFolders(targets, gameFolders);
    if (const std::optional<std::string> szFolder = FirstUnwritable(platform.files, platform.rights, result.szOutside)) {
        log.Line("ERROR: Windows does not let Corvane write here, and Corvane asks for administrator rights only for "
                 "the game's folders:");
        log.Line(*szFolder);
        result.verdict = ModVerdict::kStop;
        return result;
    }
    if (!platform.rights.IsAdministrator()) {
        const std::vector<std::string> szGameFolders = GameFoldersWritten(game.szInstallPath, targets, gameFolders);
        if (const std::optional<std::string> szFolder = FirstUnwritable(platform.files, platform.rights, szGameFolders)) {
            log.Line("ERROR: Windows does not let Corvane change " + *szFolder + " without administrator rights.");
            result.szNeedsRights = *szFolder;
            result.verdict = ModVerdict::kNeedsAdministrator;
            return result;
        }
    }
    result.strays = StrayArchivesFor(games, dGame, mod, targets, platform.files, platform.problems, szAppPath);
    if (result.szOutside.empty() && result.strays.asked.empty() && result.strays.szAsideAgain.empty()) return result;
    result.verdict = result.szOutside.empty() ? ModVerdict::kAskStrays : ModVerdict::kAskOutside;
    return result;
}

}  // namespace corvane
