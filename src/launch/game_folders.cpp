#include "launch/game_folders.h"

#include "launch/launch_rules.h"

namespace corvane {

namespace {

// The games' own folders in Documents, named as the games name them.
constexpr const char* kUserDataFolders[] = {"Command and Conquer Generals Data",
                                            "Command and Conquer Generals Zero Hour Data"};

}  // namespace

bool IsInsideFolder(const std::string& szPath, const std::string& szFolder) {
    const std::string szInside = WithoutTrailingBackslashes(szPath), szOf = WithoutTrailingBackslashes(szFolder);
    if (szOf.size() == 3 && szOf[1] == ':' && szOf[2] == '\\')  // a drive's root holds all of it
        return FoldPath(szInside.substr(0, 3)) == FoldPath(szOf);
    return IsAtOrBelow(szInside, szOf);
}

// Steam's Zero Hour keeps its Generals folder, ZH_Generals, inside its own
// installation folder: that one holds it. Folders that cannot be resolved
// count as written.
GameFolders::GameFolders(const GameTable& games, FileSystem& files) : files(files) {
    std::vector<std::string> szFolders;
    for (const GameEntry& game : games)
        if (game.IsInstalled()) szFolders.push_back(game.szInstallPath);
    try {
        const std::string szDocuments = files.DocumentsFolder();
        for (const char* szName : kUserDataFolders) szFolders.push_back(szDocuments + "\\" + szName);
    } catch (const std::exception&) {
    }
    for (const std::string& szFolder : szFolders) {
        std::string szResolved = szFolder;
        try {
            szResolved = files.ResolvedPath(szFolder);
        } catch (const std::exception&) {
        }
        folders.push_back({WithoutTrailingBackslashes(szFolder), std::move(szResolved)});
    }
}

std::optional<std::string> GameFolders::Holding(const std::string& szPath) {
    std::string szResolved = szPath;
    try {
        szResolved = files.ResolvedPath(szPath);
    } catch (const std::exception&) {
    }
    for (const Folder& folder : folders)
        if (IsInsideFolder(szResolved, folder.szResolved)) return folder.szPath;
    return std::nullopt;
}

}  // namespace corvane
