#include "launch/checks/write_rights.h"

#include <set>

namespace corvane {

std::vector<std::string> GameFoldersWritten(const std::string& szGameFolder,
                                            const std::vector<std::optional<Target>>& targets, GameFolders& gameFolders) {
    // The game's own folder too, unless it does not count as the game's.
    std::vector<std::string> szFolders;
    if (gameFolders.Holding(szGameFolder)) szFolders.push_back(szGameFolder);
    std::set<std::string> szSeen{FoldPath(WithoutTrailingBackslashes(szGameFolder))};
    for (const std::optional<Target>& target : targets) {
        if (!target) continue;
        const std::optional<std::string> szHolder = gameFolders.Holding(FolderOf(target->szPath));
        if (szHolder && szSeen.insert(FoldPath(*szHolder)).second) szFolders.push_back(*szHolder);
    }
    return szFolders;
}

std::optional<std::string> FirstUnwritable(FileSystem& files, AdminRights& rights,
                                           const std::vector<std::string>& szFolders) {
    for (const std::string& szFolder : szFolders) {
        std::string szAt = WithoutTrailingBackslashes(szFolder);
        while (IsBelowRoot(szAt) && !files.Stat(szAt)) szAt = ParentOf(szAt);
        if (RootLength(szAt + '\\') == szAt.size() + 1) szAt += '\\';
        if (!rights.MayChange(szAt)) return szFolder;
    }
    return std::nullopt;
}

}  // namespace corvane
