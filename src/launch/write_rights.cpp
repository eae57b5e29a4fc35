#include "launch/write_rights.h"

#include <set>

namespace corvane {

std::vector<std::string> GameFoldersWritten(const std::string& szGameFolder,
                                            const std::vector<std::optional<Target>>& targets, GameFolders& gameFolders) {
    std::vector<std::string> szFolders{szGameFolder};
    std::set<std::string> szSeen{FoldPath(WithoutTrailingBackslashes(szGameFolder))};
    for (const std::optional<Target>& target : targets) {
        if (!target) continue;
        const std::optional<std::string> szHolder = gameFolders.Holding(ParentOf(target->szPath));
        if (szHolder && szSeen.insert(FoldPath(*szHolder)).second) szFolders.push_back(*szHolder);
    }
    return szFolders;
}

std::optional<std::string> FirstUnwritable(FileSystem& files, AdminRights& rights,
                                           const std::vector<std::string>& szFolders) {
    for (const std::string& szFolder : szFolders) {
        std::string szAt = WithoutTrailingBackslashes(szFolder);
        while (IsBelowRoot(szAt) && !files.Stat(szAt)) szAt = ParentOf(szAt);
        if (szAt.size() == 2 && szAt[1] == ':') szAt += '\\';
        if (!rights.MayChange(szAt)) return szFolder;
    }
    return std::nullopt;
}

}  // namespace corvane
