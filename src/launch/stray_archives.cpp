#include "launch/stray_archives.h"

#include <algorithm>
#include <exception>

#include "gamecheck/check_lines.h"
#include "gamecheck/folder_check.h"

namespace corvane {

namespace {

constexpr size_t kArchivesNamed = 10;

bool IsTargetOrInOne(const std::string& szPath, const std::vector<std::optional<Target>>& targets) {
    return std::any_of(targets.begin(), targets.end(), [&](const std::optional<Target>& target) {
        return target && !target->szPath.empty() && IsAtOrBelow(szPath, target->szPath);
    });
}

}  // namespace

std::vector<std::string> StrayArchivesFor(const GameTable& games, int16_t dGame,
                                          const std::vector<std::optional<Target>>& targets, FileSystem& files,
                                          ProblemLog& problems) {
    FolderCheck check;
    try {
        check = CheckGameFolders(FoldersOf(games, dGame, files), files, {});
    } catch (const std::exception& e) {
        problems.Note(std::string("The game folder could not be checked for stray archives: ") + e.what());
        return {};
    }
    std::erase_if(check.findings, [&](const Finding& finding) { return IsTargetOrInOne(check.PathOf(finding), targets); });
    for (const std::string& szLine : FindingLines(check, FindingKind::kLooseFile))
        problems.Note("The game loads this with the mod: " + szLine);
    std::vector<std::string> szStrays;
    for (const Finding& finding : check.findings)
        if (finding.kind == FindingKind::kStrayArchive) szStrays.push_back(check.PathOf(finding));
    return szStrays;
}

std::string StrayQuestion(const std::vector<std::string>& szArchives) {
    std::string szText;
    for (size_t i = 0; i < szArchives.size() && i < kArchivesNamed; ++i) szText += szArchives[i] + "\r";
    if (szArchives.size() > kArchivesNamed)
        szText += "and " + std::to_string(szArchives.size() - kArchivesNamed) + " more\r";
    return szText +
           "\rThese archives are neither the game's nor the mod's, and the game would load them with the mod. "
           "Set them aside while you play? They come back when the game ends.";
}

}  // namespace corvane
