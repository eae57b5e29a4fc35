#include "launch/checks/stray_archives.h"

#include <algorithm>
#include <exception>

#include "check/folder/check_lines.h"
#include "check/folder/folder_check.h"
#include "launch/targets/resolved_paths.h"

namespace corvane {

namespace {

constexpr size_t kArchivesNamed = 10;

bool IsTargetOrInOne(const std::string& szPath, const std::vector<std::optional<Target>>& targets) {
    return std::any_of(targets.begin(), targets.end(), [&](const std::optional<Target>& target) {
        return target && !target->szPath.empty() && IsAtOrBelow(szPath, target->szPath);
    });
}

StrayArchive ArchiveOf(const FolderCheck& check, const Finding& finding) {
    return {check.PathOf(finding), check.szFolders.at(finding.lFolder), finding.szRelative, finding.lSize};
}

}  // namespace

StrayOffer StrayArchivesFor(const GameTable& games, int16_t dGame, const ModConfig& mod,
                            const std::vector<std::optional<Target>>& targets, FileSystem& files, ProblemLog& problems,
                            const std::string& szAppPath) {
    FolderCheck check;
    try {
        check = CheckGameFolders(FoldersOf(games, dGame, files), files, SourcesOf({mod}, files));
    } catch (const std::exception& e) {
        problems.Note(std::string("The game folder could not be checked for stray archives: ") + e.what());
        return {};
    }
    std::erase_if(check.findings, [&](const Finding& finding) { return IsTargetOrInOne(check.PathOf(finding), targets); });
    for (const std::string& szLine : FindingLines(check, FindingKind::kLooseFile))
        problems.Note("The game loads this with the mod: " + szLine);
    StrayOffer offer;
    std::erase_if(check.findings, [](const Finding& finding) { return !finding.bOffered; });
    if (check.findings.empty()) return offer;
    offer.answers = std::make_shared<StrayAnswers>(files, problems, szAppPath);
    for (const Finding& finding : check.findings) {
        StrayArchive archive = ArchiveOf(check, finding);
        const std::optional<bool> bSetAside = offer.answers->SetAside(archive.szFolder, archive.szArchive, archive.lSize);
        if (!bSetAside)
            offer.asked.push_back(std::move(archive));
        else if (*bSetAside)
            offer.szAsideAgain.push_back(archive.szPath);
    }
    return offer;
}

std::set<std::string> SourcesOf(const std::vector<ModConfig>& mods, FileSystem& files) {
    std::set<std::string> szSources;
    for (const ModConfig& mod : mods) {
        for (const std::string& szSrc : mod.szSrc) {
            const std::optional<std::string> szFull = FullPathOf(szSrc);
            if (!szFull) continue;
            szSources.insert(FoldPath(*szFull));
            szSources.insert(FoldPath(ResolvedOrWritten(files, *szFull)));
        }
    }
    return szSources;
}

std::string StrayQuestion(const std::vector<StrayArchive>& archives) {
    std::string szText;
    for (size_t i = 0; i < archives.size() && i < kArchivesNamed; ++i) szText += archives[i].szPath + "\r";
    if (archives.size() > kArchivesNamed)
        szText += "and " + std::to_string(archives.size() - kArchivesNamed) + " more\r";
    return szText +
           "\rThese archives are neither the game's nor the mod's, and the game would load them with the mod. "
           "Set them aside while you play? They come back when the game ends.\r\r"
           "Corvane remembers your answer for them; Check Game Folder lets you forget it.";
}

void RememberAnswer(const std::vector<StrayArchive>& asked, bool bSetAside, StrayAnswers& answers,
                    ProblemLog& problems) {
    std::vector<StrayAnswer> added;
    for (const StrayArchive& archive : asked) added.push_back({archive.szFolder, archive.szArchive, archive.lSize, bSetAside});
    try {
        answers.Remember(added);
    } catch (const std::exception& e) {
        problems.Note(std::string("The answer about stray archives could not be remembered: ") + e.what());
    }
}

}  // namespace corvane
