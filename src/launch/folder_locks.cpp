#include "launch/folder_locks.h"

#include <map>
#include <optional>
#include <set>
#include <stdexcept>

#include "launch/launch_rules.h"

namespace corvane {

namespace {

std::string WithoutTrailingBackslash(std::string szPath) {
    while (szPath.size() > 3 && szPath.back() == '\\') szPath.pop_back();
    return szPath;
}

// What folders are, asked once each.
class FolderKeys {
public:
    explicit FolderKeys(FileSystem& files) : files(files) {}

    std::optional<std::string> IdentityOf(const std::string& szPath) {
        const std::string szFolded = FoldPath(szPath);
        const auto it = known.find(szFolded);
        if (it != known.end()) return it->second;
        return known[szFolded] = files.Identity(szPath);
    }

    // The folder's identity; for a folder that does not exist yet, the
    // identity of the nearest one above it that does, and the rest of the
    // path.
    std::string KeyOf(const std::string& szFolder) {
        const std::string szPath = WithoutTrailingBackslash(szFolder);
        for (std::string szAt = szPath;; szAt = ParentOf(szAt)) {
            if (const std::optional<std::string> id = IdentityOf(szAt)) return *id + FoldPath(szPath.substr(szAt.size()));
            if (!IsBelowRoot(szAt)) return FoldPath(szPath);
        }
    }

private:
    FileSystem& files;
    std::map<std::string, std::optional<std::string>> known;
};

struct Installation {
    std::string szFolder;
    std::optional<std::string> id;
    std::string szLock;
};

// The installation a destination folder lies in, by its spelling, or by
// what it and the folders above it are.
const Installation* InstallationHolding(const std::string& szFolder, const std::vector<Installation>& installs,
                                        FolderKeys& keys) {
    for (const Installation& install : installs)
        if (IsAtOrBelow(szFolder, install.szFolder)) return &install;
    for (std::string szAt = szFolder; IsBelowRoot(szAt); szAt = ParentOf(szAt)) {
        const std::optional<std::string> id = keys.IdentityOf(szAt);
        if (!id) continue;
        for (const Installation& install : installs)
            if (install.id == id) return &install;
    }
    return nullptr;
}

}  // namespace

std::string ProgramLockName(FileSystem& files, const std::string& szAppPath) {
    return LockNameFor("program", FolderKeys(files).KeyOf(szAppPath));
}

std::string FolderLockName(FileSystem& files, const std::string& szFolder) {
    return LockNameFor("folder", FolderKeys(files).KeyOf(szFolder));
}

std::vector<std::string> FolderLockNames(FileSystem& files, const GameTable& games, int16_t dGame,
                                         const ModConfig* mod) {
    FolderKeys keys(files);
    std::set<std::string> szNames{LockNameFor("folder", keys.KeyOf(games.at(dGame).szInstallPath))};
    if (mod && !mod->bFolderMod) {
        std::vector<Installation> installs;
        for (const GameEntry& game : games) {
            if (!game.IsInstalled()) continue;
            const std::string szFolder = WithoutTrailingBackslash(game.szInstallPath);
            installs.push_back({szFolder, keys.IdentityOf(szFolder), LockNameFor("folder", keys.KeyOf(szFolder))});
        }
        std::set<std::string> szSeen;
        for (int16_t i = 0; i < mod->dCount; ++i) {
            std::string szFolder;
            try {
                szFolder = ParentOf(TargetOf(*mod, i, games.at(dGame)));
            } catch (const std::invalid_argument&) {
                continue;  // no target: the swap stops there
            }
            if (szFolder.empty() || !szSeen.insert(FoldPath(szFolder)).second) continue;
            const Installation* install = InstallationHolding(szFolder, installs, keys);
            szNames.insert(install ? install->szLock : LockNameFor("folder", keys.KeyOf(szFolder)));
        }
    }
    return {szNames.begin(), szNames.end()};
}

}  // namespace corvane
