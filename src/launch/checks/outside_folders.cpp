#include "launch/checks/outside_folders.h"

#include <set>

namespace corvane {

namespace {

constexpr size_t kFoldersNamed = 10;

}  // namespace

std::vector<std::string> OutsideFolders(const std::vector<std::optional<Target>>& targets, GameFolders& gameFolders) {
    std::vector<std::string> szOutside;
    std::set<std::string> szSeen;
    for (const std::optional<Target>& target : targets) {
        if (!target || target->szPath.empty()) continue;
        const std::string szFolder = FolderOf(target->szPath);
        if (!szSeen.insert(FoldPath(szFolder)).second || gameFolders.Holding(szFolder)) continue;
        szOutside.push_back(szFolder);
    }
    return szOutside;
}

std::string OutsideQuestion(const std::vector<std::string>& szFolders) {
    std::string szText = "This mod writes outside the game's folders:";
    for (size_t i = 0; i < szFolders.size() && i < kFoldersNamed; ++i) szText += "\r" + szFolders[i];
    if (szFolders.size() > kFoldersNamed) szText += "\rand " + std::to_string(szFolders.size() - kFoldersNamed) + " more folders";
    return szText + "\r\rOnly go on if you trust where the mod came from. Go on?";
}

}  // namespace corvane
