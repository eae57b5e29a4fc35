#include "launch/folder_locks.h"

#include <set>

#include "launch/targets/launch_rules.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

std::string ByPath(ProblemLog& problems, const std::string& szKind, const std::string& szFolder,
                   const std::string& szWhy) {
    const std::string szPath = WithoutTrailingBackslashes(szFolder);
    problems.Note("The lock on " + szPath + " is named after its path: " + szWhy);
    return LockNameFor(szKind, UpperAscii(szPath));
}

std::string NamedLock(FileSystem& files, ProblemLog& problems, const std::string& szKind, const std::string& szFolder) {
    std::optional<std::string> id;
    try {
        id = files.Identity(szFolder);
    } catch (const std::exception& e) {
        return ByPath(problems, szKind, files.ResolvedPath(szFolder), e.what());
    }
    if (!id) return ByPath(problems, szKind, files.ResolvedPath(szFolder), "it does not exist");
    if (id->empty()) return ByPath(problems, szKind, files.ResolvedPath(szFolder), "its volume tells no serial number");
    return LockNameFor(szKind, *id);
}

}  // namespace

std::string VolumeLockName(FileSystem& files, ProblemLog& problems, const std::string& szFolder) {
    VolumeInfo volume;
    try {
        volume = files.Volume(szFolder);
    } catch (const std::exception& e) {
        return ByPath(problems, "volume", szFolder.substr(0, RootLength(szFolder)), e.what());
    }
    if (!volume.bSerial) return ByPath(problems, "volume", volume.szRoot, "its volume tells no serial number");
    return LockNameFor("volume", volume.szId);
}

std::string ProgramLockName(FileSystem& files, ProblemLog& problems, const std::string& szAppPath) {
    return NamedLock(files, problems, "program", szAppPath);
}

std::string FolderLockName(FileSystem& files, ProblemLog& problems, const std::string& szFolder) {
    return NamedLock(files, problems, "folder", szFolder);
}

std::vector<std::string> FolderLockNames(FileSystem& files, ProblemLog& problems, GameFolders& gameFolders,
                                         const std::string& szGameFolder, const std::vector<std::string>& szTargets) {
    std::set<std::string> szNames{FolderLockName(files, problems, szGameFolder)};
    // A folder mod's thousands of targets lie in a few folders.
    std::set<std::string> szParents, szHolders{FoldPath(WithoutTrailingBackslashes(szGameFolder))};
    for (const std::string& szTarget : szTargets) {
        const std::string szParent = FolderOf(szTarget);
        if (!szParents.insert(FoldPath(szParent)).second) continue;
        if (const std::optional<std::string> szHolder = gameFolders.Holding(szParent)) {
            if (szHolders.insert(FoldPath(*szHolder)).second) szNames.insert(FolderLockName(files, problems, *szHolder));
        } else {
            szNames.insert(VolumeLockName(files, problems, ResolvedOrWritten(files, szParent)));
        }
    }
    return {szNames.begin(), szNames.end()};
}

}  // namespace corvane
