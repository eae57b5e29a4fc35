#include "launch/targets/game_folders.h"

#include <set>

#include "launch/targets/launch_rules.h"

namespace corvane {

namespace {

// The games' own folders in Documents, named as the games name them.
constexpr const char* kUserDataFolders[] = {"Command and Conquer Generals Data",
                                            "Command and Conquer Generals Zero Hour Data"};

bool SameFolder(const std::string& szOne, const std::string& szOther) {
    return !szOther.empty() && FoldPath(WithoutTrailingBackslashes(szOne)) == FoldPath(WithoutTrailingBackslashes(szOther));
}

// The folders of the system and its users, as written and as resolved,
// each with what the player calls it.
class SystemFolderNames {
public:
    explicit SystemFolderNames(FileSystem& files) {
        SystemFolders system;
        try {
            system = files.KnownSystemFolders();
        } catch (const std::exception&) {
        }
        named = {{system.szWindows, "the Windows folder"}, {system.szProgramData, "ProgramData"},
                 {system.szUsers, "the Users folder"}, {system.szProfile, "a user's profile folder"}};
        for (const std::string& szFolder : system.szProgramFiles) named.emplace_back(szFolder, "a Program Files folder");
        for (size_t i = 0, lCount = named.size(); i < lCount; ++i)
            if (!named[i].first.empty()) named.emplace_back(ResolvedOrWritten(files, named[i].first), named[i].second);
        szUsers = {system.szUsers, system.szUsers.empty() ? "" : ResolvedOrWritten(files, system.szUsers)};
    }

    // Why a folder holds far more than one game: a root, or a folder of the
    // system or its users. Nothing when it is an ordinary folder.
    const char* TooBroad(const std::string& szFolder) const {
        if (RootLength(szFolder) > 0 && !IsBelowRoot(szFolder))
            return szFolder.rfind("\\\\", 0) == 0 && szFolder[2] != '?' ? "a network share's root" : "a drive's root";
        for (const auto& [szSystem, szWhat] : named)
            if (SameFolder(szFolder, szSystem)) return szWhat;
        for (const std::string& szUsersFolder : szUsers)
            if (SameFolder(ParentOf(WithoutTrailingBackslashes(szFolder)), szUsersFolder)) return "a user's profile folder";
        return nullptr;
    }

private:
    std::vector<std::pair<std::string, const char*>> named;
    std::vector<std::string> szUsers;
};

}  // namespace

bool IsInsideFolder(const std::string& szPath, const std::string& szFolder) {
    return IsAtOrBelow(WithoutTrailingBackslashes(szPath), WithoutTrailingBackslashes(szFolder));
}

// Steam's Zero Hour keeps its Generals folder, ZH_Generals, inside its own
// installation folder: that one holds it. Folders that cannot be resolved
// count as written.
GameFolders::GameFolders(const GameTable& games, FileSystem& files) : resolved(files) {
    const SystemFolderNames system(files);
    std::set<std::string> szSeen;
    for (const GameEntry& game : games) {
        if (!game.IsInstalled() || !szSeen.insert(FoldPath(WithoutTrailingBackslashes(game.szInstallPath))).second)
            continue;
        const std::string szResolved = ResolvedOrWritten(files, game.szInstallPath);
        const char* szWhy = system.TooBroad(game.szInstallPath);
        if (!szWhy) szWhy = system.TooBroad(szResolved);
        if (!szWhy) {
            folders.push_back({WithoutTrailingBackslashes(game.szInstallPath), szResolved});
            continue;
        }
        szPassedOver.push_back(game.szTitle + " is installed in " + game.szInstallPath + ", " + szWhy +
                               ": that folder does not count as the game's, so Corvane asks before a mod writes "
                               "into it and offers no administrator rights for it.");
    }
    try {
        const std::string szDocuments = files.DocumentsFolder();
        for (const char* szName : kUserDataFolders) {
            const std::string szFolder = szDocuments + "\\" + szName;
            folders.push_back({szFolder, ResolvedOrWritten(files, szFolder)});
        }
    } catch (const std::exception&) {
    }
}

std::optional<std::string> GameFolders::Holding(const std::string& szPath) {
    const std::string& szResolved = resolved.Of(szPath);
    for (const Folder& folder : folders)
        if (IsInsideFolder(szResolved, folder.szResolved)) return folder.szPath;
    return std::nullopt;
}

}  // namespace corvane
